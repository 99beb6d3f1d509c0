// One stage's maze: carve with the chosen algorithm, find and measure the route, open the entrance
// and exit, and derive the wall map and explored map that play reads.
#pragma once

#include <cstdint>

#include "core/random.h"
#include "maze/maze_grid.h"

// algorithmChoice 0 carves with DadiZider 1, any other value with DadiZider 2. The decorations draw
// from dxGetRand, never from `random`.
void GenerateMaze(MazeState& state, Random& random, uint8_t algorithmChoice);

// Everything after carving, on a maze whose goal cell is the last room: route search, snapshot, route
// walk, exit and entrance, wall map, explored map and decorations. A goal the search cannot reach is
// first joined to the start (JoinGoalToStart), so the stage can always be won.
void CompleteMaze(MazeState& state);

// Copies the maze-grid interior (x 1..79, y 1..39) into the route snapshot, low 8 bits of each code.
void TakeRouteSnapshot(MazeState& state);
