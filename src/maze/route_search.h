// Route search: a depth-first walk over the rooms from a start room to the goal cell that marks the
// path it explores with CELL_MARK and wipes every abandoned branch, so that when it stops exactly the
// route is marked, together with the cell two steps behind the start, its first branch point.
#pragma once

#include <cstdint>

#include "maze/maze_grid.h"

// Clears goalFound, marks (x, y) and searches on heading right; sets goalFound when the goal cell is
// reached. Ends on every maze: a way into a room the search has already entered is never taken (a
// loop-free maze has none), and when the goal cannot be reached it stops once every branch from
// (x, y) has been explored, leaving no route marked.
void FindRoute(MazeState& state, int16_t x, int16_t y);
