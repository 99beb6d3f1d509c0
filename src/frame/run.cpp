#include <algorithm>
#include <cmath>
#include <string>

#include "frame/game.h"
#include "frame/records.h"
#include "frame/settings.h"
#include "maze/generate.h"
#include "platform/dx.h"
#include "play/play_stage.h"
#include "play/result_screen.h"
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

int32_t InTenths(double score) { return int32_t(std::lround(score * 10)); }

// A stage whose total beats the algorithm's record becomes the record, saved at once outside replays.
void KeepRecord(Game& game, const StageOutcome& outcome, const Scores& scores) {
    const Record stage{InTenths(scores.total),
                       InTenths(scores.distance),
                       InTenths(scores.time),
                       uint64_t(std::max(0.0, std::floor(outcome.elapsedMs))),
                       outcome.steps,
                       uint64_t(game.maze.routeLength),
                       TodaysDate()};
    if (KeepIfBest(game.records, game.title.algorithmChoice, stage) && !game.recordsPath.empty())
        SaveRecords(game.recordsPath, game.records);
}

// The exit reached: the result pictures, the record kept while the score panel shows, then the
// wait to leave it.
void FinishStage(Game& game, const StageOutcome& outcome) {
    const Scores scores = ComputeScores(game.maze.routeLength, game.maze.routeTurns, outcome.steps, outcome.elapsedMs);
    const StageResult result{game.stageNumber, game.title.algorithmChoice, outcome.steps, outcome.elapsedMs,
                             game.report};
    ResultScreen(game.maze, result, scores, game.play.workImage, game.images);
    KeepRecord(game, outcome, scores);
    LeaveScorePanel();
}

void RunStageLoop(Game& game) {
    game.stageNumber = 1;
    while (TitleScreen(game.title, game.random, game.stageNumber, game.images, BestLine(game.records)) != TITLE_QUIT) {
        GenerateMaze(game.maze, game.random, game.title.algorithmChoice);
        PlayAndScoreStage(game);
        ++game.stageNumber;
    }
}

}  // namespace

void PlayAndScoreStage(Game& game) {
    const StageOutcome outcome = PlayStage(game.maze, game.play, game.images);
    if (outcome.ending == StageEnding::ReachedExit) FinishStage(game, outcome);
}

int RunGame(Game& game) {
    dxSetMainWindowText("QUARNEL");
    dxSetWindowIconID(102);
    ReadSettings();
    StartRun(game);
    dxChangeWindowMode(1);
    dxSetGraphMode(SCREEN_WIDTH, SCREEN_HEIGHT, 16, 60);
    // The title starts a stage on the release of button 1 or Return and re-seeds on that of R.
    dxSetActOnRelease(PAD_INPUT_1, {KEY_INPUT_RETURN, KEY_INPUT_R});
    if (dxOpenWindow() < 0) return -1;
    dxSetTransColor(0, 255, 0);
    LoadImages(game.images);
    game.play = MakePlayResources();
    RunStageLoop(game);
    dxCloseWindow();
    return 0;
}
