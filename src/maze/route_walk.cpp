#include "maze/route_walk.h"

#include "core/direction.h"

namespace {

// Cells outside the grid read as frame, so a walk over a marked frame cell stops there.
int16_t CodeAt(const MazeGrid& maze, int x, int y) { return OnGrid(x, y) ? maze[x][y] : CELL_BORDER; }

bool Marked(const MazeGrid& maze, int x, int y, Direction d) {
    return static_cast<uint8_t>(CodeAt(maze, x + StepX(d), y + StepY(d))) == CELL_MARK;
}

// The first marked way from (x, y) heading d, tried right turn, straight on, left turn; false when
// there is none.
bool FirstMarkedWay(const MazeGrid& maze, int x, int y, Direction& d) {
    for (const Direction e : {TurnRight(d), d, TurnLeft(d)}) {
        if (!Marked(maze, x, y, e)) continue;
        d = e;
        return true;
    }
    return false;
}

}  // namespace

void WalkRoute(MazeState& state, int16_t x0, int16_t y0, uint8_t mark) {
    state.routeTurns = 0;
    state.routeLength = 1;
    int x = x0;
    int y = y0;
    Direction d = Direction::Down;
    // Each step wipes a cell, so a walk ends within one pass over the grid; the bound only matters
    // when the mark written is CELL_MARK itself.
    for (int steps = 0; steps < MAZE_WIDTH * MAZE_HEIGHT; ++steps) {
        if (CodeAt(state.maze, x + StepX(d), y + StepY(d)) != CELL_MARK) {
            ++state.routeTurns;
            if (!FirstMarkedWay(state.maze, x, y, d)) return;
        }
        state.maze[x][y] = mark;
        x += StepX(d);
        y += StepY(d);
        ++state.routeLength;
        if (x == state.goalX && y == state.goalY) {
            state.maze[x][y] = mark;
            return;
        }
    }
}
