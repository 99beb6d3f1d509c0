// Scores, key waits, the route review and the result line.
#include <gtest/gtest.h>

#include "platform/dx.h"
#include "platform/fake/fake_dx.h"
#include "play/result_screen.h"

namespace {

TEST(Scores, CutNotRoundedAndCapped) {
    const struct {
        int64_t route;
        int16_t turns;
        uint64_t steps;
        double ms;
        double distance, time;
    } cases[] = {
        {100, 20, 100, 60'000, 50.0, 50.0},  // on the route, exactly par time
        {100, 20, 200, 120'000, 25.0, 25.0}, // twice the steps and twice the time
        {100, 20, 90, 30'000, 50.0, 50.0},   // fewer steps than the route, faster than par
        {3339, 0, 5000, 3339 * 500 * 1.5, 33.3, 33.3},  // 33.39 is cut to 33.3
        {114, 1, 114, 57'500, 50.0, 50.0},
    };
    for (const auto& c : cases) {
        const Scores s = ComputeScores(c.route, c.turns, c.steps, c.ms);
        EXPECT_DOUBLE_EQ(s.distance, c.distance) << c.route << " " << c.steps;
        EXPECT_DOUBLE_EQ(s.time, c.time) << c.route << " " << c.ms;
    }
    // No steps or no time cannot happen in play, but give the cap instead of garbage.
    EXPECT_DOUBLE_EQ(ComputeScores(100, 0, 0, 0.0).total, 100.0);
}

TEST(Scores, ResultLine) {
    MazeState state;
    state.routeLength = 114;
    state.routeTurns = 1;
    const StageResult result{3, 1, 228, 123456.789, true};
    const Scores scores = ComputeScores(114, 1, 228, 123456.789);
    EXPECT_EQ(ResultLine(state, result, scores),
              "result stage=3 algorithm=2 route=114 turns=1 steps=228 time_ms=123456 distance=25.0 time=23.2 total=48.2");
}

int WaitWith(const char* script, int limit, int extraKey = 0) {
    fake::Reset();
    fake::SetInputScriptText(script);
    return KeyWait(limit, extraKey);
}

TEST(KeyWait, EnterEscapeAndTheLimit) {
    EXPECT_EQ(WaitWith("10 -\n5 return\n1 -\n10 -", -1), 0);
    EXPECT_EQ(fake::Ticks(), 16u);  // returns on the release
    EXPECT_EQ(WaitWith("10 -\n1 escape\n10 -", -1), 1);
    EXPECT_EQ(WaitWith("10 -\n1 close\n10 -", -1), 1);
    // Limit of 5 s on the virtual clock: 300 ticks.
    EXPECT_EQ(WaitWith("1000 -", 5000), 0);
    EXPECT_EQ(fake::Ticks(), 301u);  // 5000 ms are seen at tick 300; the release loop polls once more
    // Enter held through the limit: the wait ends when the time is up.
    EXPECT_EQ(WaitWith("1000 return", 5000), 0);
    EXPECT_EQ(fake::Ticks(), 300u);
    // An extra key's press ends the wait with -1.
    EXPECT_EQ(WaitWith("3 -\n2 e\n5 -", -1, KEY_INPUT_E), -1);
}

TEST(ResultScreen, RouteReviewColours) {
    MazeState state;
    InitMazeGrid(state);
    for (auto& column : state.explored) column.fill(EXPLORED_UNSEEN);
    state.routeSnapshot = state.maze;
    state.routeSnapshot[2][2] = CELL_MARK;    // route
    state.routeSnapshot[2][3] = CELL_MARK;    // route, walked
    state.routeSnapshot[4][2] = CELL_PASSAGE; // detour, walked
    state.routeSnapshot[6][2] = CELL_PASSAGE; // never walked
    state.explored[2][3] = CELL_MARK;
    state.explored[4][2] = CELL_MARK;
    state.explored[5][5] = CELL_MARK;         // a wall in the snapshot stays a wall
    state.goalX = 79;
    state.goalY = 38;
    PaintRouteReview(state);
    EXPECT_EQ(state.maze[2][2], CELL_MARK);
    EXPECT_EQ(state.maze[2][3], CELL_MARK);
    EXPECT_EQ(state.maze[4][2], CELL_DETOUR);
    EXPECT_EQ(state.maze[6][2], CELL_PASSAGE);
    EXPECT_EQ(state.maze[5][5], CELL_WALL);
    EXPECT_EQ(state.maze[79][38], CELL_MARK);
}

TEST(ResultScreen, ThreePicturesInTurn) {
    fake::Reset();
    fake::SetInputScriptText("1 escape");  // Escape held: every wait passes at once
    MazeState state;
    InitMazeGrid(state);
    state.routeSnapshot = state.maze;
    state.routeLength = 114;
    state.routeTurns = 1;
    state.goalX = 79;
    state.goalY = 38;
    GameImages images;
    images.goal = {5};
    ResultScreen(state, {2, 0, 114, 57'500, false}, GraphHandle{9}, images);
    EXPECT_EQ(fake::FlipCount(), 3);
    EXPECT_EQ(fake::CallsNamed("dxDrawGraph")[0].args, (std::vector<double>{149, 60, 5, 1}));
    std::vector<std::string> texts;
    for (const fake::Call& c : fake::Calls())
        if (c.name == "dxDrawFormatString" || c.name == "dxDrawString") texts.push_back(c.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"STAGE     2", "DadiZider 1", "距離得点   50.0", "時間得点   50.0",
                                               "総合得点  100.0", "Enterキーでタイトルに戻ります"}));
    bool exitMarked = false;  // on the review map, drawn between the first and second flips
    for (const fake::Call& c : fake::CallsNamed("dxDrawBox"))
        exitMarked |= c.args == std::vector<double>{79 * 7, 38 * 7, 80 * 7, 39 * 7, 0x00FFFF, 1};
    EXPECT_TRUE(exitMarked);
}

}  // namespace
