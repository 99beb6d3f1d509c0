#include "play/result_screen.h"

#include <cmath>
#include <cstdio>

#include "core/colour.h"
#include "maze/maze_picture.h"
#include "platform/dx.h"

namespace {

constexpr int GOAL_WAIT_MS = 5000;
constexpr unsigned PANEL_GREY = 0x808080;

// floor(value) / 10, capped at 50.0. Values beyond the 32-bit range cannot come from real play
// but are capped rather than converted out of range.
double TenthsCapped(double value) {
    if (!(value < 500.0)) return 50.0;
    return std::min(double(int32_t(std::floor(value))) / 10.0, 50.0);
}

void ShowGoalPicture(GraphHandle workImage, const GameImages& images) {
    dxGetDrawScreenGraph(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, workImage, 1);
    dxDrawGraph(149, 60, images.goal, 1);
    dxScreenFlip();
    KeyWait(GOAL_WAIT_MS, 0);
}

void ShowRouteReview(MazeState& state) {
    PaintRouteReview(state);
    DrawMazePicture(state.maze);
    dxScreenFlip();
    KeyWait(GOAL_WAIT_MS, 0);
}

void ShowScorePanel(const StageResult& result, const Scores& scores, GraphHandle workImage) {
    const unsigned white = dxGetColor(255, 255, 255);
    dxClearDrawScreen();
    dxDrawGraph(0, 0, workImage, 1);
    dxDrawBox(122, 40, 422, 240, PANEL_GREY, 1);
    dxDrawFormatString(207, 60, ColourByNumber(7), "STAGE   % 3d", result.stageNumber);
    dxDrawFormatString(207, 80, ColourByNumber(7), "DadiZider %1d", result.algorithmChoice + 1);
    dxDrawFormatString(207, 120, white, "距離得点 % 6.1f", scores.distance);
    dxDrawFormatString(207, 140, white, "時間得点 % 6.1f", scores.time);
    dxDrawFormatString(207, 160, white, "総合得点 % 6.1f", scores.total);
    dxDrawString(142, 200, "Enterキーでタイトルに戻ります", ColourByNumber(7), 0);
    dxScreenFlip();
}

bool QuitRequested() { return dxProcessMessage() != 0 || dxCheckHitKey(KEY_INPUT_ESCAPE) != 0; }

}  // namespace

Scores ComputeScores(int64_t routeLength, int16_t routeTurns, uint64_t stepCounter, double elapsedMs) {
    Scores scores;
    const double ratio = double(routeLength) / double(stepCounter);
    scores.distance = TenthsCapped(ratio * 500.0);
    const int64_t parTime = (routeLength + int64_t(routeTurns)) * 500;
    const double speed = double(parTime) / elapsedMs;
    scores.time = TenthsCapped(speed * 50.0 * 10.0);
    scores.total = scores.distance + scores.time;
    return scores;
}

int16_t KeyWait(int limitMs, int extraKey) {
    const int start = dxGetNowCount(0);
    auto timeUp = [&] { return limitMs >= 0 && dxGetNowCount(0) - start >= limitMs; };
    while (true) {
        if (QuitRequested()) return 1;
        if (timeUp() || dxCheckHitKey(KEY_INPUT_RETURN)) break;
        if (extraKey != 0 && dxCheckHitKey(extraKey)) return -1;
    }
    while (true) {
        if (QuitRequested()) return 1;
        if (timeUp() || !dxCheckHitKey(KEY_INPUT_RETURN)) return 0;
        if (extraKey != 0 && !dxCheckHitKey(extraKey)) return 0;
    }
}

void PaintRouteReview(MazeState& state) {
    for (int x = 2; x <= 78; ++x) {
        for (int y = 2; y <= 38; ++y) {
            state.maze[x][y] = state.routeSnapshot[x][y];
            if (state.explored[x][y] == CELL_MARK && state.maze[x][y] == CELL_PASSAGE) state.maze[x][y] = CELL_DETOUR;
        }
    }
    if (state.goalX >= 0 && state.goalX < MAZE_WIDTH && state.goalY >= 0 && state.goalY < MAZE_HEIGHT)
        state.maze[state.goalX][state.goalY] = CELL_MARK;
}

std::string ResultLine(const MazeState& state, const StageResult& result, const Scores& scores) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "result stage=%d algorithm=%d route=%lld turns=%d steps=%llu time_ms=%lld distance=%.1f "
                  "time=%.1f total=%.1f",
                  result.stageNumber, result.algorithmChoice + 1, static_cast<long long>(state.routeLength),
                  int(state.routeTurns), static_cast<unsigned long long>(result.stepCounter),
                  static_cast<long long>(std::floor(result.elapsedMs)), scores.distance, scores.time, scores.total);
    return line;
}

void ResultScreen(MazeState& state, const StageResult& result, const Scores& scores, GraphHandle workImage,
                  const GameImages& images) {
    ShowGoalPicture(workImage, images);
    ShowRouteReview(state);
    ShowScorePanel(result, scores, workImage);
    if (result.report) {
        std::printf("%s\n", ResultLine(state, result, scores).c_str());
        std::fflush(stdout);
    }
}

void LeaveScorePanel() { KeyWait(-1, 0); }
