#include "play/play_stage.h"

#include "hud/meters.h"
#include "hud/mini_map.h"
#include "play/trail.h"

namespace {

bool AtGoal(const MazeState& maze, const Player& player) {
    return player.cell.x == maze.goalX && player.cell.y == maze.goalY;
}

}  // namespace

PlayResources MakePlayResources() { return {LoadWallModels(), dxMakeGraph(SCREEN_WIDTH, SCREEN_HEIGHT, 0)}; }

void UpdatePlayFrame(MazeState& maze, PlayState& play, int input) {
    UpdateMovement(play.player, maze.wallMap, input, play.steps);
    RevealSightLine(maze, play.player.cell, play.player.facing);
    MarkTrail(maze, play.player.cell);
}

void DrawPlayFrame(const MazeState& maze, const PlayState& play, const PlayResources& resources,
                   const GameImages& images) {
    const Player& player = play.player;
    DrawScene(resources.models, maze.wallMap, player.cameraPosition, player.cameraTarget, player.viewDirection);
    DrawPlayScreen(maze, player.cell, player.facing, resources.workImage, images.player);
    DrawMeters({IsStepping(player.moveState), player.frameCounter, play.elapsedMs, play.steps, maze.routeLength},
               images);
}

StageOutcome PlayStage(MazeState& maze, const PlayResources& resources, const GameImages& images) {
    PlayState play;
    dxSetCameraPositionAndTarget_UpVecY(play.player.cameraPosition, play.player.cameraTarget);
    dxSetDrawScreen(DX_SCREEN_BACK);
    const double start = dxGetNowCount(0);
    auto ended = [&play](StageEnding ending) { return StageOutcome{ending, play.steps, play.elapsedMs}; };
    while (true) {
        if (dxProcessMessage() != 0 || dxCheckHitKey(KEY_INPUT_ESCAPE)) return ended(StageEnding::Quit);
        dxClearDrawScreen();
        play.elapsedMs = dxGetNowCount(0) - start;
        UpdatePlayFrame(maze, play, dxGetJoypadInputState(DX_INPUT_KEY_PAD1));
        DrawPlayFrame(maze, play, resources, images);
        if (AtGoal(maze, play.player)) return ended(StageEnding::ReachedExit);
        if (dxCheckHitKey(KEY_INPUT_E)) return ended(StageEnding::GaveUp);
        dxScreenFlip();
    }
}
