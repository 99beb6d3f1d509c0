// The first-person view: one model piece per walkable cell, cut to its solid sides, lit by a
// point light at the eye.
#pragma once

#include <array>

#include "maze/maze_grid.h"
#include "platform/dx.h"
#include "play/sight.h"

// Model handles by wall-map code; only the odd codes 1, 3 and 5 have one.
using WallModels = std::array<ModelHandle, 6>;

// Loads wall.mqo, wall_SG.mqo and wall_ETC.mqo under the codes 1, 3 and 5.
WallModels LoadWallModels();

// The model frame of the walkable cell (x, y): the sum of its solid sides, 1 world +X (the map's
// y + 1), 2 world -X, 4 world +Z (x + 1), 8 world -Z. Outside the grid counts as solid.
int FrameOfSolidSides(const MazeGrid& wallMap, int x, int y);

// Camera, light and lens for this frame.
void SetUpView(VECTOR position, VECTOR target, VECTOR direction);

// The walkable cells of `cells`, each placed and drawn, in grid order (x outer, y inner).
void DrawCells(const WallModels& models, const MazeGrid& wallMap, const CellSet& cells);

// The walkable cells the view from `position` along `direction` can show, with this scene's lens.
CellSet CellsInView(const MazeGrid& wallMap, VECTOR position, VECTOR direction);

// The view, then the walkable cells it can show: the same picture as all of them would give.
void DrawScene(const WallModels& models, const MazeGrid& wallMap, VECTOR position, VECTOR target, VECTOR direction);
