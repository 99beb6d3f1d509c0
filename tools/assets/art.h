// Every picture, texture and model of the game, drawn in code. Same program, same bytes.
#pragma once

#include "canvas.h"
#include "glyphs.h"

#include <string>
#include <vector>

namespace art {

// One palette for the whole game: night-blue stone and maze walls, cyan for the route and the
// time display, gold for titles and marks, amber torchlight.
namespace pal {
inline constexpr Rgb INK = Hex(0x070A10);
inline constexpr Rgb NAVY = Hex(0x0B1426);
inline constexpr Rgb MAZE_WALL = Hex(0x2A56B8);
inline constexpr Rgb MAZE_WALL_LIGHT = Hex(0x4A7EE8);
inline constexpr Rgb CYAN = Hex(0x3CE6F6);
inline constexpr Rgb CYAN_DEEP = Hex(0x1496B8);
inline constexpr Rgb CYAN_CORE = Hex(0xC8FBFF);
inline constexpr Rgb GOLD_TOP = Hex(0xFFE27A);
inline constexpr Rgb GOLD_BOTTOM = Hex(0xE08A1E);
inline constexpr Rgb GOLD_LIGHT = Hex(0xFFF6C8);
inline constexpr Rgb GOLD_DARK = Hex(0x8C4A0C);
inline constexpr Rgb OUTLINE = Hex(0x1A0C02);
inline constexpr Rgb STONE_LIGHT = Hex(0x8C97AE);
inline constexpr Rgb STONE_DARK = Hex(0x3A4254);
inline constexpr Rgb AMBER = Hex(0xFFB02E);
inline constexpr Rgb YELLOW = Hex(0xFFD23C);
}  // namespace pal

// A shape with a bevelled face, a dark outline and a drop shadow (titles, chevrons).
struct SlabStyle {
    Rgb top, bottom, light, dark, outline, shadow;
    int bevel = 2, outlineWidth = 2, shadowOffset = 3;
};
SlabStyle GoldSlab();
void DrawSlab(Canvas& c, const Mask& m, int x, int y, const SlabStyle& s);

// A rounded navy plate with a bevelled stone rim; pixels outside the corners stay transparent.
void DrawPlate(Canvas& c, int x, int y, int w, int h, int radius, int rim);

// Perfect maze in the game's own layout: odd blocks are rooms, even blocks walls or doors.
struct BlockMaze {
    int w = 0, h = 0;
    std::vector<uint8_t> wall;  // 1 = wall block
    std::vector<int> route;     // room blocks from the entrance (left) to the exit (right)
    bool IsWall(int x, int y) const { return wall[static_cast<size_t>(y) * w + x] != 0; }
};
BlockMaze MakeBlockMaze(int roomsX, int roomsY, uint64_t seed, int entryRoomY, int exitRoomY);
// Thin-walled rendering: wall blocks `wall` px, rooms `room` px, route drawn in `route` colour.
void DrawThinMaze(Canvas& c, const BlockMaze& m, int x, int y, int wall, int room, Rgb floor, Rgb wallColour,
                  Rgb wallLight, Rgb route);

// res/
Canvas PlayerArrows();
Canvas TimeDigits();
Canvas CounterDigits();
Canvas MeterPanel();
Canvas TitleArt();
Canvas StartArt();
Canvas GoalArt();
Canvas Icon(int size);

// res_3d/ textures, 256 x 256, tiling left to right.
Canvas WallTexture();
Canvas FloorTexture();
Canvas CeilingTexture();
Canvas GateWallTexture();
Canvas GateFloorTexture();
Canvas TorchWallTexture();

// res_3d/ models: 16 frames by solid-neighbour mask, textures named relative to the model.
struct ModelSkin {
    std::string wallTex, floorTex, ceilingTex;
    double wallEmission = 0, floorEmission = 0;
};
std::string CellModel(const ModelSkin& skin);

}  // namespace art
