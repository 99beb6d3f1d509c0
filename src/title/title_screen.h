// The title screen shown before every stage: algorithm choice, re-seeding, start or quit.
#pragma once

#include <cstdint>
#include <string>

#include "core/images.h"
#include "core/random.h"

// What the title screen keeps from visit to visit.
struct TitleOptions {
    uint8_t algorithmChoice = 0;  // 0 "DadiZider 1", 1 "DadiZider 2"
    uint8_t reseeded = 0;         // 1 once R has re-seeded the generator; never cleared
};

inline constexpr uint8_t TITLE_START = 0;
inline constexpr uint8_t TITLE_QUIT = 1;

// Runs frames until Escape or a closed window (TITLE_QUIT) or the release of Return or button 1
// (TITLE_START, after one flip of the start picture). `best`, the player's records, is drawn
// under the other lines when there is one.
uint8_t TitleScreen(TitleOptions& options, Random& random, int32_t stageNumber, const GameImages& images,
                    const std::string& best = "");
