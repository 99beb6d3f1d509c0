// A window closed during each result picture: the pictures left are shown once each, the stage
// ends, and the next title quits at once, so the game ends with 0.
#include <gtest/gtest.h>

#include "frame/game.h"
#include "platform/fake/fake_dx.h"
#include "play/play_stage.h"

namespace {

// A two-cell maze: one step down from the entrance reaches the exit.
void TwoCellMaze(Game& game) {
    InitMazeGrid(game.maze);
    for (auto& column : game.maze.explored) column.fill(EXPLORED_UNSEEN);
    game.maze.maze[2][1] = game.maze.maze[2][2] = CELL_PASSAGE;
    game.maze.wallMap[2][1] = game.maze.wallMap[2][2] = MAP_SG;
    game.maze.routeSnapshot = game.maze.maze;
    game.maze.GoalX = 2;
    game.maze.GoalY = 2;
    game.maze.routeLength = 2;
}

TEST(ClosePaths, WindowClosedDuringEachResultPicture) {
    // The step takes 31 ticks; Return then leaves the goal picture and the route review in turn.
    const char* const closedDuring[] = {
        "1 up\n30 -\n2 -\n1 close",                                     // the goal picture
        "1 up\n30 -\n1 -\n1 return\n1 -\n1 close",                     // the route review
        "1 up\n30 -\n1 -\n1 return\n1 -\n1 return\n1 -\n1 close",      // the score panel
    };
    for (const char* script : closedDuring) {
        SCOPED_TRACE(script);
        fake::Reset();
        static Game game;
        game = Game{};
        TwoCellMaze(game);
        game.stageNumber = 1;
        game.report = true;
        fake::SetInputScriptText(script);
        testing::internal::CaptureStdout();
        PlayStage(game);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(fake::FlipCount(), 30 + 3);  // the play frames, then each result picture once
        EXPECT_LE(fake::Ticks(), 40u);          // no picture waited out its 5 seconds (300 ticks)
        EXPECT_EQ(out.rfind("result stage=1 ", 0), 0u) << out;
        const uint64_t ticks = fake::Ticks();
        EXPECT_EQ(TitleScreen(game.title, game.random, 2, game.images), TITLE_QUIT);
        EXPECT_EQ(fake::FlipCount(), 30 + 3);  // the title quits before it draws
        EXPECT_EQ(fake::Ticks(), ticks + 1);
    }
}

}  // namespace
