#include <gtest/gtest.h>

#include "frame/random.h"
#include "maze/dadizider_1.h"
#include "maze/dadizider_2.h"
#include "maze/reachability.h"
#include "maze_test_support.h"
#include "platform/fake/fake_dx.h"

using namespace maze_test;

namespace {

Random AfterSteps(uint32_t seed, int steps) {
    Random random{seed};
    for (int i = 0; i < steps; ++i) NextRandom(random);
    return random;
}

// Frame, ring, rooms and pillars as every carving must leave them.
void ExpectLatticeShape(const MazeGrid& maze) {
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

TEST(MazeDadiZider1, GivesPerfectMazesOverManySeeds) {
    MazeState state;
    Random random{20240611};
    for (int stage = 0; stage < 300; ++stage) {
        DadiZider1(state, random);
        ExpectLatticeShape(state.maze);
        const LatticeCount count = CountLattice(state.maze);
        ASSERT_EQ(count.openSlots, 1424 - 684) << "stage " << stage << ": two pillars chose one slot";
        ASSERT_EQ(count.reachableRooms, 741) << "stage " << stage;
    }
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

TEST(MazeDadiZider2, LeavesEveryRoomOpenAndDrawsOnlyTheJoin) {
    fake::Reset();
    MazeState state;
    DadiZider2Work work;
    Random random{1};
    int secondWalks = 0;
    for (int stage = 0; stage < 300; ++stage) {
        state = SolidMaze();
        fake::ClearCalls();
        DadiZider2(state, random, work);
        ExpectLatticeShape(state.maze);  // also: no 99 left behind
        ASSERT_EQ(state.goalFound, 0);
        ASSERT_LE(work.depth, DZ2_STACK_CAPACITY);
        RoomSides fresh;
        ReadSides(state.maze, fresh);
        for (int x = ROOM_MIN; x <= ROOM_MAX_X; x += 2)
            for (int y = ROOM_MIN; y <= ROOM_MAX_Y; y += 2)
                ASSERT_EQ(work.sides[x][y], fresh[x][y]) << "sides of room " << x << "," << y << " stage " << stage;
        const auto boxes = fake::CallsNamed("dxDrawBox");
        if (work.firstCount < DZ2_FIRST_WALK_ROOMS) {
            ASSERT_TRUE(boxes.empty()) << "stage " << stage;
            continue;
        }
        ++secondWalks;
        // The goal cell, then the slot that joins the two walks, both in the passage colour.
        ASSERT_EQ(boxes.size(), 2u) << "stage " << stage;
        EXPECT_EQ(boxes[0].args, (std::vector<double>{546, 266, 553, 273, 0, 1}));
        const int sx = int(boxes[1].args[0]) / 7, sy = int(boxes[1].args[1]) / 7;
        EXPECT_EQ((sx + sy) % 2, 1) << "a slot, not a room";
        EXPECT_EQ(boxes[1].args[4], 0);
    }
    EXPECT_GT(secondWalks, 0);
    fake::Reset();
}

TEST(MazeReachability, RepairJoinsTheFirstSlotInReadingOrder) {
    // Every room open; columns joined along the top for x 2..40 and along the bottom for 42..78.
    MazeState state = SolidMaze();
    for (int x = 2; x <= 78; x += 2) Dig(state, {x, 2}, {x, 38});
    Dig(state, {2, 2}, {40, 2});
    Dig(state, {42, 38}, {78, 38});
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

TEST(MazeReachability, RepairLeavesReachableMazesAlone) {
    Random random{77};
    MazeState state;
    for (int stage = 0; stage < 50; ++stage) {
        state = SolidMaze();
        if (stage % 2) DadiZider1(state, random);
        else DadiZider2(state, random);
        const MazeGrid before = state.maze;
        ASSERT_TRUE(IsGoalReachable(state));
        EXPECT_EQ(JoinGoalToStart(state), 0);
        EXPECT_EQ(state.maze, before);
    }
}
