#include <gtest/gtest.h>

#include "frame/random.h"
#include "maze/dadizider_1.h"
#include "maze/dadizider_2.h"
#include "maze/reachability.h"
#include "maze_test_support.h"

using namespace maze_test;

namespace {

Random AfterSteps(uint32_t seed, int steps) {
    Random random{seed};
    for (int i = 0; i < steps; ++i) NextRandom(random);
    return random;
}

}  // namespace

TEST(MazeGrid, OperationsNeverTouchTheFrame) {
    MazeState state;
    for (auto& column : state.maze) column.fill(7);
    InitMazeGrid(state);
    for (auto [x, y] : {Cell{0, 0}, Cell{80, 0}, Cell{0, 40}, Cell{80, 40}, Cell{0, 17}, Cell{33, 40}})
        EXPECT_EQ(state.maze[x][y], CELL_BORDER);
    EXPECT_EQ(state.maze[1][1], CELL_WALL);
    EXPECT_EQ(state.maze[79][39], CELL_WALL);

    state.maze[0][5] = CELL_MARK;
    state.maze[3][3] = CELL_MARK;
    ReplaceCode(state, CELL_MARK, CELL_PASSAGE);
    EXPECT_EQ(state.maze[0][5], CELL_MARK);
    EXPECT_EQ(state.maze[3][3], CELL_PASSAGE);
}

TEST(MazeDadiZider1, FirstPillarsFromSeedOne) {
    MazeState state;
    for (auto& column : state.maze) column.fill(9);  // whatever the grid held before
    Random random;
    DadiZider1(state, random);
    // 0.53204 right, 0.29195 down, 0.23977 left with a choice range of 2 after down.
    EXPECT_EQ(state.maze[4][3], CELL_WALL);
    EXPECT_EQ(state.maze[3][6], CELL_WALL);
    EXPECT_EQ(state.maze[2][7], CELL_WALL);
    EXPECT_EQ(state.maze[2][3], CELL_PASSAGE);
    EXPECT_EQ(state.maze[3][4], CELL_PASSAGE);
    EXPECT_EQ(state.maze[2][5], CELL_PASSAGE);
    EXPECT_EQ(random.seed, AfterSteps(1, 2 * 684).seed) << "one fraction per pillar";
}

TEST(MazeDadiZider2, FirstCarvingStepFromSeedOne) {
    MazeState state = SolidMaze();
    SetCell(state, 2, 2, CELL_PASSAGE);
    Random random;
    DadiZider2Work work;
    work.depth = 0;
    int16_t x = 2, y = 2;
    // 0.53204 gives row 12, (2, 0, 1, 3): left meets the frame, right carves.
    ReadSides(state.maze, work.sides);
    EXPECT_EQ(CarveStep(state, random, work, x, y, 0), 1);
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 2);
    EXPECT_EQ(state.maze[3][2], CELL_PASSAGE);
    EXPECT_EQ(state.maze[4][2], CELL_PASSAGE);
    EXPECT_EQ(state.maze[1][2], CELL_WALL);
    ASSERT_EQ(work.depth, 1);
    EXPECT_EQ(work.stack[1].x, 2);
    EXPECT_EQ(work.stack[1].y, 2);
    EXPECT_EQ(random.seed, AfterSteps(1, 2).seed);
}

TEST(MazeDadiZider2, CarvingStepModes) {
    // A room whose only opening is to its right; up, left and down could all be carved.
    MazeState base = SolidMaze();
    DigPath(base, {{10, 10}, {12, 10}});
    DadiZider2Work work;

    MazeState state = base;
    Random random;
    work.depth = 0;
    int16_t x = 10, y = 10;
    ReadSides(state.maze, work.sides);
    ASSERT_EQ(CarveStep(state, random, work, x, y, 0), 1);
    EXPECT_EQ(std::make_pair(int(x), int(y)), std::make_pair(8, 10)) << "row 12 starts with left";

    // Mode 1 rejects row 12, whose first direction is straight on away from the opening, and takes
    // row 7, (1, 0, 3, 2), from the second fraction 0.29195.
    state = base;
    random = Random{};
    x = 10, y = 10;
    ReadSides(state.maze, work.sides);
    ASSERT_EQ(CarveStep(state, random, work, x, y, 1), 1);
    EXPECT_EQ(std::make_pair(int(x), int(y)), std::make_pair(10, 8));
    EXPECT_EQ(random.seed, AfterSteps(1, 4).seed);

    // Every room around is open already: nothing changes, one fraction drawn, nothing pushed.
    state = SolidMaze();
    for (auto [rx, ry] : {Cell{12, 10}, Cell{10, 8}, Cell{8, 10}, Cell{10, 12}}) state.maze[rx][ry] = CELL_PASSAGE;
    const MazeGrid blocked = state.maze;
    random = Random{};
    work.depth = 3;
    x = 10, y = 10;
    ReadSides(state.maze, work.sides);
    EXPECT_EQ(CarveStep(state, random, work, x, y, 0), 0);
    EXPECT_EQ(state.maze, blocked);
    EXPECT_EQ(work.depth, 3);
    EXPECT_EQ(random.seed, AfterSteps(1, 2).seed);
}

TEST(MazeReachability, RepairJoinsTheFirstSlotInReadingOrder) {
    // Every room open. The start's part: columns 2..20 whole, and 22..40 down to row 20, joined
    // along the top. The goal's part: columns 22..40 from row 22, and 42..78 whole, joined along the
    // bottom. Slots between the parts lie at x = 41 (rows 2..20), at y = 21 and at x = 21 (rows
    // 22..38): reading order, row by row, meets (41, 2) first; column by column would meet (21, 22).
    MazeState state = SolidMaze();
    for (int x = 2; x <= 78; x += 2) {
        if (x < 22 || x > 40) {
            Dig(state, {x, 2}, {x, 38});
        } else {
            Dig(state, {x, 2}, {x, 20});
            Dig(state, {x, 22}, {x, 38});
        }
    }
    Dig(state, {2, 2}, {40, 2});
    Dig(state, {22, 38}, {78, 38});
    ASSERT_FALSE(IsGoalReachable(state));
    MazeState repaired = state;
    EXPECT_EQ(JoinGoalToStart(repaired), 1);
    EXPECT_TRUE(IsGoalReachable(repaired));
    state.maze[41][2] = CELL_PASSAGE;
    EXPECT_EQ(repaired.maze, state.maze) << "only the slot (41, 2) opens";

    // Walled-off rooms are opened along with the slot until the goal is reached.
    MazeState sparse = SolidMaze();
    DigPath(sparse, {{2, 2}, {2, 6}});
    EXPECT_GT(JoinGoalToStart(sparse), 0);
    EXPECT_TRUE(IsGoalReachable(sparse));
}
