#include "maze/maze_picture.h"

#include "core/colour.h"
#include "platform/dx.h"

void DrawCellBox(int16_t x, int16_t y, int32_t code) {
    const unsigned colour = code <= 7 ? ColourByNumber(code) : static_cast<unsigned>(code);
    dxDrawBox(MAZE_BOX * x, MAZE_BOX * y, MAZE_BOX * (x + 1), MAZE_BOX * (y + 1), colour, 1);
}

void DrawMazePicture(const MazeGrid& maze) {
    for (int x = 0; x < MAZE_WIDTH; ++x)
        for (int y = 0; y < MAZE_HEIGHT; ++y) DrawCellBox(static_cast<int16_t>(x), static_cast<int16_t>(y), maze[x][y]);
}
