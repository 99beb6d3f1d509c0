// The grids the maze is kept in, their codes, and the cells every part of the game names.
#pragma once

#include <array>
#include <cstdint>

#include "core/direction.h"

inline constexpr int MAZE_WIDTH = 81;   // x 0..80
inline constexpr int MAZE_HEIGHT = 41;  // y 0..40

// Maze-grid codes. Every test for a mark compares with CELL_MARK: route, branch and trail marks
// are one and the same value.
inline constexpr int16_t CELL_PASSAGE = 0;
inline constexpr int16_t CELL_WALL = 1;
inline constexpr int16_t CELL_BORDER = 2;
inline constexpr int16_t CELL_MARK = 5;
inline constexpr int16_t CELL_DETOUR = 6;

// Wall-map codes: odd is walkable and drawn, even is solid.
inline constexpr int16_t MAP_SOLID = 0;
inline constexpr int16_t MAP_PASSAGE = 1;
inline constexpr int16_t MAP_SG = 3;
inline constexpr int16_t MAP_ETC = 5;

inline constexpr int16_t EXPLORED_UNSEEN = -1;

// A grid position, x to the right and y downwards on the map.
struct Cell {
    int x;
    int y;
    friend constexpr bool operator==(Cell, Cell) = default;
};

constexpr Cell Neighbour(Cell c, Direction d) { return {c.x + StepX(d), c.y + StepY(d)}; }

inline constexpr Cell START_CELL = {2, 2};
inline constexpr Cell ENTRANCE_CELL = {2, 1};
inline constexpr Cell EXIT_CELL = {79, 38};
// The last room of the lattice: the goal while the maze is carved and measured.
inline constexpr Cell LAST_ROOM = {78, 38};

// Rooms sit at even x 2..78 and even y 2..38; the cell between two neighbouring rooms is a slot.
inline constexpr int ROOM_MIN = 2;
inline constexpr int ROOM_MAX_X = 78;
inline constexpr int ROOM_MAX_Y = 38;

// Indexed [x][y].
using MazeGrid = std::array<std::array<int16_t, MAZE_HEIGHT>, MAZE_WIDTH>;

constexpr bool OnGrid(int x, int y) { return x >= 0 && x < MAZE_WIDTH && y >= 0 && y < MAZE_HEIGHT; }
constexpr bool OnGrid(Cell c) { return OnGrid(c.x, c.y); }

constexpr bool IsWalkable(int16_t wallMapCode) { return (wallMapCode & 1) != 0; }
// Off the grid counts as solid, like the frame around it.
constexpr bool IsWalkable(const MazeGrid& wallMap, Cell c) { return OnGrid(c) && IsWalkable(wallMap[c.x][c.y]); }

constexpr bool IsRoom(int x, int y) {
    return x >= ROOM_MIN && x <= ROOM_MAX_X && y >= ROOM_MIN && y <= ROOM_MAX_Y && x % 2 == 0 && y % 2 == 0;
}
