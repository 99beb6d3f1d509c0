// Route walk: follows the marked route cell by cell from a start cell to the goal cell and measures
// it, wiping the marks behind it.
#pragma once

#include <cstdint>

#include "maze/maze_grid.h"

// Starts heading down. Sets routeLength to the cells passed, both ends counted, and routeTurns to the
// times the cell ahead was not marked, the start included. Writes `mark` over every cell it leaves
// and over the goal cell. Stops where no marked cell lies right, ahead or left.
void WalkRoute(MazeState& state, int16_t x, int16_t y, uint8_t mark);
