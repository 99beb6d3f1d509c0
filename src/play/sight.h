// What the eye can see of the maze, found on the grid, so that the renderer is handed only those
// cells. Every cell is a box of floor, ceiling and walls on its solid sides, one cell high, and the
// eye looks level from inside the boxes: a line of sight in the plan is one in space too.
#pragma once

#include <array>
#include <bitset>

#include "maze/maze_grid.h"
#include "platform/dx.h"

// Cells of the grid, indexed [x][y].
using CellSet = std::array<std::bitset<MAZE_HEIGHT>, MAZE_WIDTH>;

// Every walkable (odd) cell of the wall map.
CellSet WalkableCells(const MazeGrid& wallMap);

// The walkable cells that a line of sight from `eye`, level and at most `halfWidth` (the tangent of
// half the horizontal view angle) off `direction`, reaches through the open sides between cells:
// every cell the view can show, plus those within a hair of it. World positions as the scene
// places cells: cell (x, y) is the square of side 1000 around X = y x 1000, Z = x x 1000.
CellSet VisibleCells(const MazeGrid& wallMap, VECTOR eye, VECTOR direction, float halfWidth);
