// The flat top-down maze picture: every cell a filled 7 x 7 box in the colour of its code, so the
// whole grid covers 567 x 287 pixels at the top left of the draw screen.
#pragma once

#include <cstdint>

#include "maze/maze_grid.h"

inline constexpr int MAZE_BOX = 7;
inline constexpr int MAZE_PICTURE_WIDTH = MAZE_BOX * MAZE_WIDTH;    // 567
inline constexpr int MAZE_PICTURE_HEIGHT = MAZE_BOX * MAZE_HEIGHT;  // 287

// Codes 0..7 (and negative ones) are colour numbers; larger codes are colour values used as they are.
void DrawCellBox(int16_t x, int16_t y, int32_t code);

// Draws every cell, column by column, without clearing or flipping.
void DrawMazePicture(const MazeGrid& maze);
