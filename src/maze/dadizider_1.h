// DadiZider 1: pillar toppling. Every pillar (odd, odd) grows one wall cell in a drawn direction,
// which always yields a perfect maze.
#pragma once

#include "core/random.h"
#include "maze/maze_grid.h"

// Rewrites the whole maze grid; draws exactly one fraction per pillar, 684 in all.
void DadiZider1(MazeState& state, Random& random);
