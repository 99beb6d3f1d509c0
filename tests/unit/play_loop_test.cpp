// The play loop end to end on the recording backend: ways out, the goal, the result line.
#include <gtest/gtest.h>

#include "frame/game.h"
#include "platform/fake/fake_dx.h"
#include "play/play_stage.h"
#include "title/title_screen.h"

namespace {

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
        game.maze.goalX = 2;
        game.maze.goalY = 2;
        game.maze.routeLength = 2;
        game.stageNumber = 4;
    }
    Game game;
};

TEST_F(PlayLoop, ReachingTheExitShowsTheResultWithoutFlippingTheLastFrame) {
    fake::SetInputScriptText("1 up\n40 -\n1 return\n1 -\n1 return\n1 -\n1 return\n1 -");
    game.report = true;
    testing::internal::CaptureStdout();
    PlayStage(game);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(game.stepCounter, 1u);
    EXPECT_EQ(game.elapsedMs, 31 * 1000 / 60);  // the clock read in the frame the exit was reached
    // 30 play frames flipped, the 31st handed on unflipped; then the three pictures.
    EXPECT_EQ(fake::FlipCount(), 30 + 3);
    EXPECT_EQ(out, "result stage=4 algorithm=1 route=2 turns=0 steps=1 time_ms=516 distance=50.0 time=50.0 total=100.0\n");
    EXPECT_EQ(game.maze.maze[2][2], CELL_MARK);  // the review marks the exit
}

TEST_F(PlayLoop, EscapeEndsAtTheTopOfAFrameAndEInTheFrameItIsSeen) {
    fake::SetInputScriptText("5 -\n1 escape\n10 -");
    PlayStage(game);
    EXPECT_EQ(fake::Ticks(), 6u);
    EXPECT_EQ(fake::FlipCount(), 5);
    EXPECT_EQ(fake::CallsNamed("dxClearDrawScreen").size(), 5u);

    fake::Reset();
    fake::SetInputScriptText("5 -\n1 e\n10 -");
    PlayStage(game);
    EXPECT_EQ(fake::Ticks(), 6u);
    EXPECT_EQ(fake::FlipCount(), 5);  // the frame that saw E is drawn but not shown
    EXPECT_EQ(fake::CallsNamed("dxClearDrawScreen").size(), 6u);
    EXPECT_TRUE(fake::CallsNamed("dxDrawFormatString").empty());  // no result screen
}

TEST_F(PlayLoop, ModelsAndWorkImageAreMadeOnce) {
    fake::SetInputScriptText("2 e");
    PlayStage(game);
    fake::SetInputScriptText("2 e");
    PlayStage(game);
    EXPECT_EQ(fake::CallsNamed("dxMV1LoadModel").size(), 3u);  // made at the first stage of the run
    EXPECT_EQ(fake::CallsNamed("dxMakeGraph").size(), 1u);
}

// A window closed during each result picture: the pictures left are shown once each, the stage
// ends, and the next title quits at once, so the game ends with 0.
TEST_F(PlayLoop, WindowClosedDuringEachResultPicture) {
    // The step takes 31 ticks; Return then leaves the goal picture and the route review in turn.
    const char* const closedDuring[] = {
        "1 up\n30 -\n2 -\n1 close",                                 // the goal picture
        "1 up\n30 -\n1 -\n1 return\n1 -\n1 close",                // the route review
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
        PlayStage(game);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(fake::FlipCount(), 30 + 3);  // the play frames, then each result picture once
        EXPECT_LE(fake::Ticks(), 40u);          // no picture waited out its 5 seconds (300 ticks)
        EXPECT_EQ(out.rfind("result stage=4 ", 0), 0u) << out;
        const uint64_t ticks = fake::Ticks();
        EXPECT_EQ(TitleScreen(game.title, game.random, 5, game.images), TITLE_QUIT);
        EXPECT_EQ(fake::FlipCount(), 30 + 3);  // the title quits before it draws
        EXPECT_EQ(fake::Ticks(), ticks + 1);
    }
}

}  // namespace
