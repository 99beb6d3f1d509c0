// Movement through the wall map, the 3-D scene's cell pass, and the play loop end to end on the
// recording backend: ways out, the goal, the result screens, and the scores, result line and key
// waits they are made of.
#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>

#include "frame/game.h"
#include "platform/dx.h"
#include "platform/fake/fake_dx.h"
#include "play/play_stage.h"
#include "play/player.h"
#include "play/result_screen.h"
#include "play/scene.h"
#include "title/title_screen.h"

namespace {

MazeGrid WallMapWithOpen(std::initializer_list<Cell> open) {
    MazeGrid map{};
    for (const Cell& c : open) map[c.x][c.y] = MAP_PASSAGE;
    return map;
}

Player Frames(Player p, const MazeGrid& map, int input, int frames, uint64_t& steps) {
    for (int i = 0; i < frames; ++i) UpdateMovement(p, map, input, steps);
    return p;
}

TEST(Movement, StepsTakeThirtyFramesAfterTheAcceptingOne) {
    const MazeGrid map = WallMapWithOpen({{2, 1}, {2, 2}, {2, 3}});
    uint64_t steps = 0;
    Player p = Frames(Player{}, map, PAD_INPUT_UP, 1, steps);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 1000);  // the accepting frame does not move the camera
    p = Frames(p, map, 0, 15, steps);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 1500);
    EXPECT_EQ(p.cell.y, 1);  // the cell changes only at the end of the step
    p = Frames(p, map, PAD_INPUT_UP, 15, steps);
    EXPECT_EQ(p.cell.y, 2);
    EXPECT_EQ(p.moveState, MOVE_IDLE);  // held through the last frame, the key is taken in the next
    EXPECT_EQ(steps, 1u);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 2000);
    // A step back keeps the view.
    p = Frames(p, map, PAD_INPUT_DOWN, 31, steps);
    EXPECT_EQ(p.cell.y, 1);
    EXPECT_EQ(steps, 2u);
    EXPECT_FLOAT_EQ(p.viewDirection.x, 1);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 1000);
}

TEST(Movement, LaterTestsWinAndBlockedStepsDoNothing) {
    uint64_t steps = 0;
    // Up and left together: the turn wins.
    const MazeGrid corridor = WallMapWithOpen({{2, 1}, {2, 2}});
    EXPECT_EQ(Frames(Player{}, corridor, PAD_INPUT_UP | PAD_INPUT_LEFT, 1, steps).moveState, MOVE_TURN_LEFT);
    // Up and down where only the forward cell is open: a step forward into that cell.
    Player p = Frames(Player{}, corridor, PAD_INPUT_UP | PAD_INPUT_DOWN, 31, steps);
    EXPECT_EQ(p.cell.y, 2);
    EXPECT_EQ(steps, 1u);
    // Codes 3 and 5 are walkable; 2 and 0 are not, and stepping against them does nothing.
    MazeGrid codes = corridor;
    for (int16_t code : {MAP_SG, MAP_ETC, int16_t{2}, MAP_SOLID}) {
        codes[2][2] = code;
        EXPECT_EQ(Frames(Player{}, codes, PAD_INPUT_UP, 1, steps).moveState, code % 2 ? MOVE_STEP_FORWARD : MOVE_IDLE);
    }
}

// A left turn, then a step after each quarter turn to the right, round a square of four cells:
// facing right steps x + 1, then down, left and up in turn.
TEST(Movement, QuarterTurnsAndTheWayEachFacingSteps) {
    const MazeGrid map = WallMapWithOpen({{10, 10}, {11, 10}, {11, 11}, {10, 11}});
    Player p;
    p.cell = {10, 10};
    uint64_t steps = 0;
    p = Frames(p, map, PAD_INPUT_LEFT, 16, steps);  // halfway through a left turn
    EXPECT_NEAR(p.viewDirection.x, 0.70710677f, 1e-6);
    EXPECT_NEAR(p.viewDirection.z, 0.70710677f, 1e-6);  // left of +X is +Z in this world
    p = Frames(p, map, 0, 15, steps);
    EXPECT_EQ(p.facing, Direction::Right);
    EXPECT_NEAR(p.viewDirection.z, 1.0f, 1e-6);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 1000);  // turning never moves the eye
    const Cell square[4] = {{11, 10}, {11, 11}, {10, 11}, {10, 10}};
    for (int k = 0; k < 4; ++k) {
        if (k > 0) p = Frames(p, map, PAD_INPUT_RIGHT, 31, steps);
        p = Frames(p, map, PAD_INPUT_UP, 31, steps);
        EXPECT_EQ(p.cell, square[k]) << k;
    }
    EXPECT_EQ(steps, 4u);
    EXPECT_NEAR(p.viewDirection.x, -1.0f, 1e-6);  // facing up
}

TEST(Scene, CellPassModelsAndSolidSides) {
    fake::Reset();
    MazeGrid map{};
    map[2][1] = MAP_SG;       // entrance: open below only
    map[2][2] = MAP_PASSAGE;  // open above and below: corridor along world X
    map[2][3] = MAP_ETC;      // dead end open toward world -X
    const WallModels models{-1, 11, -1, 13, -1, 15};
    DrawScene(models, map, {1000, 500, 2000}, {1001, 500, 2000}, {1, 0, 0});
    const auto calls = fake::Calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ((std::vector<std::string>{calls[0].name, calls[1].name, calls[2].name, calls[3].name}),
              (std::vector<std::string>{"dxSetCameraPositionAndTarget_UpVecY", "dxSetLightDirection",
                                        "dxChangeLightTypePoint", "dxSetupCamera_Perspective"}));
    EXPECT_EQ(calls[2].args, (std::vector<double>{1000, 500, 2000, 30000, 0, double(0.0005f), 0}));
    EXPECT_EQ(calls[3].args[0], double(1.0471975803375244f));
    const auto draws = fake::CallsNamed("dxMV1DrawFrame");
    const auto places = fake::CallsNamed("dxMV1SetPosition");
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].args, (std::vector<double>{13, 2 + 4 + 8}));  // entrance (2, 1): wall_SG
    EXPECT_EQ(draws[1].args, (std::vector<double>{11, 4 + 8}));      // straight corridor along X
    EXPECT_EQ(draws[2].args, (std::vector<double>{15, 1 + 4 + 8}));  // dead end
    EXPECT_EQ(places[2].args, (std::vector<double>{15, 3000, 0, 2000}));
    EXPECT_EQ(FrameOfSolidSides(map, 0, 0), 15);  // outside the grid counts as solid
    // A cell with one solid side draws that side's frame: 1 world +X (the map's y + 1), 2 world -X,
    // 4 world +Z (x + 1), 8 world -Z (x - 1). The edge cells of an open 3 x 3 block have one each.
    for (int x = 10; x <= 12; ++x)
        for (int y = 10; y <= 12; ++y) map[x][y] = MAP_PASSAGE;
    for (const auto& [x, y, frame] : {std::tuple{11, 12, 1}, {11, 10, 2}, {12, 11, 4}, {10, 11, 8}, {11, 11, 0}})
        EXPECT_EQ(FrameOfSolidSides(map, x, y), frame) << x << "," << y;
}

class PlayLoop : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        // A two-cell maze: the entrance and, below it on the map, the exit.
        InitMazeGrid(game.maze);
        for (auto& column : game.maze.explored) column.fill(EXPLORED_UNSEEN);
        game.maze.maze[2][1] = game.maze.maze[2][2] = CELL_PASSAGE;
        game.maze.wallMap[2][1] = game.maze.wallMap[2][2] = MAP_SG;
        game.maze.routeSnapshot = game.maze.maze;
        game.maze.goalX = game.maze.goalY = 2;
        game.maze.routeLength = 2;
        game.stageNumber = 4;
    }
    Game game;
};

TEST_F(PlayLoop, EscapeEndsAtTheTopOfAFrameAndEInTheFrameItIsSeen) {
    fake::SetInputScriptText("5 -\n1 escape\n10 -");
    EXPECT_EQ(PlayStage(game.maze, game.play, game.images).ending, StageEnding::Quit);
    EXPECT_EQ(fake::FlipCount(), 5);
    EXPECT_EQ(fake::CallsNamed("dxClearDrawScreen").size(), 5u);
    fake::ClearCalls();
    fake::SetInputScriptText("5 -\n1 e\n10 -");
    PlayAndScoreStage(game);
    EXPECT_EQ(fake::CallsNamed("dxScreenFlip").size(), 5u);  // the frame that saw E is drawn but not shown
    EXPECT_EQ(fake::CallsNamed("dxClearDrawScreen").size(), 6u);
    EXPECT_TRUE(fake::CallsNamed("dxDrawFormatString").empty());  // no result screen
}

// The exit reached, the last play frame is handed on unflipped to the result pictures. A window
// closed during each of them: the pictures left are shown once each, the stage ends, and the next
// title quits at once, so the game ends with 0.
TEST_F(PlayLoop, ReachingTheExitThenTheWindowClosedDuringEachResultPicture) {
    // The step takes 31 ticks; Return then leaves the goal picture and the route review in turn.
    const char* const closedDuring[] = {
        "1 up\n30 -\n2 -\n1 close",                                // the goal picture
        "1 up\n30 -\n1 -\n1 return\n1 -\n1 close",                 // the route review
        "1 up\n30 -\n1 -\n1 return\n1 -\n1 return\n1 -\n1 close",  // the score panel
    };
    const Game fresh = game;
    for (const char* script : closedDuring) {
        SCOPED_TRACE(script);
        fake::Reset();
        game = fresh;
        game.report = true;
        fake::SetInputScriptText(script);
        testing::internal::CaptureStdout();
        PlayAndScoreStage(game);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(fake::FlipCount(), 30 + 3);  // the play frames, then each result picture once
        EXPECT_LE(fake::Ticks(), 40u);         // no picture waited out its 5 seconds (300 ticks)
        EXPECT_EQ(out,
                  "result stage=4 algorithm=1 route=2 turns=0 steps=1 time_ms=516 distance=50.0 time=50.0 "
                  "total=100.0\n");  // the clock as read in the frame the exit was reached
        const uint64_t ticks = fake::Ticks();
        EXPECT_EQ(TitleScreen(game.title, game.random, 5, game.images), TITLE_QUIT);
        EXPECT_EQ(fake::FlipCount(), 30 + 3);  // the title quits before it draws
        EXPECT_EQ(fake::Ticks(), ticks + 1);
    }
}

TEST_F(PlayLoop, ResultPicturesInTurnAndTheRouteReview) {
    fake::SetInputScriptText("1 escape");  // Escape held: every wait passes at once
    MazeState& state = game.maze;
    state.routeSnapshot[4][4] = state.routeSnapshot[4][5] = CELL_MARK;     // the route
    state.routeSnapshot[6][4] = state.routeSnapshot[8][4] = CELL_PASSAGE;  // off the route
    state.explored[4][5] = state.explored[6][4] = CELL_MARK;               // walked
    state.explored[7][7] = CELL_MARK;                                      // a wall in the snapshot stays a wall
    state.routeTurns = 1;
    state.goalX = 79;  // the exit on the ring, outside the painted rooms
    state.goalY = 38;
    const StageResult result{2, 0, 2, 1'500, false};  // on the route, in par time
    ResultScreen(state, result, ComputeScores(2, 1, 2, 1'500), GraphHandle{9}, GameImages{.goal = {5}});
    EXPECT_EQ(fake::FlipCount(), 3);
    EXPECT_EQ(fake::CallsNamed("dxDrawGraph")[0].args, (std::vector<double>{149, 60, 5, 1}));
    const auto boxes = fake::CallsNamed("dxDrawBox");
    ASSERT_EQ(boxes.size(), 81u * 41 + 1);                     // the review picture, then the panel
    EXPECT_EQ(boxes[79 * 41 + 38].args[4], double(0x00FFFF));  // the exit, marked on the picture
    std::vector<std::string> texts;
    for (const fake::Call& c : fake::Calls())
        if (c.name == "dxDrawFormatString" || c.name == "dxDrawString") texts.push_back(c.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"STAGE     2", "DadiZider 1", "距離得点   50.0", "時間得点   50.0",
                                               "総合得点  100.0", "Enterキーでタイトルに戻ります"}));
    // The review: the route and the exit marked, a walked detour set apart, the rest as in the snapshot.
    const auto& m = state.maze;
    EXPECT_EQ((std::vector<int16_t>{m[4][4], m[4][5], m[6][4], m[8][4], m[7][7], m[79][38]}),
              (std::vector<int16_t>{CELL_MARK, CELL_MARK, CELL_DETOUR, CELL_PASSAGE, CELL_WALL, CELL_MARK}));
}

TEST(Scores, CutNotRoundedAndCappedAndTheResultLine) {
    const double cases[][6] = {
        // route, turns, steps, ms, distance, time
        {100, 20, 100, 60'000, 50.0, 50.0},             // on the route, exactly par time
        {100, 20, 200, 120'000, 25.0, 25.0},            // twice the steps and twice the time
        {100, 20, 90, 30'000, 50.0, 50.0},              // fewer steps than the route, faster than par
        {3339, 0, 5000, 3339 * 500 * 1.5, 33.3, 33.3},  // 33.39 is cut to 33.3
    };
    for (const auto& [route, turns, steps, ms, distance, time] : cases) {
        const Scores s = ComputeScores(int64_t(route), int16_t(turns), uint64_t(steps), ms);
        EXPECT_DOUBLE_EQ(s.distance, distance) << route << " " << steps;
        EXPECT_DOUBLE_EQ(s.time, time) << route << " " << ms;
    }
    // No steps or no time cannot happen in play, but give the cap instead of garbage.
    EXPECT_DOUBLE_EQ(ComputeScores(100, 0, 0, 0.0).total, 100.0);
    // The result line: algorithm counted from 1, milliseconds cut.
    MazeState state;
    state.routeLength = 114;
    state.routeTurns = 1;
    EXPECT_EQ(
        ResultLine(state, {3, 1, 228, 123456.789, true}, ComputeScores(114, 1, 228, 123456.789)),
        "result stage=3 algorithm=2 route=114 turns=1 steps=228 time_ms=123456 distance=25.0 time=23.2 total=48.2");
}

TEST(KeyWait, EnterEscapeAndTheLimit) {
    const std::tuple<const char*, int, int, int, uint64_t> waits[] = {
        // script, limit in ms, extra key, result, ticks
        {"10 -\n5 return\n1 -\n10 -", -1, 0, 0, 16},  // Enter returns on its release
        {"10 -\n1 escape\n10 -", -1, 0, 1, 11},       // Escape on its press
        {"1000 -", 5000, 0, 0, 301},                  // 5000 ms are seen at tick 300; the release loop polls once more
        {"1000 return", 5000, 0, 0, 300},             // Enter held through the limit: the wait ends when the time is up
        {"3 -\n2 e\n5 -", -1, KEY_INPUT_E, -1, 4},    // an extra key's press ends the wait with -1
    };
    for (const auto& [script, limit, extraKey, result, ticks] : waits) {
        fake::Reset();
        fake::SetInputScriptText(script);
        EXPECT_EQ(KeyWait(limit, extraKey), result) << script;
        EXPECT_EQ(fake::Ticks(), ticks) << script;
    }
}

}  // namespace
