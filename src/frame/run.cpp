#include <string>

#include "frame/game.h"
#include "frame/records.h"
#include "frame/settings.h"
#include "maze/generate.h"
#include "platform/dx.h"
#include "play/play_stage.h"
#include "title/title_screen.h"

namespace {

// The seed and the records the run starts from; a replay takes both from its script, so that it
// shows the recorded run's titles whatever the player's records are.
void StartRun(Game& game) {
    game.random.seed = uint32_t(std::stoul(dxStartValue("seed", std::to_string(game.random.seed))));
    game.recordsPath = dxPlayerFilePath(RECORDS_FILE);
    if (!game.recordsPath.empty()) LoadRecords(game.recordsPath, game.records);
    const std::string shown = dxStartValue("best", BestTotals(game.records));
    if (shown != BestTotals(game.records)) game.records = RecordsFromTotals(shown);
}

void RunStageLoop(Game& game) {
    game.stageNumber = 1;
    while (TitleScreen(game.title, game.random, game.stageNumber, game.images, BestLine(game.records)) != TITLE_QUIT) {
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
    StartRun(game);
    dxChangeWindowMode(1);
    dxSetGraphMode(SCREEN_WIDTH, SCREEN_HEIGHT, 16, 60);
    if (dxOpenWindow() < 0) return -1;
    dxSetTransColor(0, 255, 0);
    LoadImages(game.images);
    RunStageLoop(game);
    dxCloseWindow();
    return 0;
}
