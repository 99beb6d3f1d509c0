#include "maze/maze_grid.h"

void InitMazeGrid(MazeState& state) {
    for (int x = 1; x <= MAZE_WIDTH - 2; ++x)
        for (int y = 1; y <= MAZE_HEIGHT - 2; ++y) state.maze[x][y] = CELL_WALL;
    for (int x = 0; x < MAZE_WIDTH; ++x) {
        state.maze[x][0] = CELL_BORDER;
        state.maze[x][MAZE_HEIGHT - 1] = CELL_BORDER;
    }
    for (int y = 0; y < MAZE_HEIGHT; ++y) {
        state.maze[0][y] = CELL_BORDER;
        state.maze[MAZE_WIDTH - 1][y] = CELL_BORDER;
    }
}

void ReplaceCode(MazeState& state, uint8_t from, uint8_t to) {
    // As 16-bit codes, so that eight cells compare at once rather than widened to 32 bits.
    const int16_t fromCode = from;
    const int16_t toCode = to;
    for (int x = 1; x <= MAZE_WIDTH - 2; ++x)
        for (int y = 1; y <= MAZE_HEIGHT - 2; ++y)
            state.maze[x][y] = state.maze[x][y] == fromCode ? toCode : state.maze[x][y];  // branch-free
}
