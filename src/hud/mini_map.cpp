#include "hud/mini_map.h"

#include "core/colour.h"
#include "platform/dx.h"

namespace {

constexpr int MAP_LEFT_CELLS = 13;   // cells shown left of and above the player
constexpr int MAP_RIGHT_CELLS = 12;  // cells shown right of and below the player
constexpr int MAP_CENTRE_X = 668;
constexpr int MAP_CENTRE_Y = 146;
constexpr int MAP_CELL = 10;
constexpr unsigned BACKGROUND = 0x333333;

unsigned MapColour(const MazeState& state, int x, int y) {
    if (!OnGrid(x, y)) return ColourByNumber(0);
    const int16_t value = state.explored[x][y];
    return value == EXPLORED_UNSEEN ? dxGetColor(80, 80, 80) : ColourByNumber(value);
}

void DrawMap(const MazeState& state, Cell at) {
    for (int i = -MAP_LEFT_CELLS; i <= MAP_RIGHT_CELLS; ++i)
        for (int j = -MAP_LEFT_CELLS; j <= MAP_RIGHT_CELLS; ++j)
            dxDrawBox(MAP_CENTRE_X + MAP_CELL * i, MAP_CENTRE_Y + MAP_CELL * j, MAP_CENTRE_X + MAP_CELL * (i + 1),
                      MAP_CENTRE_Y + MAP_CELL * (j + 1), MapColour(state, at.x + i, at.y + j), 1);
}

}  // namespace

void DrawPlayScreen(const MazeState& state, Cell at, Direction looking, GraphHandle workImage,
                    const std::array<GraphHandle, 4>& arrows) {
    dxGetDrawScreenGraph(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, workImage, 1);
    dxDrawBox(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, BACKGROUND, 1);
    DrawMap(state, at);
    dxDrawGraph(MAP_CENTRE_X, MAP_CENTRE_Y, arrows[Number(looking)], 1);
    dxDrawExtendGraph(16, 16, 528, 272, workImage, 0);
}
