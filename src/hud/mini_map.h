// The map at the top right and the reduced 3-D view at the top left, and what play reveals of the
// maze for it.
#pragma once

#include <array>
#include <cstdint>

#include "core/direction.h"
#include "maze/maze_grid.h"
#include "platform/dx.h"

// Once a frame, before the frame is drawn: reveals what the player at (cellX, cellY) looks along
// and marks the player's cell in the maze grid and the explored map.
void UpdateMiniMap(MazeState& state, int32_t cellX, int32_t cellY, Direction looking);

// Copies into the explored map the cells straight ahead up to and including the first wall (at
// most 27), each with its two side cells.
void RevealSightLine(MazeState& state, int32_t cellX, int32_t cellY, Direction looking);

// Draws over the 3-D picture just rendered on the screen, which it first copies into `workImage`.
// `playerImages` are the arrows for the directions right, up, left, down.
void DrawMiniMap(const MazeState& state, int32_t cellX, int32_t cellY, Direction looking, GraphHandle workImage,
                 const std::array<GraphHandle, 4>& playerImages);
