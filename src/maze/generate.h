// One stage's maze: carve with the chosen algorithm, find and measure the route, open the entrance
// and exit, and derive the wall map and explored map that play reads.
#pragma once

#include <cstdint>

#include "frame/random.h"
#include "maze/maze_grid.h"

// algorithmChoice 0 carves with DadiZider 1, any other value with DadiZider 2.
void GenerateMaze(MazeState& state, Random& random, uint8_t algorithmChoice);
