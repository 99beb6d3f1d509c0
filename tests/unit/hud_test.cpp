// The mini-map and the meters on the recording backend.
#include <gtest/gtest.h>

#include "frame/tables.h"
#include "hud/meters.h"
#include "hud/mini_map.h"
#include "platform/fake/fake_dx.h"
#include "play/player.h"

namespace {

constexpr unsigned GREY80 = 0x505050;
constexpr unsigned CYAN = 0x00FFFF;

// A maze of wall with a frame and the given open column x = 2 from y = 1 to `bottom`.
MazeState ColumnMaze(int bottom) {
    MazeState state;
    InitMazeGrid(state);
    for (int y = 1; y <= bottom; ++y) state.maze[2][y] = CELL_PASSAGE;
    for (auto& column : state.explored) column.fill(EXPLORED_UNSEEN);
    for (int x = 0; x < MAZE_WIDTH; ++x) state.explored[x][0] = state.explored[x][40] = CELL_BORDER;
    for (int y = 0; y < MAZE_HEIGHT; ++y) state.explored[0][y] = state.explored[80][y] = CELL_BORDER;
    return state;
}

unsigned BoxColourAt(int i, int j) {
    for (const fake::Call& c : fake::CallsNamed("dxDrawBox"))
        if (c.args[0] == 668 + 10 * i && c.args[1] == 146 + 10 * j) return unsigned(c.args[4]);
    return 0xDEAD;
}

TEST(MiniMap, FirstFrameOfAStage) {
    fake::Reset();
    MazeState state = ColumnMaze(5);
    UpdateMiniMap(state, 2, 1, FacingDirection(0));
    DrawMiniMap(state, 2, 1, FacingDirection(0), GraphHandle{77}, {{{40}, {41}, {42}, {43}}});
    // Facing 0 looks down the map: (2, 1) to the wall at (2, 6), with the side cells.
    for (int y = 1; y <= 6; ++y) {
        EXPECT_NE(state.explored[2][y], EXPLORED_UNSEEN) << y;
        EXPECT_EQ(state.explored[1][y], CELL_WALL) << y;
        EXPECT_EQ(state.explored[3][y], CELL_WALL) << y;
    }
    EXPECT_EQ(state.explored[2][7], EXPLORED_UNSEEN);
    EXPECT_EQ(state.explored[2][1], CELL_MARK);
    EXPECT_EQ(state.maze[2][1], CELL_MARK);

    const auto calls = fake::Calls();
    EXPECT_EQ(fake::CallsNamed("dxGetDrawScreenGraph")[0].args, (std::vector<double>{0, 0, 800, 400, 77, 1}));
    const auto boxes = fake::CallsNamed("dxDrawBox");
    ASSERT_EQ(boxes.size(), 1u + 26 * 26);
    EXPECT_EQ(boxes[0].args, (std::vector<double>{0, 0, 800, 400, 0x333333, 1}));
    EXPECT_EQ(BoxColourAt(0, 0), CYAN);          // the player's cell
    EXPECT_EQ(BoxColourAt(0, 1), 0x000000u);     // revealed passage
    EXPECT_EQ(BoxColourAt(1, 1), 0x0000FFu);     // revealed wall beside it
    EXPECT_EQ(BoxColourAt(5, 5), GREY80);        // not seen yet
    EXPECT_EQ(BoxColourAt(0, -1), 0xFF0000u);    // the frame is known from the start
    EXPECT_EQ(BoxColourAt(-13, -13), 0x000000u); // outside the grid
    EXPECT_EQ(fake::CallsNamed("dxDrawGraph")[0].args, (std::vector<double>{668, 146, 43, 1}));  // arrow down
    EXPECT_EQ(fake::CallsNamed("dxDrawExtendGraph")[0].args, (std::vector<double>{16, 16, 528, 272, 77, 0}));
    EXPECT_EQ(fake::CanvasPixel(670, 148), CYAN);
    EXPECT_EQ(fake::CanvasPixel(300, 390), 0x333333u);
}

TEST(MiniMap, SightLineStopsAfterTwentySevenCells) {
    MazeState state = ColumnMaze(39);
    RevealSightLine(state, 2, 1, Direction::Down);
    EXPECT_NE(state.explored[2][27], EXPLORED_UNSEEN);
    EXPECT_EQ(state.explored[2][28], EXPLORED_UNSEEN);
    // Marks do not stop a sight line.
    state.maze[2][5] = CELL_MARK;
    RevealSightLine(state, 2, 4, Direction::Down);
    EXPECT_EQ(state.explored[2][30], CELL_PASSAGE);
}

// The draw calls of the meters as (x, y, source y, image) for counters and (x, y, image) for time.
std::vector<std::vector<double>> MeterDraws(const MeterValues& values) {
    fake::Reset();
    GameImages images;
    for (int i = 0; i < 12; ++i) images.dMeter[i] = {100 + i};
    for (int i = 0; i < 10; ++i) images.counter[i] = {200 + i};
    images.dMeterPanel = {99};
    DrawMeters(values, images);
    std::vector<std::vector<double>> draws;
    for (const fake::Call& c : fake::Calls()) {
        if (c.name == "dxDrawGraph") draws.push_back({c.args[0], c.args[1], c.args[2]});
        if (c.name == "dxDrawRectGraph") draws.push_back({c.args[0], c.args[1], c.args[3], c.args[6]});
    }
    return draws;
}

std::vector<std::vector<double>> TimeDraws(double ms) {
    auto draws = MeterDraws({MOVE_IDLE, 0, ms, 0, 0});
    return {draws.begin() + 17, draws.end()};  // after the panel and 16 counter digits
}

TEST(Meters, TimeDigits) {
    EXPECT_EQ(TimeDraws(59'999), (std::vector<std::vector<double>>{
                                     {240, 300, 105}, {290, 300, 109}, {340, 300, 111}, {390, 300, 109}, {440, 300, 109}}));
    EXPECT_EQ(TimeDraws(60'000), (std::vector<std::vector<double>>{{140, 300, 101}, {190, 300, 110}, {240, 300, 100},
                                                                   {290, 300, 100}, {340, 300, 111}, {390, 300, 100},
                                                                   {440, 300, 100}}));
    const auto twelve = TimeDraws(12 * 60'000 + 3'450);
    EXPECT_EQ(twelve[0], (std::vector<double>{90, 300, 101}));
    EXPECT_EQ(twelve[1], (std::vector<double>{140, 300, 102}));
    EXPECT_EQ(twelve[2], (std::vector<double>{190, 300, 110}));
    EXPECT_EQ(twelve[4], (std::vector<double>{290, 300, 103}));
    EXPECT_EQ(twelve[6], (std::vector<double>{390, 300, 104}));
    EXPECT_EQ(MeterDraws({})[0], (std::vector<double>{20, 276, 99}));  // the panel first
}

TEST(Meters, CountersAndRolls) {
    // Step counter 129 halfway through a step: 9 and 2 roll by 8, the 1 stays.
    auto draws = MeterDraws({MOVE_STEP_FORWARD, 15, 0, 129, 203});
    EXPECT_EQ(draws[6], (std::vector<double>{680, 356, 0, 201}));
    EXPECT_EQ(draws[7], (std::vector<double>{700, 356, 8, 202}));
    EXPECT_EQ(draws[8], (std::vector<double>{720, 356, 8, 209}));
    // Route 203 as 00000203, never rolling.
    for (int k = 0; k < 8; ++k) {
        const double digit[8] = {0, 0, 0, 0, 0, 2, 0, 3};
        EXPECT_EQ(draws[9 + k], (std::vector<double>{580.0 + 20 * k, 308, 0, 200 + digit[k]}));
    }
    // 199: three digits roll; 109: two; frame 29 gives 15; a turn rolls nothing.
    draws = MeterDraws({MOVE_STEP_BACK, 29, 0, 199, 0});
    EXPECT_EQ(draws[6][2], 15);
    EXPECT_EQ(draws[5][2], 0);
    EXPECT_EQ(RollOffset(109, 1, MOVE_STEP_FORWARD, 15), 8);
    EXPECT_EQ(RollOffset(109, 2, MOVE_STEP_FORWARD, 15), 0);
    EXPECT_EQ(RollOffset(5, 0, MOVE_TURN_LEFT, 15), 0);
    // Every frame of a step: the offset is cut, never rounded (frame 1 is 0.53 of a row).
    for (int frame = 1; frame < 30; ++frame) {
        draws = MeterDraws({MOVE_STEP_FORWARD, frame, 0, 9, 0});
        EXPECT_EQ(draws[8][2], frame * 16 / 30) << "frame " << frame;
        EXPECT_EQ(draws[7][2], frame * 16 / 30) << "frame " << frame;
        EXPECT_EQ(draws[6][2], 0) << "frame " << frame;
    }
    // The step display wraps at ten million.
    draws = MeterDraws({MOVE_IDLE, 0, 0, 12'345'678, 0});
    EXPECT_EQ(draws[1][3], 200);
    EXPECT_EQ(draws[2][3], 202);
}

}  // namespace
