// Scores and the three pictures shown when the exit is reached: the goal picture, the route
// review map and the score panel.
#pragma once

#include <cstdint>
#include <string>

#include "core/images.h"
#include "maze/maze_grid.h"

struct Scores {
    double distance = 0;
    double time = 0;
    double total = 0;
};

// 50 x route length / steps and 50 x par time / elapsed time, each cut to one decimal and capped
// at 50.0; par time allows 500 ms per route cell and per route turn.
Scores ComputeScores(int64_t routeLength, int16_t routeTurns, uint64_t stepCounter, double elapsedMs);

// Waits for Enter to be pressed and released, for `limitMs` (negative: no limit), or for the
// extra key (0: none). Returns 1 on Escape or a closed window, 0 on Enter or the limit, -1 on the
// extra key's press.
int16_t KeyWait(int limitMs, int extraKey);

// Everything the result screen shows and reports.
struct StageResult {
    int32_t stageNumber = 0;
    uint8_t algorithmChoice = 0;
    uint64_t stepCounter = 0;
    double elapsedMs = 0;
    bool report = false;  // print the result line on standard output
};

// Shows the goal picture and the route review, each until Enter or 5 s, then the score panel,
// printing the result line when asked to. The screen holds the last play frame, drawn and not yet
// shown; the score panel is left on the screen.
void ResultScreen(MazeState& state, const StageResult& result, const Scores& scores, GraphHandle workImage,
                  const GameImages& images);

// Waits on the score panel for Enter, Escape or a closed window.
void LeaveScorePanel();

// Repaints the maze grid for the review: the route from the snapshot, the player's cells off it as
// detours, the exit marked.
void PaintRouteReview(MazeState& state);

// "result stage=S algorithm=A route=L turns=T steps=N time_ms=M distance=D time=E total=F"
std::string ResultLine(const MazeState& state, const StageResult& result, const Scores& scores);
