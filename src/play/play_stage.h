// One stage of play, from the entrance until the exit is reached or the stage is left.
#pragma once

#include <cstdint>

#include "core/images.h"
#include "maze/maze_grid.h"
#include "platform/dx.h"
#include "play/player.h"
#include "play/scene.h"

// What play draws with besides the game's pictures: made once, when the window opens.
struct PlayResources {
    WallModels models{};
    GraphHandle workImage{};  // a copy of the 3-D picture, reduced on the play screen
};
PlayResources MakePlayResources();

enum class StageEnding {
    ReachedExit,  // the screen holds the last play frame, drawn and not yet shown
    GaveUp,       // E
    Quit,         // Escape or a closed window
};

struct StageOutcome {
    StageEnding ending = StageEnding::Quit;
    uint64_t steps = 0;
    double elapsedMs = 0;  // as read in the last frame played
};

StageOutcome PlayStage(MazeState& maze, const PlayResources& resources, const GameImages& images);

// Play as it stands in a frame.
struct PlayState {
    Player player;
    uint64_t steps = 0;
    double elapsedMs = 0;
};

// One play frame's update: movement by the joypad bits `input`, then what the player now looks along
// is revealed and the player's cell marked.
void UpdatePlayFrame(MazeState& maze, PlayState& play, int input);

// One play frame's drawing, which changes nothing: the 3-D scene, the play screen and the meters.
void DrawPlayFrame(const MazeState& maze, const PlayState& play, const PlayResources& resources,
                   const GameImages& images);
