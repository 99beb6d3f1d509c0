#include "play/scene.h"

#include <cmath>

#include "core/direction.h"

namespace {

constexpr float LIGHT_RANGE = 30000.0f;
constexpr float LIGHT_ATTENUATION_1 = 0.0005f;
constexpr float FIELD_OF_VIEW = 1.0471975803375244f;  // 60 degrees
// The tangent of half the horizontal view: the field of view is the vertical one, on a 2:1 screen.
const float HALF_VIEW_WIDTH = std::tan(FIELD_OF_VIEW / 2) * SCREEN_WIDTH / SCREEN_HEIGHT;

// A model frame's bit for each direction on the map (right, up, left, down): world +Z, -X, -Z, +X.
constexpr int FRAME_BIT[4] = {4, 2, 8, 1};

}  // namespace

WallModels LoadWallModels() {
    WallModels models;
    models[MAP_PASSAGE] = dxMV1LoadModel("res_3d/wall.mqo");
    models[MAP_SG] = dxMV1LoadModel("res_3d/wall_SG.mqo");
    models[MAP_ETC] = dxMV1LoadModel("res_3d/wall_ETC.mqo");
    return models;
}

int FrameOfSolidSides(const MazeGrid& wallMap, int x, int y) {
    int frame = 0;
    for (const Direction d : ALL_DIRECTIONS)
        if (!IsWalkable(wallMap, Neighbour({x, y}, d))) frame |= FRAME_BIT[Number(d)];
    return frame;
}

void SetUpView(VECTOR position, VECTOR target, VECTOR direction) {
    dxSetCameraPositionAndTarget_UpVecY(position, target);
    dxSetLightDirection(direction);
    dxChangeLightTypePoint(position, LIGHT_RANGE, 0.0f, LIGHT_ATTENUATION_1, 0.0f);
    dxSetupCamera_Perspective(FIELD_OF_VIEW);
}

void DrawCells(const WallModels& models, const MazeGrid& wallMap, const CellSet& cells) {
    for (int x = 0; x < MAZE_WIDTH; ++x) {
        for (int y = 0; y < MAZE_HEIGHT; ++y) {
            const int code = wallMap[x][y];
            if (!cells[size_t(x)].test(size_t(y)) || !IsWalkable(code) || code < 0 || code >= int(models.size()))
                continue;
            dxMV1SetPosition(models[code], VECTOR{float(y * 1000), 0.0f, float(x * 1000)});
            dxMV1DrawFrame(models[code], FrameOfSolidSides(wallMap, x, y));
        }
    }
}

CellSet CellsInView(const MazeGrid& wallMap, VECTOR position, VECTOR direction) {
    return VisibleCells(wallMap, position, direction, HALF_VIEW_WIDTH);
}

void DrawScene(const WallModels& models, const MazeGrid& wallMap, VECTOR position, VECTOR target, VECTOR direction) {
    SetUpView(position, target, direction);
    DrawCells(models, wallMap, CellsInView(wallMap, position, direction));
}
