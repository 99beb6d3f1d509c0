// Route search: a depth-first walk over the rooms from a start room to the goal cell. When it stops,
// exactly the route is marked with CELL_MARK, together with the cell two steps behind the start, its
// first branch point; every other room it entered, and the slot it crossed to get there, is wiped
// to passage.
#pragma once

#include <cstdint>

#include "maze/maze_grid.h"

// Searches from room (x, y) on heading right, trying at each room a right turn, straight on, then a
// left turn; sets goalFound when it steps onto the goal cell, a room or slot other than (x, y). The
// grid must hold no CELL_MARK before. Ends on every maze: a way into a room the search has already
// entered is never taken (a loop-free maze has none), and when the goal cannot be reached it stops
// once every branch from (x, y) has been explored, leaving no route marked.
void FindRoute(MazeState& state, int16_t x, int16_t y);
