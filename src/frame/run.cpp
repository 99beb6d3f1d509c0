#include "frame/game.h"
#include "frame/settings.h"
#include "maze/generate.h"
#include "platform/dx.h"
#include "play/play_stage.h"
#include "title/title_screen.h"

namespace {

void RunStageLoop(Game& game) {
    game.stageNumber = 1;
    while (TitleScreen(game.title, game.random, game.stageNumber, game.images) != TITLE_QUIT) {
        GenerateMaze(game.maze, game.random, game.title.algorithmChoice);
        PlayStage(game);
        ++game.stageNumber;
    }
}

}  // namespace

int RunGame(Game& game) {
    dxSetMainWindowText("QUARNEL");
    dxSetWindowIconID(102);
    ReadSettings();
    dxChangeWindowMode(1);
    dxSetGraphMode(SCREEN_WIDTH, SCREEN_HEIGHT, 16, 60);
    if (dxOpenWindow() < 0) return -1;
    dxSetTransColor(0, 255, 0);
    LoadImages(game.images);
    RunStageLoop(game);
    dxCloseWindow();
    return 0;
}
