// The map at the top right and the reduced 3-D view at the top left. Reveals what the player looks
// along and marks the trail in the maze grid and the explored map.
#pragma once

#include <array>
#include <cstdint>

#include "maze/maze_grid.h"

// Draws over the 3-D picture just rendered on the screen, which it first copies into `workImage`.
// `playerImages` are the arrows for direction numbers 0..3.
void DrawMiniMap(MazeState& state, int32_t cellX, int32_t cellY, int32_t facing, int workImage,
                 const std::array<int, 4>& playerImages);

// Copies into the explored map the cells straight ahead up to and including the first wall (at
// most 27), each with its two side cells.
void RevealSightLine(MazeState& state, int32_t cellX, int32_t cellY, int direction);
