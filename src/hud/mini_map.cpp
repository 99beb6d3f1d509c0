#include "hud/mini_map.h"

#include "frame/tables.h"
#include "platform/dx.h"
#include "title/colour.h"

namespace {

constexpr int SIGHT_CELLS = 27;
constexpr int MAP_LEFT_CELLS = 13;   // cells shown left of and above the player
constexpr int MAP_RIGHT_CELLS = 12;  // cells shown right of and below the player
constexpr int MAP_CENTRE_X = 668;
constexpr int MAP_CENTRE_Y = 146;
constexpr int MAP_CELL = 10;
constexpr unsigned BACKGROUND = 0x333333;

bool InGrid(int x, int y) { return x >= 0 && x < MAZE_WIDTH && y >= 0 && y < MAZE_HEIGHT; }

void Reveal(MazeState& state, int x, int y) {
    if (InGrid(x, y)) state.explored[x][y] = state.maze[x][y];
}

unsigned MapColour(const MazeState& state, int x, int y) {
    if (!InGrid(x, y)) return ColourByNumber(0);
    const int16_t value = state.explored[x][y];
    return value == EXPLORED_UNSEEN ? dxGetColor(80, 80, 80) : ColourByNumber(value);
}

void DrawMap(const MazeState& state, int32_t cellX, int32_t cellY) {
    for (int i = -MAP_LEFT_CELLS; i <= MAP_RIGHT_CELLS; ++i)
        for (int j = -MAP_LEFT_CELLS; j <= MAP_RIGHT_CELLS; ++j)
            dxDrawBox(MAP_CENTRE_X + MAP_CELL * i, MAP_CENTRE_Y + MAP_CELL * j, MAP_CENTRE_X + MAP_CELL * (i + 1),
                      MAP_CENTRE_Y + MAP_CELL * (j + 1), MapColour(state, cellX + i, cellY + j), 1);
}

}  // namespace

void RevealSightLine(MazeState& state, int32_t cellX, int32_t cellY, int direction) {
    const int left = (direction + 1) % 4, right = (direction + 3) % 4;
    int x = cellX, y = cellY;
    for (int k = 0; k < SIGHT_CELLS && InGrid(x, y); ++k) {
        Reveal(state, x, y);
        Reveal(state, x + DIR_DX[left], y + DIR_DY[left]);
        Reveal(state, x + DIR_DX[right], y + DIR_DY[right]);
        if (state.maze[x][y] == CELL_WALL || state.maze[x][y] == CELL_BORDER) break;
        x += DIR_DX[direction];
        y += DIR_DY[direction];
    }
}

void DrawMiniMap(MazeState& state, int32_t cellX, int32_t cellY, int32_t facing, int workImage,
                 const std::array<int, 4>& playerImages) {
    const int direction = FACING_TO_DIR[facing & 3];
    RevealSightLine(state, cellX, cellY, direction);
    if (InGrid(cellX, cellY)) {
        state.explored[cellX][cellY] = CELL_MARK;
        state.maze[cellX][cellY] = CELL_MARK;
    }
    dxGetDrawScreenGraph(0, 0, 800, 400, workImage, 1);
    dxDrawBox(0, 0, 800, 400, BACKGROUND, 1);
    DrawMap(state, cellX, cellY);
    dxDrawGraph(MAP_CENTRE_X, MAP_CENTRE_Y, playerImages[direction], 1);
    dxDrawExtendGraph(16, 16, 528, 272, workImage, 0);
}
