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
inline constexpr Rgb ink = hex(0x070A10);
inline constexpr Rgb navy = hex(0x0B1426);
inline constexpr Rgb maze_wall = hex(0x2A56B8);
inline constexpr Rgb maze_wall_light = hex(0x4A7EE8);
inline constexpr Rgb cyan = hex(0x3CE6F6);
inline constexpr Rgb cyan_deep = hex(0x1496B8);
inline constexpr Rgb cyan_core = hex(0xC8FBFF);
inline constexpr Rgb gold_top = hex(0xFFE27A);
inline constexpr Rgb gold_bottom = hex(0xE08A1E);
inline constexpr Rgb gold_light = hex(0xFFF6C8);
inline constexpr Rgb gold_dark = hex(0x8C4A0C);
inline constexpr Rgb outline = hex(0x1A0C02);
inline constexpr Rgb stone_light = hex(0x8C97AE);
inline constexpr Rgb stone_dark = hex(0x3A4254);
inline constexpr Rgb amber = hex(0xFFB02E);
inline constexpr Rgb yellow = hex(0xFFD23C);
}  // namespace pal

// A shape with a bevelled face, a dark outline and a drop shadow (titles, chevrons).
struct SlabStyle {
    Rgb top, bottom, light, dark, outline, shadow;
    int bevel = 2, outline_width = 2, shadow_offset = 3;
};
SlabStyle gold_slab();
void draw_slab(Canvas& c, const Mask& m, int x, int y, const SlabStyle& s);

// A rounded navy plate with a bevelled stone rim; pixels outside the corners stay transparent.
void draw_plate(Canvas& c, int x, int y, int w, int h, int radius, int rim);

// Perfect maze in the game's own layout: odd blocks are rooms, even blocks walls or doors.
struct BlockMaze {
    int w = 0, h = 0;
    std::vector<uint8_t> wall;   // 1 = wall block
    std::vector<int> route;      // room blocks from the entrance (left) to the exit (right)
    bool is_wall(int x, int y) const { return wall[static_cast<size_t>(y) * w + x] != 0; }
};
BlockMaze make_block_maze(int rooms_x, int rooms_y, uint64_t seed, int entry_room_y, int exit_room_y);
// Thin-walled rendering: wall blocks `wall` px, rooms `room` px, route drawn in `route` colour.
void draw_thin_maze(Canvas& c, const BlockMaze& m, int x, int y, int wall, int room, Rgb floor, Rgb wall_colour,
                    Rgb wall_light, Rgb route);

// res/
Canvas player_arrows();
Canvas time_digits();
Canvas counter_digits();
Canvas meter_panel();
Canvas title_art();
Canvas start_art();
Canvas goal_art();
Canvas icon(int size);

// res_3d/ textures, 256 x 256, tiling left to right.
Canvas wall_texture();
Canvas floor_texture();
Canvas ceiling_texture();
Canvas gate_wall_texture();
Canvas gate_floor_texture();
Canvas torch_wall_texture();

// res_3d/ models: 16 frames by solid-neighbour mask, textures named relative to the model.
struct ModelSkin {
    std::string wall_tex, floor_tex, ceiling_tex;
    double wall_emission = 0, floor_emission = 0;
};
std::string cell_model(const ModelSkin& skin);

}  // namespace art
