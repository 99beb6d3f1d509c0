#include "maze/route_walk.h"

#include <array>

#include "frame/tables.h"

namespace {

using DirList = std::array<int16_t, 4>;

// Cells outside the grid read as frame, so a walk over a marked frame cell stops there.
int16_t CodeAt(const MazeGrid& maze, int x, int y) {
    if (x < 0 || x >= MAZE_WIDTH || y < 0 || y >= MAZE_HEIGHT) return CELL_BORDER;
    return maze[x][y];
}

// Marked neighbours among directions (d + k), (d + k + 1), (d + k + 2) mod 4, in that order. Returns
// the index of the last one listed, -1 when there is none.
int16_t MarkedDirections(const MazeGrid& maze, DirList& list, int x, int y, int d, int k) {
    list = {0, 0, 0, 0};
    int16_t count = -1;
    for (int i = 0; i < 3; ++i) {
        const int e = (d + i + k) % 4;
        if (static_cast<uint8_t>(CodeAt(maze, x + DIR_DX[e], y + DIR_DY[e])) == CELL_MARK)
            list[++count] = static_cast<int16_t>(e);
    }
    return count;
}

}  // namespace

void WalkRoute(MazeState& state, int16_t x0, int16_t y0, uint8_t mark) {
    state.routeTurns = 0;
    state.routeLength = 1;
    int x = x0;
    int y = y0;
    int d = DIR_DOWN;
    DirList list;
    // Each step wipes a cell, so a walk ends within one pass over the grid; the bound only matters
    // when the mark written is CELL_MARK itself.
    for (int steps = 0; steps < MAZE_WIDTH * MAZE_HEIGHT; ++steps) {
        if (CodeAt(state.maze, x + DIR_DX[d], y + DIR_DY[d]) != CELL_MARK) {
            ++state.routeTurns;
            if (MarkedDirections(state.maze, list, x, y, d, 3) < 0) return;
            d = list[0];
        }
        state.maze[x][y] = mark;
        x += DIR_DX[d];
        y += DIR_DY[d];
        ++state.routeLength;
        if (x == state.GoalX && y == state.GoalY) {
            state.maze[x][y] = mark;
            return;
        }
    }
}
