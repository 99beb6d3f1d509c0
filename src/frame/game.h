// Everything one run of the game keeps from stage to stage.
#pragma once

#include <cstdint>
#include <string>

#include "core/images.h"
#include "core/random.h"
#include "frame/records.h"
#include "maze/maze_grid.h"
#include "play/play_stage.h"
#include "title/title_screen.h"

struct Game {
    Random random;
    TitleOptions title;
    MazeState maze;
    GameImages images;
    int32_t stageNumber = 0;
    bool report = false;  // print a result line for every score panel
    Records records;
    std::string recordsPath;  // where new records are saved; "" when they are not (replays)
    PlayResources play;
};

// Plays the stage generated into `game.maze`; on reaching the exit, the result screen, with the
// record kept while the score panel shows.
void PlayAndScoreStage(Game& game);

// Start-up through exit: settings, window, pictures, then title, generation and play stage after
// stage until the title screen quits. Returns the exit code: 0, or -1 when no window can be had.
int RunGame(Game& game);
