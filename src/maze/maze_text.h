// The maze as text, one line per row: X frame, # wall, . passage, o a cell of the measured route;
// then "route length L route turns T".
#pragma once

#include <string>

#include "maze/maze_grid.h"

std::string MazeText(const MazeState& state);

// The maze grid with the route cells of the snapshot written back as CELL_MARK, as the text shows it.
MazeGrid MazeWithRoute(const MazeState& state);
