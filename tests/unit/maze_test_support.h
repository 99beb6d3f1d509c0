// Hand-made mazes and an independent route finder for the maze tests.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "maze/maze_grid.h"

namespace maze_test {

using Cell = std::pair<int, int>;

// Solid interior inside the frame, goal at the last room.
inline MazeState SolidMaze() {
    MazeState state;
    InitMazeGrid(state);
    state.goalX = LAST_ROOM.x;
    state.goalY = LAST_ROOM.y;
    return state;
}

// Opens every cell on the straight line between two cells, both ends included.
inline void Dig(MazeState& state, Cell from, Cell to) {
    const int dx = (to.first > from.first) - (to.first < from.first);
    const int dy = (to.second > from.second) - (to.second < from.second);
    for (Cell c = from;; c = {c.first + dx, c.second + dy}) {
        state.maze[c.first][c.second] = CELL_PASSAGE;
        if (c == to) break;
    }
}

// Opens the straight segments joining the listed cells in turn.
inline void DigPath(MazeState& state, std::initializer_list<Cell> corners) {
    const Cell* prev = nullptr;
    for (const Cell& c : corners) {
        if (prev) Dig(state, *prev, c);
        prev = &c;
    }
}

inline bool IsOpen(int16_t code) { return code == CELL_PASSAGE || code == CELL_MARK; }

// Shortest path of open cells from the start cell to (gx, gy), cell by cell, breadth first; empty
// when the goal cannot be reached.
inline std::set<Cell> ShortestPath(const MazeGrid& maze, int gx, int gy) {
    std::array<std::array<Cell, MAZE_HEIGHT>, MAZE_WIDTH> parent;
    std::array<std::array<bool, MAZE_HEIGHT>, MAZE_WIDTH> seen{};
    std::vector<Cell> queue = {{START_CELL.x, START_CELL.y}};
    seen[START_CELL.x][START_CELL.y] = true;
    const int step[4][2] = {{1, 0}, {0, -1}, {-1, 0}, {0, 1}};
    for (size_t head = 0; head < queue.size(); ++head) {
        const auto [x, y] = queue[head];
        for (const auto& s : step) {
            const int nx = x + s[0], ny = y + s[1];
            if (nx < 1 || nx > 79 || ny < 1 || ny > 39 || seen[nx][ny] || !IsOpen(maze[nx][ny])) continue;
            seen[nx][ny] = true;
            parent[nx][ny] = {x, y};
            queue.push_back({nx, ny});
        }
    }
    std::set<Cell> path;
    if (!seen[gx][gy]) return path;
    for (Cell c = {gx, gy}; c != Cell{START_CELL.x, START_CELL.y}; c = parent[c.first][c.second]) path.insert(c);
    path.insert({START_CELL.x, START_CELL.y});
    return path;
}

// Interior cells (x 1..79, y 1..39) of a grid holding `code`.
inline std::set<Cell> InteriorCellsHolding(const MazeGrid& grid, int16_t code) {
    std::set<Cell> cells;
    for (int x = 1; x <= 79; ++x)
        for (int y = 1; y <= 39; ++y)
            if (grid[x][y] == code) cells.insert({x, y});
    return cells;
}

// Number of rooms reachable from the start room and number of open slots; a connected lattice with
// 740 open slots between its 741 rooms is a tree.
struct LatticeCount {
    int reachableRooms = 0;
    int openSlots = 0;
};
inline LatticeCount CountLattice(const MazeGrid& maze) {
    LatticeCount count;
    for (int x = 2; x <= 78; ++x)
        for (int y = 2; y <= 38; ++y)
            if ((x + y) % 2 == 1 && maze[x][y] == CELL_PASSAGE) ++count.openSlots;
    std::array<std::array<bool, MAZE_HEIGHT>, MAZE_WIDTH> seen{};
    std::vector<Cell> queue = {{2, 2}};
    seen[2][2] = true;
    const int step[4][2] = {{2, 0}, {0, -2}, {-2, 0}, {0, 2}};
    for (size_t head = 0; head < queue.size(); ++head) {
        const auto [x, y] = queue[head];
        for (const auto& s : step) {
            const int nx = x + s[0], ny = y + s[1];
            if (nx < 2 || nx > 78 || ny < 2 || ny > 38 || seen[nx][ny]) continue;
            if (maze[x + s[0] / 2][y + s[1] / 2] != CELL_PASSAGE || maze[nx][ny] != CELL_PASSAGE) continue;
            seen[nx][ny] = true;
            queue.push_back({nx, ny});
        }
    }
    count.reachableRooms = static_cast<int>(queue.size());
    return count;
}

// Frame, ring, rooms and pillars as every carving must leave them.
inline void ExpectLatticeShape(const MazeGrid& maze) {
    for (int x = 0; x <= 80; ++x) {
        for (int y = 0; y <= 40; ++y) {
            const int16_t c = maze[x][y];
            if (x == 0 || x == 80 || y == 0 || y == 40) ASSERT_EQ(c, CELL_BORDER) << x << "," << y;
            else if (x == 1 || x == 79 || y == 1 || y == 39) ASSERT_EQ(c, CELL_WALL) << x << "," << y;
            else if (x % 2 == 0 && y % 2 == 0) ASSERT_EQ(c, CELL_PASSAGE) << x << "," << y;
            else if (x % 2 == 1 && y % 2 == 1) ASSERT_EQ(c, CELL_WALL) << x << "," << y;
            else ASSERT_TRUE(c == CELL_PASSAGE || c == CELL_WALL) << x << "," << y << " holds " << c;
        }
    }
}

}  // namespace maze_test
