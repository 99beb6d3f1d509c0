#include <gtest/gtest.h>

#include "frame/random.h"
#include "frame/tables.h"
#include "maze/generate.h"
#include "maze/maze_picture.h"
#include "maze_test_support.h"
#include "platform/fake/fake_dx.h"

using namespace maze_test;

namespace {

bool OnFrame(int x, int y) { return x == 0 || x == 80 || y == 0 || y == 40; }
bool OnRing(int x, int y) { return !OnFrame(x, y) && (x == 1 || x == 79 || y == 1 || y == 39); }

int SolidMask(const MazeGrid& wallMap, int x, int y) {
    int mask = 0;
    for (int d = 0; d < 4; ++d)
        if (wallMap[x + DIR_DX[d]][y + DIR_DY[d]] % 2 == 0) mask |= 1 << d;
    return mask;
}

void ExpectPlayableState(const MazeState& state) {
    EXPECT_EQ(state.goalX, 79);
    EXPECT_EQ(state.goalY, 38);
    EXPECT_EQ(state.maze[0][2], CELL_BORDER);
    for (int x = 0; x <= 80; ++x) {
        for (int y = 0; y <= 40; ++y) {
            const int16_t c = state.maze[x][y];
            const bool door = (x == 2 && y == 1) || (x == 79 && y == 38);
            if (door) {
                ASSERT_EQ(c, CELL_PASSAGE);
                ASSERT_EQ(state.wallMap[x][y], MAP_SG);
            } else if (OnFrame(x, y)) {
                ASSERT_EQ(c, CELL_BORDER);
                ASSERT_EQ(state.wallMap[x][y], MAP_SOLID);
            } else if (OnRing(x, y)) {
                ASSERT_EQ(c, CELL_WALL);
                ASSERT_EQ(state.wallMap[x][y], MAP_SOLID);
            } else if (c == CELL_PASSAGE) {
                ASSERT_TRUE(state.wallMap[x][y] == MAP_PASSAGE || state.wallMap[x][y] == MAP_ETC);
            } else {
                ASSERT_EQ(c, CELL_WALL) << x << "," << y;
                ASSERT_EQ(state.wallMap[x][y], MAP_SOLID);
            }
            ASSERT_EQ(state.explored[x][y], OnFrame(x, y) ? CELL_BORDER : EXPLORED_UNSEEN);
        }
    }
}

}  // namespace

TEST(MazePipeline, HandsPlayAWinnableMazeWithItsRoute) {
    fake::Reset();
    fake::SetRecording(false);
    Random random{314159};
    MazeState state;
    for (int stage = 0; stage < 100; ++stage) {
        GenerateMaze(state, random, static_cast<uint8_t>(stage % 2));
        ExpectPlayableState(state);
        // The snapshot holds the whole measured route, start and last room included, and nothing else.
        const std::set<Cell> route = InteriorCellsHolding(state.routeSnapshot, CELL_MARK);
        ASSERT_EQ(static_cast<int64_t>(route.size()) + 1, state.routeLength) << "stage " << stage;
        ASSERT_TRUE(route.count({2, 2}) && route.count({78, 38}));
        ASSERT_GE(state.routeTurns, 1);
        for (const Cell& c : route) ASSERT_EQ(state.maze[c.first][c.second], CELL_PASSAGE);
        // Elsewhere it is the maze as carved: the entrance and exit were still wall.
        for (int x = 1; x <= 79; ++x) {
            for (int y = 1; y <= 39; ++y) {
                const bool door = (x == 2 && y == 1) || (x == 79 && y == 38);
                if (!route.count({x, y})) {
                    ASSERT_EQ(state.routeSnapshot[x][y], door ? CELL_WALL : state.maze[x][y]);
                }
            }
        }
    }
    fake::Reset();
}

TEST(MazePipeline, DecoratesOnlyBendsAndJunctionsWithOneDrawPerPassage) {
    fake::Reset();
    fake::SetRecording(false);
    MazeState plain;
    Random random{2024};
    GenerateMaze(plain, random, 1);

    // Same maze, now with scripted draws 0, 1, 2, 0, 1, 2, ...
    std::vector<int> draws(4000);
    for (size_t i = 0; i < draws.size(); ++i) draws[i] = static_cast<int>(i % 3);
    fake::QueueRand(draws);
    MazeState decorated;
    random = Random{2024};
    GenerateMaze(decorated, random, 1);

    size_t k = 0;
    int bends = 0;
    for (int x = 2; x <= 78; ++x) {
        for (int y = 2; y <= 38; ++y) {
            const int16_t before = plain.wallMap[x][y] == MAP_ETC ? MAP_PASSAGE : plain.wallMap[x][y];
            if (before != MAP_PASSAGE) {
                ASSERT_EQ(decorated.wallMap[x][y], before);
                continue;
            }
            const int mask = SolidMask(decorated.wallMap, x, y);
            const bool allowed = ETC_TABLE[mask] == 1;
            bends += allowed;
            ASSERT_EQ(decorated.wallMap[x][y], allowed && draws[k] == 0 ? MAP_ETC : MAP_PASSAGE)
                << x << "," << y << " mask " << mask;
            if (x % 2 != y % 2 || mask == 5 || mask == 10) {
                ASSERT_EQ(decorated.wallMap[x][y], MAP_PASSAGE) << "slot or straight corridor";
            }
            ++k;
        }
    }
    EXPECT_GT(bends, 100);
    // The decorations never feed back into the maze grid.
    EXPECT_EQ(decorated.maze, plain.maze);
    EXPECT_EQ(decorated.routeSnapshot, plain.routeSnapshot);
    fake::Reset();
}

TEST(MazePicture, DrawsSevenPixelBoxesInCellColours) {
    fake::Reset();
    MazeState state = SolidMaze();
    state.maze[3][3] = CELL_PASSAGE;
    state.maze[3][4] = CELL_MARK;
    state.maze[3][5] = CELL_DETOUR;
    state.maze[3][6] = 7;
    state.maze[3][7] = 8;
    state.maze[3][8] = 0x1234;
    state.maze[3][9] = -3;
    DrawMazePicture(state.maze);
    const auto boxes = fake::CallsNamed("dxDrawBox");
    ASSERT_EQ(boxes.size(), 81u * 41u);
    auto box = [&](int x, int y) { return boxes[x * 41 + y].args; };  // column by column
    EXPECT_EQ(box(80, 40), (std::vector<double>{560, 280, 567, 287, 0xFF0000, 1}));
    EXPECT_EQ(box(0, 0), (std::vector<double>{0, 0, 7, 7, 0xFF0000, 1}));
    const std::pair<int, unsigned> colours[] = {{2, 0x0000FF}, {3, 0x000000}, {4, 0x00FFFF}, {5, 0xFFFF00},
                                                {6, 0xFFFFFF}, {7, 8},        {8, 0x1234},   {9, 0}};
    for (const auto& [y, colour] : colours) EXPECT_EQ(box(3, y)[4], colour) << "row " << y;

    EXPECT_EQ(fake::CanvasPixel(566, 286), 0xFF0000u);
    EXPECT_EQ(fake::CanvasPixel(567, 287), 0u) << "nothing drawn past the picture";
    EXPECT_EQ(fake::CanvasPixel(3 * 7 + 6, 4 * 7), 0x00FFFFu);
    fake::Reset();
}
