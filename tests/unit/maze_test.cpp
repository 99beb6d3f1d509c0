// The maze: grid operations, both carvings, the repair, the route search and the route walk on
// hand-made grids; generated mazes from carving to what play receives; and the maze picture.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "frame/random.h"
#include "frame/tables.h"
#include "maze/dadizider_1.h"
#include "maze/dadizider_2.h"
#include "maze/generate.h"
#include "maze/maze_picture.h"
#include "maze/reachability.h"
#include "maze/route_search.h"
#include "maze/route_walk.h"
#include "platform/fake/fake_dx.h"
#include "title/colour.h"

namespace {

using Cell = std::pair<int, int>;
using CellMap = std::array<std::array<Cell, MAZE_HEIGHT>, MAZE_WIDTH>;

// Solid interior inside the frame, goal at the last room.
MazeState SolidMaze() {
    MazeState state;
    InitMazeGrid(state);
    state.goalX = LAST_ROOM.x;
    state.goalY = LAST_ROOM.y;
    return state;
}

// Opens every cell on the straight line between two cells, both ends included.
void Dig(MazeState& state, Cell from, Cell to) {
    const int dx = (to.first > from.first) - (to.first < from.first);
    const int dy = (to.second > from.second) - (to.second < from.second);
    for (Cell c = from;; c = {c.first + dx, c.second + dy}) {
        state.maze[c.first][c.second] = CELL_PASSAGE;
        if (c == to) break;
    }
}

void DigPath(MazeState& state, std::initializer_list<Cell> corners) {
    for (auto c = corners.begin(); c + 1 < corners.end(); ++c) Dig(state, c[0], c[1]);
}

// Breadth first over the open interior cells from the start cell: the cell each one was reached
// from (the start its own), (-1, -1) where none was reached.
CellMap Reach(const MazeGrid& maze) {
    CellMap from;
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
    return from;
}

// The shortest path of open cells from the start cell to (gx, gy); empty when there is none.
std::set<Cell> ShortestPath(const MazeGrid& maze, int gx, int gy) {
    const CellMap from = Reach(maze);
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

bool IsDoor(int x, int y) { return (x == 2 && y == 1) || (x == 79 && y == 38); }

// Every carving leaves the frame, the ring, open rooms, solid pillars and slots open or wall (no 99).
// DadiZider 1 leaves a perfect maze: 740 open slots joining all 741 rooms. DadiZider 2 keeps its rooms'
// sides in step with the grid, and draws only the goal and the slot where its second walk joins the first.
void ExpectCarved(const MazeState& state, const DadiZider2Work& work, bool first) {
    for (int x = 0; x <= 80; ++x) {
        for (int y = 0; y <= 40; ++y) {
            const int16_t c = state.maze[x][y];
            if (x == 0 || x == 80 || y == 0 || y == 40) ASSERT_EQ(c, CELL_BORDER) << x << "," << y;
            else if (x == 1 || x == 79 || y == 1 || y == 39) ASSERT_EQ(c, CELL_WALL) << x << "," << y;
            else if (x % 2 == 0 && y % 2 == 0) ASSERT_EQ(c, CELL_PASSAGE) << x << "," << y;
            else if (x % 2 == 1 && y % 2 == 1) ASSERT_EQ(c, CELL_WALL) << x << "," << y;
            else ASSERT_TRUE(c == CELL_PASSAGE || c == CELL_WALL) << x << "," << y << " holds " << c;
        }
    }
    if (first) {
        const CellMap from = Reach(state.maze);
        int slots = 0, rooms = 0;
        for (int x = 2; x <= 78; ++x)
            for (int y = 2; y <= 38; ++y) {
                slots += (x + y) % 2 == 1 && state.maze[x][y] == CELL_PASSAGE;
                rooms += x % 2 == 0 && y % 2 == 0 && from[x][y].first >= 0;
            }
        ASSERT_EQ(slots, 1424 - 684) << "two pillars chose one slot";
        ASSERT_EQ(rooms, 741);
        return;
    }
    RoomSides fresh;
    ReadSides(state.maze, fresh);
    for (int x = ROOM_MIN; x <= ROOM_MAX_X; x += 2)
        for (int y = ROOM_MIN; y <= ROOM_MAX_Y; y += 2) ASSERT_EQ(work.sides[x][y], fresh[x][y]) << x << "," << y;
    const auto boxes = fake::CallsNamed("dxDrawBox");
    ASSERT_EQ(boxes.size(), work.firstCount < DZ2_FIRST_WALK_ROOMS ? 0u : 2u);
    if (boxes.empty()) return;
    EXPECT_EQ(boxes[0].args, (std::vector<double>{546, 266, 553, 273, 0, 1}));
    EXPECT_EQ((int(boxes[1].args[0]) / 7 + int(boxes[1].args[1]) / 7) % 2, 1) << "a slot, not a room";
    EXPECT_EQ(boxes[1].args[4], 0);
}

// Solid sides (bit d: the neighbour toward direction d is solid) of a wall-map cell.
int SolidMask(const MazeGrid& wallMap, int x, int y) {
    int mask = 0;
    for (int d = 0; d < 4; ++d) mask |= (wallMap[x + DIR_DX[d]][y + DIR_DY[d]] % 2 == 0) << d;
    return mask;
}

// Frame, ring and doors as play needs them, and an explored map that knows only the frame. The wall
// map is walkable exactly where the maze is open; a passage is decorated where ETC_TABLE allows and
// its draw, one per passage in column order, was 0. Returns the number decorated.
int ExpectPlayable(const MazeState& state, const std::vector<int>& draws) {
    EXPECT_EQ(std::make_pair(state.goalX, state.goalY), std::make_pair(79, 38));
    size_t k = 0;
    int decorated = 0;
    for (int x = 0; x <= 80; ++x) {
        for (int y = 0; y <= 40; ++y) {
            const bool frame = x == 0 || x == 80 || y == 0 || y == 40;
            const bool ring = x == 1 || x == 79 || y == 1 || y == 39;
            const int16_t c = state.maze[x][y], w = state.wallMap[x][y];
            EXPECT_EQ(state.explored[x][y], frame ? CELL_BORDER : EXPLORED_UNSEEN);
            if (IsDoor(x, y)) {
                EXPECT_TRUE(c == CELL_PASSAGE && w == MAP_SG) << x << "," << y;
            } else if (frame || ring || c != CELL_PASSAGE) {
                EXPECT_TRUE(c == (frame ? CELL_BORDER : CELL_WALL) && w == MAP_SOLID) << x << "," << y;
            } else {
                const int mask = SolidMask(state.wallMap, x, y);
                const bool decorate = draws.at(k++) == 0 && ETC_TABLE[mask] == 1;
                EXPECT_EQ(w, decorate ? MAP_ETC : MAP_PASSAGE) << x << "," << y << " mask " << mask;
                EXPECT_TRUE(!decorate || (x % 2 == 0 && y % 2 == 0 && mask != 5 && mask != 10)) << "slot or corridor";
                decorated += decorate;
            }
        }
    }
    EXPECT_EQ(k, draws.size()) << "one draw per passage";
    return decorated;
}

uint32_t SeedAfter(uint32_t seed, int steps) {
    Random random{seed};
    for (int i = 0; i < steps; ++i) NextRandom(random);
    return random.seed;
}

// The whole lattice open: every room joined to each neighbour, a maze of loops.
MazeState OpenField() {
    MazeState state = SolidMaze();
    for (int x = 2; x <= 78; x += 2) Dig(state, {x, 2}, {x, 38});
    for (int y = 2; y <= 38; y += 2) Dig(state, {2, y}, {78, y});
    return state;
}

TEST(MazeGrid, OperationsNeverTouchTheFrame) {
    MazeState state;
    for (auto& column : state.maze) column.fill(7);
    InitMazeGrid(state);
    EXPECT_EQ(state.maze, SolidMaze().maze) << "whatever the grid held before";
    state.maze[0][5] = state.maze[3][3] = CELL_MARK;
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
    for (auto [x, y] : {Cell{4, 3}, Cell{3, 6}, Cell{2, 7}}) EXPECT_EQ(state.maze[x][y], CELL_WALL) << x << "," << y;
    for (auto [x, y] : {Cell{2, 3}, Cell{3, 4}, Cell{2, 5}}) EXPECT_EQ(state.maze[x][y], CELL_PASSAGE) << x << "," << y;
    EXPECT_EQ(random.seed, SeedAfter(1, 2 * 684)) << "one fraction per pillar";
}

TEST(MazeDadiZider2, CarvingStepModes) {
    DadiZider2Work work;
    Random random;
    int16_t x, y;
    const auto step = [&](MazeState& state, int mode, int16_t fromX, int16_t fromY) {  // seed 1, sides read afresh
        random = Random{};
        x = fromX, y = fromY;
        ReadSides(state.maze, work.sides);
        return CarveStep(state, random, work, x, y, mode);
    };
    // From (2, 2), 0.53204 gives row 12, (2, 0, 1, 3): left meets the frame, right carves the slot and
    // the room, and (2, 2) is pushed.
    MazeState state = SolidMaze();
    SetCell(state, 2, 2, CELL_PASSAGE);
    work.depth = 0;
    ASSERT_EQ(step(state, 0, 2, 2), 1);
    EXPECT_EQ(std::make_pair(int(x), int(y)), std::make_pair(4, 2));
    EXPECT_TRUE(state.maze[3][2] == CELL_PASSAGE && state.maze[4][2] == CELL_PASSAGE && state.maze[1][2] == CELL_WALL);
    ASSERT_EQ(work.depth, 1);
    EXPECT_EQ(std::make_pair(int(work.stack[1].x), int(work.stack[1].y)), std::make_pair(2, 2));
    EXPECT_EQ(random.seed, SeedAfter(1, 2));
    // A room at (10, 10) whose only opening is to its right: row 12 leads left. Mode 1 rejects it, as
    // its first direction is straight on away from the opening, and takes row 7, (1, 0, 3, 2), from
    // the second fraction 0.29195.
    MazeState base = SolidMaze();
    DigPath(base, {{10, 10}, {12, 10}});
    state = base;
    ASSERT_EQ(step(state, 0, 10, 10), 1);
    EXPECT_EQ(std::make_pair(int(x), int(y)), std::make_pair(8, 10));
    state = base;
    ASSERT_EQ(step(state, 1, 10, 10), 1);
    EXPECT_EQ(std::make_pair(int(x), int(y)), std::make_pair(10, 8));
    EXPECT_EQ(random.seed, SeedAfter(1, 4));
    // Every room around is open already: nothing changes, one fraction drawn, nothing pushed.
    state = SolidMaze();
    for (auto [rx, ry] : {Cell{12, 10}, Cell{10, 8}, Cell{8, 10}, Cell{10, 12}}) state.maze[rx][ry] = CELL_PASSAGE;
    const MazeGrid blocked = state.maze;
    work.depth = 3;
    EXPECT_EQ(step(state, 0, 10, 10), 0);
    EXPECT_EQ(state.maze, blocked);
    EXPECT_EQ(work.depth, 3);
    EXPECT_EQ(random.seed, SeedAfter(1, 2));
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

TEST(MazeRouteSearch, KeepsTheBranchPointWhenALaterBranchEndsAtTheGoal) {
    // At (76, 38) the dead end to the west is searched first and its retreat wipes the branch point;
    // the goal is the very next room to the east. The route must stay whole.
    MazeState state = SolidMaze();
    DigPath(state, {{2, 2}, {76, 2}, {76, 38}, {70, 38}});
    Dig(state, {76, 38}, {78, 38});
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

// A search that cannot reach the goal wipes every cell it explored, leaving nothing for the walk;
// the pipeline then joins the goal up and measures a real route.
TEST(MazeRouteSearch, StopsWhenTheGoalIsWalledOff) {
    MazeState state = OpenField();
    state.maze[77][38] = state.maze[78][37] = CELL_WALL;
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
    fake::Reset();
    CompleteMaze(state);
    const std::set<Cell> route = InteriorCellsHolding(state.routeSnapshot, CELL_MARK);
    EXPECT_EQ(static_cast<int64_t>(route.size()) + 1, state.routeLength);
}

TEST(MazeRouteWalk, WritesItsMarkAndStopsAtAGap) {
    MazeState state = SolidMaze();
    DigPath(state, {{2, 2}, {2, 38}, {78, 38}});
    ReplaceCode(state, CELL_PASSAGE, CELL_MARK);
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

// Every carved maze gets its one shortest path as the route play reviews, over the maze as carved,
// measured with start, last room and exit; the decorations leave the maze grid alone.
TEST(MazePipeline, CarvedMazesGetTheirShortestRouteAndAPlayableGrid) {
    fake::Reset();
    Random random{5};
    MazeState state;
    DadiZider2Work work;
    int secondWalks = 0, decorated = 0;
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
        const MazeGrid carved = state.maze;
        const std::set<Cell> path = ShortestPath(carved, 78, 38);
        std::vector<int> draws;  // 0, 1, 2, 0, ...: every third passage the table allows is decorated
        for (int x = 2; x <= 78; ++x)
            for (int y = 2; y <= 38; ++y)
                if (carved[x][y] == CELL_PASSAGE) draws.push_back(int(draws.size() + stage) % 3);
        fake::QueueRand(draws);
        CompleteMaze(state);
        decorated += ExpectPlayable(state, draws);
        ASSERT_FALSE(HasFailure());
        ASSERT_EQ(InteriorCellsHolding(state.routeSnapshot, CELL_MARK), path);
        ASSERT_EQ(state.routeLength, int64_t(path.size()) + 1);
        for (int x = 1; x <= 79; ++x)
            for (int y = 1; y <= 39; ++y) {
                ASSERT_EQ(state.maze[x][y], IsDoor(x, y) ? CELL_PASSAGE : carved[x][y]) << x << "," << y;
                if (!path.count({x, y})) {
                    ASSERT_EQ(state.routeSnapshot[x][y], carved[x][y]) << x << "," << y;
                }
            }
    }
    EXPECT_GT(secondWalks, 0);
    EXPECT_GT(decorated, 10000);
}

TEST(MazePicture, DrawsSevenPixelBoxesInCellColours) {
    fake::Reset();
    MazeState state = SolidMaze();
    // Column 3 from row 2 down: the game's codes, the rest of the colour table, codes past it and below.
    const std::pair<int16_t, unsigned> cells[] = {{CELL_WALL, 0x0000FF}, {CELL_PASSAGE, 0},
                                                  {CELL_MARK, 0x00FFFF}, {CELL_DETOUR, 0xFFFF00},
                                                  {3, 0xFF00FF},         {4, 0x00FF00},
                                                  {7, 0xFFFFFF},         {8, 8},
                                                  {0x1234, 0x1234},      {-3, 0}};
    for (int i = 0; i < 10; ++i) state.maze[3][2 + i] = cells[i].first;
    DrawMazePicture(state.maze);
    const auto boxes = fake::CallsNamed("dxDrawBox");
    ASSERT_EQ(boxes.size(), 81u * 41u);
    auto box = [&](int x, int y) { return boxes[x * 41 + y].args; };  // column by column
    EXPECT_EQ(box(80, 40), (std::vector<double>{560, 280, 567, 287, 0xFF0000, 1}));
    EXPECT_EQ(box(0, 0), (std::vector<double>{0, 0, 7, 7, 0xFF0000, 1}));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(box(3, 2 + i)[4], cells[i].second) << "row " << 2 + i;
    EXPECT_EQ(ColourByNumber(8), 0u);  // past the table
    EXPECT_EQ(fake::CanvasPixel(566, 286), 0xFF0000u);
    EXPECT_EQ(fake::CanvasPixel(567, 287), 0u) << "nothing drawn past the picture";
    EXPECT_EQ(fake::CanvasPixel(3 * 7 + 6, 4 * 7), 0x00FFFFu);
}

}  // namespace
