// The game's pictures, loaded once after the window opens and kept for the whole run.
#pragma once

#include <array>

struct GameImages {
    std::array<int, 4> player{-1, -1, -1, -1};  // arrows: right, up, left, down
    std::array<int, 12> dMeter{};                // digits 0..9, minute mark, second mark
    std::array<int, 10> counter{};               // odometer digits
    int dMeterPanel = -1;
    int titleMaze = -1;
    int goal = -1;
    int start = -1;
};

// Loads every picture from res/; a picture that cannot be loaded keeps the handle -1.
void LoadImages(GameImages& images);
