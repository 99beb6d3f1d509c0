#include "maze/dadizider_1.h"

#include "core/direction.h"

namespace {

// The pillar arms chosen by the numbers 1..4: the direction of the wall cell they add and the
// choice range for the next pillar of the column. After "down" the next pillar may not point up
// at the same cell.
struct PillarArm {
    Direction toward;
    int rangeAfter;
};
constexpr PillarArm PILLAR_ARMS[4] = {
    {Direction::Left, 3}, {Direction::Down, 2}, {Direction::Right, 3}, {Direction::Up, 3}};

void ClearField(MazeState& state) {
    for (int x = ROOM_MIN; x <= ROOM_MAX_X; ++x)
        for (int y = ROOM_MIN; y <= ROOM_MAX_Y; ++y) state.maze[x][y] = CELL_PASSAGE;
}

// Frame to CELL_BORDER and the ring inside it to CELL_WALL.
void BuildDoubleFrame(MazeState& state) {
    for (int x = 0; x < MAZE_WIDTH; ++x) {
        state.maze[x][0] = CELL_BORDER;
        state.maze[x][MAZE_HEIGHT - 1] = CELL_BORDER;
        state.maze[x][1] = CELL_WALL;
        state.maze[x][MAZE_HEIGHT - 2] = CELL_WALL;
    }
    for (int y = 1; y < MAZE_HEIGHT - 1; ++y) {
        state.maze[0][y] = CELL_BORDER;
        state.maze[MAZE_WIDTH - 1][y] = CELL_BORDER;
        state.maze[1][y] = CELL_WALL;
        state.maze[MAZE_WIDTH - 2][y] = CELL_WALL;
    }
}

}  // namespace

void DadiZider1(MazeState& state, Random& random) {
    ClearField(state);
    BuildDoubleFrame(state);
    // Only the first column may lean left, onto the ring; later columns choose among 2..4.
    int extra = 1;
    int base = 1;
    for (int x = 3; x <= ROOM_MAX_X - 1; x += 2) {
        int choiceRange = 3;
        for (int y = 3; y <= ROOM_MAX_Y - 1; y += 2) {
            SetCell(state, x, y, CELL_WALL);
            const int d = RandomIndex(random, choiceRange + extra) + base;
            const PillarArm& arm = PILLAR_ARMS[d - 1];
            SetCell(state, x + StepX(arm.toward), y + StepY(arm.toward), CELL_WALL);
            choiceRange = arm.rangeAfter;
        }
        extra = 0;
        base = 2;
    }
}
