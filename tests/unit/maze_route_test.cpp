#include <gtest/gtest.h>

#include "frame/random.h"
#include "maze/dadizider_1.h"
#include "maze/dadizider_2.h"
#include "maze/generate.h"
#include "maze/reachability.h"
#include "maze/route_search.h"
#include "maze/route_walk.h"
#include "maze_test_support.h"
#include "platform/fake/fake_dx.h"

using namespace maze_test;

namespace {

// The marked cells must be a route: a simple path of formerly open cells from the start to the goal.
// The walk follows it to the goal and wipes it, one cell per mark.
void ExpectMarkedRoute(const MazeGrid& carved, MazeState& state) {
    const std::set<Cell> marked = InteriorCellsHolding(state.maze, CELL_MARK);
    for (const Cell& c : marked) ASSERT_TRUE(IsOpen(carved[c.first][c.second])) << c.first << "," << c.second;
    ASSERT_TRUE(marked.count({2, 2}));
    ASSERT_TRUE(marked.count({78, 38}));
    WalkRoute(state, 2, 2, CELL_PASSAGE);
    EXPECT_EQ(state.routeLength, static_cast<int64_t>(marked.size()));
    EXPECT_TRUE(InteriorCellsHolding(state.maze, CELL_MARK).empty());
}

// The whole lattice open: every room joined to each neighbour, a maze of loops.
MazeState OpenField() {
    MazeState state = SolidMaze();
    for (int x = 2; x <= 78; x += 2) Dig(state, {x, 2}, {x, 38});
    for (int y = 2; y <= 38; y += 2) Dig(state, {2, y}, {78, y});
    return state;
}

// DadiZider 1 leaves a perfect maze; DadiZider 2 opens every room, keeps its rooms' sides in step
// with the grid, and draws only the goal and the slot where its second walk joins the first. The
// search then marks the one shortest path and wipes every branch it abandoned.
void ExpectCarved(const MazeState& state, const DadiZider2Work& work, bool first) {
    ExpectLatticeShape(state.maze);  // also: no 99 left behind
    if (first) {
        const LatticeCount count = CountLattice(state.maze);
        ASSERT_EQ(count.openSlots, 1424 - 684) << "two pillars chose one slot";
        ASSERT_EQ(count.reachableRooms, 741);
        return;
    }
    ASSERT_LE(work.depth, DZ2_STACK_CAPACITY);
    RoomSides fresh;
    ReadSides(state.maze, fresh);
    for (int x = ROOM_MIN; x <= ROOM_MAX_X; x += 2)
        for (int y = ROOM_MIN; y <= ROOM_MAX_Y; y += 2) ASSERT_EQ(work.sides[x][y], fresh[x][y]) << x << "," << y;
    const auto boxes = fake::CallsNamed("dxDrawBox");
    if (work.firstCount < DZ2_FIRST_WALK_ROOMS) {
        ASSERT_TRUE(boxes.empty());
        return;
    }
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].args, (std::vector<double>{546, 266, 553, 273, 0, 1}));
    const int sx = int(boxes[1].args[0]) / 7, sy = int(boxes[1].args[1]) / 7;
    EXPECT_EQ((sx + sy) % 2, 1) << "a slot, not a room";
    EXPECT_EQ(boxes[1].args[4], 0);
}

}  // namespace

TEST(MazeRouteSearch, MarksTheUniquePathOfCarvedMazes) {
    fake::Reset();
    Random random{5};
    MazeState state;
    DadiZider2Work work;
    int secondWalks = 0;
    for (int stage = 0; stage < 300; ++stage) {
        SCOPED_TRACE(testing::Message() << "stage " << stage);
        state = SolidMaze();
        fake::ClearCalls();
        const bool first = stage % 2 == 0;
        if (first) {
            DadiZider1(state, random);
        } else {
            DadiZider2(state, random, work);
            secondWalks += work.firstCount >= DZ2_FIRST_WALK_ROOMS;
        }
        ExpectCarved(state, work, first);
        JoinGoalToStart(state);
        const MazeGrid carved = state.maze;
        const std::set<Cell> path = ShortestPath(carved, 78, 38);
        FindRoute(state, 2, 2);
        ASSERT_EQ(state.goalFound, 1);
        ASSERT_EQ(state.maze[0][2], CELL_MARK) << "the start's branch point";
        ASSERT_EQ(InteriorCellsHolding(state.maze, CELL_MARK), path);
        for (int x = 1; x <= 79; ++x)
            for (int y = 1; y <= 39; ++y)
                if (!path.count({x, y})) {
                    ASSERT_EQ(state.maze[x][y], carved[x][y]);
                }
    }
    EXPECT_GT(secondWalks, 0);
    fake::Reset();
}

TEST(MazeRouteSearch, KeepsTheBranchPointWhenALaterBranchEndsAtTheGoal) {
    // At (76, 38) the dead end to the west is searched first and its retreat wipes the branch point;
    // the goal is the very next room to the east. The route must stay whole.
    MazeState state = SolidMaze();
    DigPath(state, {{2, 2}, {76, 2}, {76, 38}, {70, 38}});
    Dig(state, {76, 38}, {78, 38});
    const std::set<Cell> path = ShortestPath(state.maze, 78, 38);
    FindRoute(state, 2, 2);
    EXPECT_EQ(InteriorCellsHolding(state.maze, CELL_MARK), path);
    state.maze[0][2] = CELL_BORDER;
    WalkRoute(state, 2, 2, CELL_PASSAGE);
    EXPECT_EQ(state.routeLength, 75 + 36 + 2);
    EXPECT_EQ(state.routeTurns, 3);
}

TEST(MazeRouteSearch, FindsARouteThroughLoops) {
    // A ring of rooms around a pillar block next to the start, then on to the goal.
    MazeState ring = SolidMaze();
    DigPath(ring, {{2, 2}, {10, 2}, {10, 10}, {2, 10}, {2, 2}});
    DigPath(ring, {{10, 10}, {10, 38}, {78, 38}});
    DigPath(ring, {{6, 10}, {6, 20}, {4, 20}});
    for (MazeState state : {ring, OpenField()}) {
        const MazeGrid carved = state.maze;
        FindRoute(state, 2, 2);
        ASSERT_EQ(state.goalFound, 1);
        ExpectMarkedRoute(carved, state);
    }
}

TEST(MazeRouteSearch, TriesRightTurnThenStraightOnThenLeftTurn) {
    // Where every way is open the order alone picks the route: from heading right at the start a
    // right turn leads down the first column; at its foot straight on is frame, so a left turn
    // leads along the bottom row to the goal.
    MazeState state = OpenField();
    FindRoute(state, 2, 2);
    std::set<Cell> expected;
    for (int y = 2; y <= 38; ++y) expected.insert({2, y});
    for (int x = 2; x <= 78; ++x) expected.insert({x, 38});
    EXPECT_EQ(InteriorCellsHolding(state.maze, CELL_MARK), expected);
}

TEST(MazeRouteSearch, StopsWhenTheGoalIsWalledOff) {
    MazeState tree = SolidMaze();
    DigPath(tree, {{2, 2}, {2, 20}, {30, 20}, {30, 4}});
    DigPath(tree, {{2, 12}, {14, 12}});
    DigPath(tree, {{2, 2}, {8, 2}});
    DigPath(tree, {{78, 38}, {70, 38}});
    MazeState field = OpenField();
    Dig(field, {77, 38}, {77, 38});
    field.maze[77][38] = CELL_WALL;
    field.maze[78][37] = CELL_WALL;
    for (MazeState state : {tree, field}) {
        const MazeGrid carved = state.maze;
        FindRoute(state, 2, 2);
        EXPECT_EQ(state.goalFound, 0);
        EXPECT_TRUE(InteriorCellsHolding(state.maze, CELL_MARK).empty());
        state.maze[0][2] = CELL_BORDER;
        EXPECT_EQ(state.maze, carved) << "every explored cell wiped back";
        MazeState walked = state;
        WalkRoute(walked, 2, 2, CELL_PASSAGE);
        EXPECT_EQ(walked.routeLength, 1) << "2 once the exit is counted";
        EXPECT_EQ(walked.routeTurns, 1);

        // The pipeline joins the goal up first and measures a real route.
        fake::Reset();
        fake::SetRecording(false);
        CompleteMaze(state);
        const std::set<Cell> route = InteriorCellsHolding(state.routeSnapshot, CELL_MARK);
        EXPECT_EQ(static_cast<int64_t>(route.size()) + 1, state.routeLength);
        EXPECT_TRUE(route.count({78, 38}));
        fake::Reset();
    }
}

TEST(MazeRouteWalk, MeasuresLengthAndTurns) {
    fake::Reset();
    fake::SetRecording(false);
    struct Case {
        std::initializer_list<Cell> route;
        int64_t length;  // after the pipeline, exit cell included
        int16_t turns;
    };
    const Case cases[] = {
        {{{2, 2}, {2, 38}, {78, 38}}, 37 + 76 + 1, 1},
        {{{2, 2}, {78, 2}, {78, 38}}, 77 + 36 + 1, 2},  // leaving to the right turns before the first step
        {{{2, 2}, {2, 4}, {4, 4}, {4, 6}, {78, 6}, {78, 38}}, 3 + 2 + 2 + 74 + 32 + 1, 4},
    };
    for (const Case& c : cases) {
        MazeState state = SolidMaze();
        DigPath(state, c.route);
        DigPath(state, {{2, 20}, {20, 20}});  // a side branch the route must not take
        CompleteMaze(state);
        EXPECT_EQ(state.routeLength, c.length);
        EXPECT_EQ(state.routeTurns, c.turns);
    }
    fake::Reset();
}

TEST(MazeRouteWalk, WritesItsMarkAndStopsAtAGap) {
    MazeState state = SolidMaze();
    Dig(state, {2, 2}, {2, 38});
    Dig(state, {2, 38}, {78, 38});
    for (int x = 1; x <= 79; ++x)
        for (int y = 1; y <= 39; ++y)
            if (state.maze[x][y] == CELL_PASSAGE) state.maze[x][y] = CELL_MARK;
    MazeState whole = state;
    WalkRoute(whole, 2, 2, CELL_DETOUR);
    EXPECT_EQ(whole.routeLength, 113);
    EXPECT_EQ(InteriorCellsHolding(whole.maze, CELL_DETOUR).size(), 113u) << "goal cell included";

    state.maze[20][38] = CELL_PASSAGE;  // the marks break off after (19, 38)
    WalkRoute(state, 2, 2, CELL_PASSAGE);
    EXPECT_EQ(state.routeLength, 37 + 17);
    EXPECT_EQ(state.routeTurns, 2);
    EXPECT_EQ(state.maze[19][38], CELL_MARK) << "the cell where it stops keeps its mark";
}
