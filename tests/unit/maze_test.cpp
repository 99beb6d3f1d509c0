// The maze: the repair and the route search on hand-made grids; mazes of both carvings from
// carving to what play receives (the golden mazes pin the carvings down); and the maze picture.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "core/random.h"
#include "core/tables.h"
#include "maze/dadizider_1.h"
#include "maze/dadizider_2.h"
#include "maze/generate.h"
#include "maze/maze_picture.h"
#include "maze/reachability.h"
#include "maze/route_search.h"
#include "maze/route_walk.h"
#include "platform/fake/fake_dx.h"

namespace {

using Cell = std::pair<int, int>;

// Solid interior inside the frame, goal at the last room.
MazeState SolidMaze() {
    MazeState state{.goalX = LAST_ROOM.x, .goalY = LAST_ROOM.y};
    InitMazeGrid(state);
    return state;
}

// Opens every cell on the straight lines from corner to corner, the corners included.
void Dig(MazeState& state, std::initializer_list<Cell> corners) {
    for (auto c = corners.begin(); c + 1 < corners.end(); ++c) {
        const int dx = (c[1].first > c[0].first) - (c[1].first < c[0].first);
        const int dy = (c[1].second > c[0].second) - (c[1].second < c[0].second);
        for (Cell at = c[0];; at = {at.first + dx, at.second + dy}) {
            state.maze[at.first][at.second] = CELL_PASSAGE;
            if (at == c[1]) break;
        }
    }
}

// The shortest path of open interior cells from the start cell to (gx, gy), breadth first; empty
// when there is none.
std::set<Cell> ShortestPath(const MazeGrid& maze, int gx, int gy) {
    std::array<std::array<Cell, MAZE_HEIGHT>, MAZE_WIDTH> from;  // where each cell was reached from
    for (auto& column : from) column.fill({-1, -1});
    std::vector<Cell> queue = {{START_CELL.x, START_CELL.y}};
    from[START_CELL.x][START_CELL.y] = queue[0];
    for (size_t head = 0; head < queue.size(); ++head) {
        const auto [x, y] = queue[head];
        for (const auto& [nx, ny] : {Cell{x + 1, y}, Cell{x, y - 1}, Cell{x - 1, y}, Cell{x, y + 1}}) {
            if (nx < 1 || nx > 79 || ny < 1 || ny > 39 || from[nx][ny].first >= 0) continue;
            if (maze[nx][ny] != CELL_PASSAGE && maze[nx][ny] != CELL_MARK) continue;
            from[nx][ny] = {x, y};
            queue.push_back({nx, ny});
        }
    }
    std::set<Cell> path;
    if (from[gx][gy].first < 0) return path;
    for (Cell c = {gx, gy}; path.insert(c).second;) c = from[c.first][c.second];  // ends at the start
    return path;
}

// Interior cells (x 1..79, y 1..39) of a grid holding `code`.
std::set<Cell> InteriorCellsHolding(const MazeGrid& grid, int16_t code) {
    std::set<Cell> cells;
    for (int x = 1; x <= 79; ++x)
        for (int y = 1; y <= 39; ++y)
            if (grid[x][y] == code) cells.insert({x, y});
    return cells;
}

// Every carving leaves the frame, the ring, solid pillars and open rooms. DadiZider 1 walls one slot
// per pillar, never one another pillar chose, so 740 of the 1424 stay open. DadiZider 2 keeps its
// rooms' sides in step with the grid.
void ExpectCarved(const MazeState& state, const DadiZider2Work& work, bool first) {
    int slots = 0;
    for (int x = 0; x <= 80; ++x) {
        for (int y = 0; y <= 40; ++y) {
            const int16_t c = state.maze[x][y];
            if (x == 0 || x == 80 || y == 0 || y == 40) ASSERT_EQ(c, CELL_BORDER) << x << "," << y;
            else if (x == 1 || x == 79 || y == 1 || y == 39 || (x % 2 == 1 && y % 2 == 1))
                ASSERT_EQ(c, CELL_WALL) << x << "," << y;
            else if (x % 2 == 0 && y % 2 == 0) ASSERT_EQ(c, CELL_PASSAGE) << x << "," << y;
            else slots += c == CELL_PASSAGE;
        }
    }
    ASSERT_TRUE(!first || slots == 1424 - 684) << slots << " slots open";
    if (first) return;
    RoomSides fresh;
    ReadSides(state.maze, fresh);
    for (int x = ROOM_MIN; x <= ROOM_MAX_X; x += 2)
        for (int y = ROOM_MIN; y <= ROOM_MAX_Y; y += 2) ASSERT_EQ(work.sides[x][y], fresh[x][y]) << x << "," << y;
}

// What play receives: the maze as carved, doors open; the snapshot as carved off the route; an explored
// map that knows only the frame; a wall map walkable where the maze is open, a passage decorated
// where ETC_TABLE allows and its draw (one per passage, in column order) was 0.
void ExpectPlayable(const MazeState& state, const MazeGrid& carved, const std::set<Cell>& route,
                    const std::vector<int>& draws) {
    size_t k = 0;
    for (int x = 0; x <= 80; ++x) {
        for (int y = 0; y <= 40; ++y) {
            const bool frame = x == 0 || x == 80 || y == 0 || y == 40,
                       door = (x == 2 && y == 1) || (x == 79 && y == 38);
            const int16_t c = state.maze[x][y], w = state.wallMap[x][y];
            EXPECT_EQ(state.explored[x][y], frame ? CELL_BORDER : EXPLORED_UNSEEN);
            EXPECT_EQ(c, door ? CELL_PASSAGE : carved[x][y]) << x << "," << y;
            EXPECT_TRUE(frame || route.count({x, y}) || state.routeSnapshot[x][y] == carved[x][y]) << x << "," << y;
            if (door || c != CELL_PASSAGE) {
                EXPECT_EQ(w, door ? MAP_SG : MAP_SOLID) << x << "," << y;
            } else {
                int mask = 0;  // bit d: the neighbour toward direction d is solid
                for (int d = 0; d < 4; ++d) mask |= (state.wallMap[x + DIR_DX[d]][y + DIR_DY[d]] % 2 == 0) << d;
                const bool decorate = draws.at(k++) == 0 && ETC_TABLE[mask] == 1;
                EXPECT_EQ(w, decorate ? MAP_ETC : MAP_PASSAGE) << x << "," << y << " mask " << mask;
            }
        }
    }
}

// The whole lattice open: every room joined to each neighbour, a maze of loops.
MazeState OpenField() {
    MazeState state = SolidMaze();
    for (int x = 2; x <= 78; x += 2) Dig(state, {{x, 2}, {x, 38}});
    for (int y = 2; y <= 38; y += 2) Dig(state, {{2, y}, {78, y}});
    return state;
}

TEST(MazeReachability, RepairJoinsTheFirstSlotInReadingOrder) {
    // Every room open. The start's part: columns 2..20 whole, and 22..40 down to row 20, joined
    // along the top. The goal's part: columns 22..40 from row 22, and 42..78 whole, joined along the
    // bottom. Slots between the parts lie at x = 41 (rows 2..20), at y = 21 and at x = 21 (rows
    // 22..38): reading order, row by row, meets (41, 2) first; column by column would meet (21, 22).
    MazeState state = SolidMaze();
    for (int x = 2; x <= 78; x += 2) {
        const bool split = x >= 22 && x <= 40;
        Dig(state, {{x, 2}, {x, split ? 20 : 38}});
        if (split) Dig(state, {{x, 22}, {x, 38}});
    }
    Dig(state, {{2, 2}, {40, 2}});
    Dig(state, {{22, 38}, {78, 38}});
    ASSERT_FALSE(IsGoalReachable(state));
    MazeState repaired = state;
    EXPECT_EQ(JoinGoalToStart(repaired), 1);
    state.maze[41][2] = CELL_PASSAGE;
    EXPECT_EQ(repaired.maze, state.maze) << "only the slot (41, 2) opens";
    // Walled-off rooms are opened along with the slot until the goal is reached.
    MazeState sparse = SolidMaze();
    Dig(sparse, {{2, 2}, {2, 6}});
    JoinGoalToStart(sparse);
    EXPECT_TRUE(IsGoalReachable(sparse));
}

TEST(MazeRouteSearch, KeepsTheBranchPointWhenALaterBranchEndsAtTheGoal) {
    // At (76, 38) the dead end to the west is searched first and its retreat wipes the branch point;
    // the goal is the very next room to the east. The route must stay whole.
    MazeState state = SolidMaze();
    Dig(state, {{2, 2}, {76, 2}, {76, 38}, {70, 38}});
    Dig(state, {{76, 38}, {78, 38}});
    const std::set<Cell> path = ShortestPath(state.maze, 78, 38);
    FindRoute(state, 2, 2);
    EXPECT_EQ(InteriorCellsHolding(state.maze, CELL_MARK), path);
    EXPECT_EQ(state.maze[0][2], CELL_MARK) << "the start's branch point";
    WalkRoute(state, 2, 2, CELL_PASSAGE);
    EXPECT_EQ(state.routeLength, 75 + 36 + 2);
    EXPECT_EQ(state.routeTurns, 3);
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

// A search that cannot reach the goal wipes every cell it explored; the pipeline then joins the goal
// up and measures a real route.
TEST(MazeRouteSearch, StopsWhenTheGoalIsWalledOff) {
    MazeState state = OpenField();
    state.maze[77][38] = state.maze[78][37] = CELL_WALL;
    const MazeGrid carved = state.maze;
    FindRoute(state, 2, 2);
    state.maze[0][2] = CELL_BORDER;
    EXPECT_EQ(state.maze, carved) << "every explored cell wiped back";
    fake::Reset();
    CompleteMaze(state);
    const std::set<Cell> route = InteriorCellsHolding(state.routeSnapshot, CELL_MARK);
    EXPECT_EQ(static_cast<int64_t>(route.size()) + 1, state.routeLength);
}

// Every carved maze gets its one shortest path as the route play reviews, measured with start, last
// room and exit, and a grid ready for play.
TEST(MazePipeline, CarvedMazesGetTheirShortestRouteAndAPlayableGrid) {
    fake::Reset();
    Random random{5};
    MazeState state;
    DadiZider2Work work;
    for (int stage = 0; stage < 300; ++stage) {
        SCOPED_TRACE(testing::Message() << "stage " << stage);
        state = SolidMaze();
        const bool first = stage % 2 == 0;
        if (first) DadiZider1(state, random);
        else DadiZider2(state, random, work);
        ExpectCarved(state, work, first);
        const MazeGrid carved = state.maze;
        const std::set<Cell> path = ShortestPath(carved, 78, 38);
        std::vector<int> draws;  // 0, 1, 2, 0, ...: every third passage the table allows is decorated
        for (int x = 2; x <= 78; ++x)
            for (int y = 2; y <= 38; ++y)
                if (state.maze[x][y] == CELL_PASSAGE) draws.push_back(int(draws.size() + stage) % 3);
        fake::QueueRand(draws);
        CompleteMaze(state);
        ExpectPlayable(state, carved, path, draws);
        ASSERT_FALSE(HasFailure());
        ASSERT_EQ(InteriorCellsHolding(state.routeSnapshot, CELL_MARK), path);
        ASSERT_EQ(state.routeLength, int64_t(path.size()) + 1);
    }
}

TEST(MazePicture, DrawsSevenPixelBoxesInCellColours) {
    fake::Reset();
    MazeState state = SolidMaze();
    // Column 3 from row 2 down: the game's codes, the rest of the colour table, codes past it and below.
    // clang-format off
    const std::pair<int16_t, unsigned> cells[] = {{CELL_WALL, 0x0000FF}, {CELL_PASSAGE, 0}, {CELL_MARK, 0x00FFFF},
        {CELL_DETOUR, 0xFFFF00}, {3, 0xFF00FF}, {4, 0x00FF00}, {7, 0xFFFFFF}, {8, 8}, {0x1234, 0x1234}, {-3, 0}};
    // clang-format on
    for (int i = 0; i < 10; ++i) state.maze[3][2 + i] = cells[i].first;
    DrawMazePicture(state.maze);
    const auto boxes = fake::CallsNamed("dxDrawBox");
    ASSERT_EQ(boxes.size(), 81u * 41u);
    auto box = [&](int x, int y) { return boxes[x * 41 + y].args; };  // column by column
    EXPECT_EQ(box(80, 40), (std::vector<double>{560, 280, 567, 287, 0xFF0000, 1}));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(box(3, 2 + i)[4], cells[i].second) << "row " << 2 + i;
    EXPECT_EQ(fake::CanvasPixel(566, 286), 0xFF0000u);
    EXPECT_EQ(fake::CanvasPixel(3 * 7 + 6, 4 * 7), 0x00FFFFu);
}

}  // namespace
