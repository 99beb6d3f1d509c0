#include "maze/maze_text.h"

namespace {

bool IsInterior(int x, int y) { return x >= 1 && x <= MAZE_WIDTH - 2 && y >= 1 && y <= MAZE_HEIGHT - 2; }

char CellChar(int16_t code) {
    switch (code) {
        case CELL_BORDER: return 'X';
        case CELL_PASSAGE: return '.';
        case CELL_MARK: return 'o';
        default: return '#';
    }
}

}  // namespace

MazeGrid MazeWithRoute(const MazeState& state) {
    MazeGrid grid = state.maze;
    for (int x = 0; x < MAZE_WIDTH; ++x)
        for (int y = 0; y < MAZE_HEIGHT; ++y)
            if (IsInterior(x, y) && state.routeSnapshot[x][y] == CELL_MARK) grid[x][y] = CELL_MARK;
    return grid;
}

std::string MazeText(const MazeState& state) {
    const MazeGrid grid = MazeWithRoute(state);
    std::string text;
    text.reserve((MAZE_WIDTH + 1) * MAZE_HEIGHT + 64);
    for (int y = 0; y < MAZE_HEIGHT; ++y) {
        for (int x = 0; x < MAZE_WIDTH; ++x) text += CellChar(grid[x][y]);
        text += '\n';
    }
    text +=
        "route length " + std::to_string(state.routeLength) + " route turns " + std::to_string(state.routeTurns) + "\n";
    return text;
}
