// The title screen, the mini-map and the meters on the recording backend.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "hud/meters.h"
#include "hud/mini_map.h"
#include "platform/dx.h"
#include "platform/fake/fake_dx.h"
#include "play/play_stage.h"
#include "play/player.h"
#include "play/trail.h"
#include "title/title_screen.h"

namespace {

const std::string CHOSEN_1 = "280 220 FFFFFF [↑]    DadiZider 1", OTHER_1 = "280 220 808080 [↑]    DadiZider 1";
const std::string CHOSEN_2 = "280 240 FFFFFF [↓]    DadiZider 2", OTHER_2 = "280 240 808080 [↓]    DadiZider 2";
const std::string RESEED = "280 260 FFFFFF [R]     乱数の初期化(Randomize)";
const std::string RESEEDED = "280 260 FFFF00 [R]     乱数の初期化(Randomize)", DONE = "580 260 FFFF00 済";
const std::string START = "280 300 FFFFFF [Enter] ゲームを開始します", STAGE_1 = "280 180 FFFFFF STAGE   1";

struct TitleRun {
    uint8_t result;
    TitleOptions options;
    Random random;
};

TitleRun RunTitle(const std::string& script, TitleOptions options = {}, int stage = 1) {
    fake::Reset();
    fake::SetInputScriptText(script);
    TitleRun run{0, options, Random{}};
    run.result = TitleScreen(run.options, run.random, stage, GameImages{.titleMaze = 70, .start = 71});
    return run;
}

// The strings drawn in the last frame that drew any, in order, as "x y colour text".
std::vector<std::string> LastFrameTexts() {
    std::vector<std::string> last, frame;
    for (const fake::Call& c : fake::Calls()) {
        if (c.name == "dxClearDrawScreen") frame.clear();
        if (c.name == "dxDrawString" || c.name == "dxDrawFormatString") {
            char out[200];
            std::snprintf(out, sizeof out, "%g %g %06X %s", c.args[0], c.args[1], unsigned(c.args[2]), c.text.c_str());
            frame.push_back(out);
        }
        if (c.name == "dxScreenFlip" && !frame.empty()) last = frame;
    }
    return last;
}

bool StartPictureShown() {
    const auto draws = fake::CallsNamed("dxDrawGraph");
    return !draws.empty() && draws.back().args == std::vector<double>{255, 100, 71, 1};
}

// Return and button 1 start on their release, never on their press; Escape, a closed window or the
// end of the input quit. Of up and down the last pressed chooses, and R re-seeds from the uptime
// on each release.
TEST(TitleScreen, StartQuitChoiceAndReseed) {
    const std::tuple<const char*, uint8_t, uint64_t, bool, int, int, uint32_t> runs[] = {
        // script, result, ticks, the start picture shown, flips, the algorithm chosen, the seed
        {"100 return\n1 -\n50 -", TITLE_START, 101, true, 101, 0, 1},      // held for many frames, then let go
        {"40 z\n1 -\n1 escape", TITLE_START, 41, true, 41, 0, 1},          // the pad and the keys read one tick
        {"3 return\n1 -\n5 -", TITLE_START, 4, true, 4, 0, 1},             // held on entry counts as pressed
        {"1 -\n1 escape+return", TITLE_QUIT, 2, false, 1, 0, 1},           // Escape and Return going down together
        {"1 -\n3 return\n1 return+escape", TITLE_QUIT, 5, true, 5, 0, 1},  // Escape while Return is held
        {"5 escape", TITLE_QUIT, 1, false, 0, 0, 1},                       // down on entry: nothing drawn
        {"2 -\n1 close", TITLE_QUIT, 3, false, 2, 0, 1},
        {"2 -", TITLE_QUIT, 3, false, 2, 0, 1},
        // Up and down pressed in the same frame: down wins, even in the frame before Return is let go.
        {"1 return\n1 up+down+return\n1 -", TITLE_START, 3, true, 3, 1, 1},
        // Holding up, pressing down, releasing down while up stays held: still 1.
        {"2 up\n2 up+down\n2 up\n1 up+return\n1 up", TITLE_START, 8, true, 8, 1, 1},
        // Up let go while down is held, then pressed again: up chooses.
        {"2 up\n2 up+down\n2 down\n2 down+up\n1 return\n1 -", TITLE_START, 10, true, 10, 0, 1},
        // Holding down, pressing and letting go of up: up chooses, down held on does not choose again.
        {"2 down\n2 down+up\n2 down\n1 down+return\n1 down", TITLE_START, 8, true, 8, 0, 1},
        // The same key pressed a second time chooses again.
        {"2 up\n2 -\n2 down\n2 -\n2 up\n1 return\n1 -", TITLE_START, 12, true, 12, 0, 1},
        {"2 down\n2 -\n2 up\n2 -\n2 down\n1 return\n1 -", TITLE_START, 12, true, 12, 1, 1},
        // R released at tick 66, then again at tick 112, until the input ends; held, it re-seeds nothing yet.
        {"60 -\n5 r\n1 -", TITLE_QUIT, 67, false, 66, 0, 66 * 1000 / 60},
        {"5 r\n1 -\n100 -\n5 r\n1 -", TITLE_QUIT, 113, false, 112, 0, 112 * 1000 / 60},
        {"50 r", TITLE_QUIT, 51, false, 50, 0, 1},
    };
    for (const auto& [script, result, ticks, startPicture, flips, choice, seed] : runs) {
        SCOPED_TRACE(script);
        const TitleRun run = RunTitle(script);
        EXPECT_EQ(run.result, result);
        EXPECT_EQ(fake::Ticks(), ticks);
        EXPECT_EQ(StartPictureShown(), startPicture);
        EXPECT_EQ(fake::FlipCount(), flips);
        EXPECT_EQ(run.options.algorithmChoice, choice);
        EXPECT_EQ(run.random.seed, seed);
        EXPECT_EQ(run.options.reseeded, seed != 1);
    }
}

// Every line of a first visit and the stage number at any width; the chosen line is white, the
// other grey, in the frame after a press; a re-seed turns its line yellow and adds a mark, from the
// first frame of a later visit too.
TEST(TitleScreen, LinesAsDrawn) {
    RunTitle("3 -\n2 return\n1 -");
    EXPECT_EQ(LastFrameTexts(), (std::vector<std::string>{STAGE_1, CHOSEN_1, OTHER_2, RESEED, START}));
    EXPECT_EQ(fake::CallsNamed("dxDrawGraph").front().args, (std::vector<double>{175, 60, 70, 1}));
    for (auto [stage, line] : {std::pair{12, "STAGE  12"}, {123, "STAGE  123"}, {1234, "STAGE  1234"}}) {
        RunTitle("1 -\n1 return\n1 -", {}, stage);
        EXPECT_EQ(LastFrameTexts().front(), std::string("280 180 FFFFFF ") + line);
    }
    RunTitle("2 down\n1 -");
    EXPECT_EQ(LastFrameTexts(), (std::vector<std::string>{STAGE_1, OTHER_1, CHOSEN_2, RESEED, START}));
    const std::vector<std::string> reseeded = {STAGE_1, CHOSEN_1, OTHER_2, RESEEDED, DONE, START};
    RunTitle("60 -\n5 r\n1 -");
    EXPECT_EQ(LastFrameTexts(), reseeded);
    RunTitle("1 -", TitleOptions{0, 1});
    EXPECT_EQ(LastFrameTexts(), reseeded);
}

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
    PlayState play;
    UpdatePlayFrame(state, play, 0);
    DrawPlayScreen(state, ENTRANCE_CELL, START_FACING, GraphHandle{77}, {{{40}, {41}, {42}, {43}}});
    // The start looks down the map: (2, 1) to the wall at (2, 6), with the side cells.
    const MazeGrid& seen = state.explored;
    for (int y = 1; y <= 6; ++y)
        EXPECT_TRUE(seen[2][y] != EXPLORED_UNSEEN && seen[1][y] == CELL_WALL && seen[3][y] == CELL_WALL) << y;
    EXPECT_EQ(seen[2][7], EXPLORED_UNSEEN);
    EXPECT_EQ(seen[2][1], CELL_MARK);
    EXPECT_EQ(state.maze[2][1], CELL_MARK);
    EXPECT_EQ(fake::CallsNamed("dxGetDrawScreenGraph")[0].args, (std::vector<double>{0, 0, 800, 400, 77, 1}));
    const auto boxes = fake::CallsNamed("dxDrawBox");
    ASSERT_EQ(boxes.size(), 1u + 26 * 26);
    EXPECT_EQ(boxes[0].args, (std::vector<double>{0, 0, 800, 400, 0x333333, 1}));
    EXPECT_EQ(BoxColourAt(0, 0), 0x00FFFFu);      // the player's cell
    EXPECT_EQ(BoxColourAt(0, 1), 0x000000u);      // revealed passage
    EXPECT_EQ(BoxColourAt(1, 1), 0x0000FFu);      // revealed wall beside it
    EXPECT_EQ(BoxColourAt(5, 5), 0x505050u);      // not seen yet
    EXPECT_EQ(BoxColourAt(0, -1), 0xFF0000u);     // the frame is known from the start
    EXPECT_EQ(BoxColourAt(-13, -13), 0x000000u);  // outside the grid
    EXPECT_EQ(fake::CallsNamed("dxDrawGraph")[0].args, (std::vector<double>{668, 146, 43, 1}));  // arrow down
    EXPECT_EQ(fake::CallsNamed("dxDrawExtendGraph")[0].args, (std::vector<double>{16, 16, 528, 272, 77, 0}));
}

TEST(MiniMap, SightLineStopsAfterTwentySevenCells) {
    MazeState state = ColumnMaze(39);
    RevealSightLine(state, {2, 1}, Direction::Down);
    EXPECT_NE(state.explored[2][27], EXPLORED_UNSEEN);
    EXPECT_EQ(state.explored[2][28], EXPLORED_UNSEEN);
    // Marks do not stop a sight line.
    state.maze[2][5] = CELL_MARK;
    RevealSightLine(state, {2, 4}, Direction::Down);
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

// The time as drawn after the panel and 16 counter digits (image 110 a colon, 111 a point), each
// character 50 pixels on from the last, the last at (440, 300).
std::string TimeShown(double ms) {
    const auto draws = MeterDraws({false, 0, ms, 0, 0});
    std::string shown;
    for (size_t i = 17; i < draws.size(); ++i) {
        EXPECT_EQ(draws[i][0], 440 - 50.0 * (draws.size() - 1 - i)) << ms;
        EXPECT_EQ(draws[i][1], 300) << ms;
        shown += std::string("0123456789:.").at(int(draws[i][2]) - 100);
    }
    return shown;
}

TEST(Meters, PanelThenTimeDigits) {
    EXPECT_EQ(MeterDraws({})[0], (std::vector<double>{20, 276, 99}));
    EXPECT_EQ(TimeShown(59'999), "59.99");
    EXPECT_EQ(TimeShown(60'000), "1:00.00");
    EXPECT_EQ(TimeShown(12 * 60'000 + 3'450), "12:03.45");
}

TEST(Meters, CountersAndRolls) {
    // Step counter 129 halfway through a step: 9 and 2 roll by 8, the 1 stays.
    auto draws = MeterDraws({true, 15, 0, 129, 203});
    EXPECT_EQ(draws[6], (std::vector<double>{680, 356, 0, 201}));
    EXPECT_EQ(draws[7], (std::vector<double>{700, 356, 8, 202}));
    EXPECT_EQ(draws[8], (std::vector<double>{720, 356, 8, 209}));
    // Route 203 as 00000203, never rolling.
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(draws[9 + k], (std::vector<double>{580.0 + 20 * k, 308, 0, 200.0 + "00000203"[k] - '0'}));
    // 199 going back: three digits roll; a turn rolls nothing.
    draws = MeterDraws({true, 29, 0, 199, 0});
    EXPECT_EQ(draws[6][2], 15);
    EXPECT_EQ(draws[5][2], 0);
    EXPECT_EQ(RollOffset(9, 0, IsStepping(MOVE_TURN_LEFT), 15), 0);
    // Every frame of a step: the offset is cut, never rounded (frame 1 is 0.53 of a row).
    for (int frame = 1; frame < 30; ++frame) {
        draws = MeterDraws({true, frame, 0, 9, 0});
        EXPECT_EQ(draws[8][2], frame * 16 / 30) << "frame " << frame;
        EXPECT_EQ(draws[7][2], frame * 16 / 30) << "frame " << frame;
        EXPECT_EQ(draws[6][2], 0) << "frame " << frame;
    }
    // The step display wraps at ten million.
    draws = MeterDraws({false, 0, 0, 12'345'678, 0});
    EXPECT_EQ(draws[1][3], 200);
    EXPECT_EQ(draws[2][3], 202);
}

}  // namespace
