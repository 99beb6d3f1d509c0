#include "hud/mini_map.h"

#include "core/colour.h"
#include "platform/dx.h"

namespace {

constexpr int SIGHT_CELLS = 27;
constexpr int MAP_LEFT_CELLS = 13;   // cells shown left of and above the player
constexpr int MAP_RIGHT_CELLS = 12;  // cells shown right of and below the player
constexpr int MAP_CENTRE_X = 668;
constexpr int MAP_CENTRE_Y = 146;
constexpr int MAP_CELL = 10;
constexpr unsigned BACKGROUND = 0x333333;

void Reveal(MazeState& state, int x, int y) {
    if (OnGrid(x, y)) state.explored[x][y] = state.maze[x][y];
}

unsigned MapColour(const MazeState& state, int x, int y) {
    if (!OnGrid(x, y)) return ColourByNumber(0);
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

void RevealSightLine(MazeState& state, int32_t cellX, int32_t cellY, Direction looking) {
    const Direction left = TurnLeft(looking), right = TurnRight(looking);
    int x = cellX, y = cellY;
    for (int k = 0; k < SIGHT_CELLS && OnGrid(x, y); ++k) {
        Reveal(state, x, y);
        Reveal(state, x + StepX(left), y + StepY(left));
        Reveal(state, x + StepX(right), y + StepY(right));
        if (state.maze[x][y] == CELL_WALL || state.maze[x][y] == CELL_BORDER) break;
        x += StepX(looking);
        y += StepY(looking);
    }
}

void UpdateMiniMap(MazeState& state, int32_t cellX, int32_t cellY, Direction looking) {
    RevealSightLine(state, cellX, cellY, looking);
    if (!OnGrid(cellX, cellY)) return;
    state.explored[cellX][cellY] = CELL_MARK;
    state.maze[cellX][cellY] = CELL_MARK;
}

void DrawMiniMap(const MazeState& state, int32_t cellX, int32_t cellY, Direction looking, GraphHandle workImage,
                 const std::array<GraphHandle, 4>& playerImages) {
    dxGetDrawScreenGraph(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, workImage, 1);
    dxDrawBox(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, BACKGROUND, 1);
    DrawMap(state, cellX, cellY);
    dxDrawGraph(MAP_CENTRE_X, MAP_CENTRE_Y, playerImages[Number(looking)], 1);
    dxDrawExtendGraph(16, 16, 528, 272, workImage, 0);
}
