// Reading a picture file, quietly: a broken file gives nullptr and the reason in SDL_GetError(),
// and prints nothing (libpng's own handlers would print a line of their own for a damaged PNG).
#pragma once

#include <SDL2/SDL.h>

#include "platform/gl/picture.h"

// Used in place of IMG_Load. 8-bit PNG files (the game's own) are decoded here to RGBA; other
// formats and 16-bit PNG files go to SDL_image as before.
SDL_Surface* LoadPictureFile(const char* path);
