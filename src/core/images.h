// The game's pictures, loaded once after the window opens and kept for the whole run.
#pragma once

#include <array>

#include "platform/dx.h"

struct GameImages {
    std::array<GraphHandle, 4> player{};    // arrows: right, up, left, down
    std::array<GraphHandle, 12> dMeter{};   // digits 0..9, minute mark, second mark
    std::array<GraphHandle, 10> counter{};  // odometer digits
    GraphHandle dMeterPanel{};
    GraphHandle titleMaze{};
    GraphHandle goal{};
    GraphHandle start{};
};

// Loads every picture from res/; a picture that cannot be loaded keeps the empty handle.
void LoadImages(GameImages& images);
