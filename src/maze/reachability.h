// Which rooms can be reached from the start room, and the repair that makes every stage winnable.
#pragma once

#include <array>
#include <cstdint>

#include "maze/maze_grid.h"

// 1 for each room reachable from START_CELL through open rooms and open slots, indexed [x][y].
using RoomMap = std::array<std::array<uint8_t, MAZE_HEIGHT>, MAZE_WIDTH>;

// Fills `reached` and returns the number of rooms reached.
int FindReachableRooms(const MazeGrid& maze, RoomMap& reached);

bool IsGoalReachable(const MazeState& state);

// While the goal cell cannot be reached from START_CELL, opens the first wall slot in reading order
// (y, then x) between a reachable room and one that is not (and that room, were it wall). Returns the
// number of slots opened: 0, and the grid untouched, when the goal was already reachable.
int JoinGoalToStart(MazeState& state);
