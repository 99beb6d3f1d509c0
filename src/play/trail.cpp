#include "play/trail.h"

namespace {

constexpr int SIGHT_CELLS = 27;

void Reveal(MazeState& state, Cell c) {
    if (OnGrid(c)) state.explored[c.x][c.y] = state.maze[c.x][c.y];
}

}  // namespace

void RevealSightLine(MazeState& state, Cell from, Direction looking) {
    const Direction left = TurnLeft(looking), right = TurnRight(looking);
    Cell c = from;
    for (int k = 0; k < SIGHT_CELLS && OnGrid(c); ++k) {
        Reveal(state, c);
        Reveal(state, Neighbour(c, left));
        Reveal(state, Neighbour(c, right));
        if (state.maze[c.x][c.y] == CELL_WALL || state.maze[c.x][c.y] == CELL_BORDER) break;
        c = Neighbour(c, looking);
    }
}

void MarkTrail(MazeState& state, Cell at) {
    if (!OnGrid(at)) return;
    state.explored[at.x][at.y] = CELL_MARK;
    state.maze[at.x][at.y] = CELL_MARK;
}
