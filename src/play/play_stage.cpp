#include "play/play_stage.h"

#include <algorithm>
#include <cmath>

#include "frame/game.h"
#include "frame/records.h"
#include "hud/meters.h"
#include "hud/mini_map.h"
#include "platform/dx.h"
#include "play/player.h"
#include "play/result_screen.h"
#include "play/scene.h"

namespace {

// The models and the work image are made at the first stage and kept for the rest of the run.
void PrepareOnce(Game& game) {
    if (game.playReady) return;
    game.models = LoadWallModels();
    game.workImage = dxMakeGraph(SCREEN_WIDTH, SCREEN_HEIGHT, 0);
    game.playReady = true;
}

bool AtGoal(const Game& game, const Player& player) {
    return player.cellX == game.maze.goalX && player.cellY == game.maze.goalY;
}

int32_t InTenths(double score) { return int32_t(std::lround(score * 10)); }

// A stage whose total beats the algorithm's record becomes the record, saved at once outside replays.
void KeepRecord(Game& game, const Scores& scores) {
    const Record stage{InTenths(scores.total),
                       InTenths(scores.distance),
                       InTenths(scores.time),
                       uint64_t(std::max(0.0, std::floor(game.elapsedMs))),
                       game.stepCounter,
                       uint64_t(game.maze.routeLength),
                       TodaysDate()};
    if (KeepIfBest(game.records, game.title.algorithmChoice, stage) && !game.recordsPath.empty())
        SaveRecords(game.recordsPath, game.records);
}

void ShowResult(Game& game) {
    const StageResult result{game.stageNumber, game.title.algorithmChoice, game.stepCounter, game.elapsedMs,
                             game.report};
    ResultScreen(game.maze, result, game.workImage, game.images,
                 [&game](const Scores& scores) { KeepRecord(game, scores); });
}

}  // namespace

void UpdatePlayFrame(Game& game, Player& player, int input) {
    UpdateMovement(player, game.maze.wallMap, input, game.stepCounter);
    UpdateMiniMap(game.maze, player.cellX, player.cellY, FacingDirection(player.facing));
}

void DrawPlayFrame(const Game& game, const Player& player) {
    DrawScene(game.models, game.maze.wallMap, player.cameraPosition, player.cameraTarget, player.viewDirection);
    DrawMiniMap(game.maze, player.cellX, player.cellY, FacingDirection(player.facing), game.workImage,
                game.images.player);
    DrawMeters({player.moveState, player.frameCounter, game.elapsedMs, game.stepCounter, game.maze.routeLength},
               game.images);
}

void PlayStage(Game& game) {
    PrepareOnce(game);
    Player player;
    dxSetCameraPositionAndTarget_UpVecY(player.cameraPosition, player.cameraTarget);
    dxSetDrawScreen(DX_SCREEN_BACK);
    const double start = dxGetNowCount(0);
    game.stepCounter = 0;
    game.elapsedMs = 0;
    while (true) {
        if (dxProcessMessage() != 0 || dxCheckHitKey(KEY_INPUT_ESCAPE)) return;
        dxClearDrawScreen();
        game.elapsedMs = dxGetNowCount(0) - start;
        UpdatePlayFrame(game, player, dxGetJoypadInputState(DX_INPUT_KEY_PAD1));
        DrawPlayFrame(game, player);
        if (AtGoal(game, player)) {
            ShowResult(game);
            return;
        }
        if (dxCheckHitKey(KEY_INPUT_E)) return;
        dxScreenFlip();
    }
}
