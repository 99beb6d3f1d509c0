// What the X window system tells or takes beyond SDL: which keys are held right now, whatever
// window has the focus, and a window icon in more than one size. Elsewhere these do nothing.
#pragma once

#include <SDL2/SDL.h>

#include <vector>

// For each Linux key code, whether that key is held now; empty where this cannot be told.
std::vector<bool> KeysDownNow(SDL_Window* window, const std::vector<int>& linuxCodes);

// Gives the window these icons (the first one is the main icon) for desktops that pick a size.
void SetIconSizes(SDL_Window* window, const std::vector<SDL_Surface*>& icons);
