// The play screen around the 3-D view: the map at the top right, the view reduced at the top left.
#pragma once

#include <array>

#include "maze/maze_grid.h"
#include "platform/dx.h"

// Composes the play screen over the 3-D picture just rendered on the screen, which it first copies
// into `workImage`: background, the map around `at`, the arrow looking along `looking` and the
// picture reduced. `arrows` are the player's arrows for right, up, left, down.
void DrawPlayScreen(const MazeState& state, Cell at, Direction looking, GraphHandle workImage,
                    const std::array<GraphHandle, 4>& arrows);
