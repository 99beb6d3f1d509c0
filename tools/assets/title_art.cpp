// Pictures of the title, start and goal screens and the window icon.
#include "art.h"

#include <cmath>

namespace art {

namespace {
constexpr double kPi = 3.14159265358979323846;

// Maze floor behind the lettering, a shade lighter than the plate so the corridors read.
constexpr Rgb kMazeFloor = hex(0x0E1A30);

void maze_in_plate(Canvas& c, int w, int h, int rim, uint64_t seed, Rgb route) {
    int inner_w = w - 2 * rim - 4, inner_h = h - 2 * rim - 4;
    int rooms_x = (inner_w - 2) / 10, rooms_y = (inner_h - 2) / 10;
    BlockMaze m = make_block_maze(rooms_x, rooms_y, seed, rooms_y / 2, rooms_y / 2);
    int mw = rooms_x * 10 + 2, mh = rooms_y * 10 + 2;
    draw_thin_maze(c, m, (w - mw) / 2, (h - mh) / 2, 2, 8, kMazeFloor, pal::maze_wall, pal::maze_wall_light, route);
}

// A ">" of stroke `thick`: each row is a run of `thick` pixels that reaches furthest at mid-height.
Mask chevron(int w, int h, int thick) {
    Mask m(w, h);
    double mid = (h - 1) / 2.0;
    for (int y = 0; y < h; ++y) {
        double left = (w - thick) * (1 - std::abs(y - mid) / mid);
        for (int x = 0; x < w; ++x)
            if (x + 0.5 >= left && x + 0.5 < left + thick) m.set(x, y);
    }
    return m;
}
}  // namespace

Canvas title_art() {
    // Drawn at (175, 60): ends at (625, 174), above the stage line at y = 180.
    const int w = 450, h = 114;
    Canvas c(w, h);
    draw_plate(c, 0, 0, w, h, 12, 4);
    maze_in_plate(c, w, h, 4, 0x51A7E1u, scale(pal::cyan, 0.8));
    Mask name = text_mask("QUARNEL", big_letter, 9, 1, true);
    draw_slab(c, name, (w - name.w) / 2, (h - name.h) / 2 - 1, gold_slab());
    return c;
}

Canvas start_art() {
    // Drawn at (255, 100) on a cleared screen for the moment a stage begins: centred on the window.
    const int w = 290, h = 200;
    Canvas c(w, h);
    draw_plate(c, 0, 0, w, h, 14, 4);
    maze_in_plate(c, w, h, 4, 0x57A27u, scale(pal::cyan, 0.55));
    Mask word = text_mask("START", big_letter, 8, 1, true);
    draw_slab(c, word, (w - word.w) / 2, 30, gold_slab());
    SlabStyle glow{pal::cyan_core, pal::cyan, hex(0xF0FFFF), pal::cyan_deep, hex(0x02161E), hex(0x02040A), 2, 2, 3};
    Mask arrow = chevron(36, 56, 14);
    int total = 3 * arrow.w + 2 * 10;
    for (int k = 0; k < 3; ++k) draw_slab(c, arrow, (w - total) / 2 + k * (arrow.w + 10), 108, glow);
    return c;
}

Canvas goal_art() {
    // Drawn at (149, 60) over the last frame: centred on the reduced 3-D view (16, 16)-(528, 272).
    const int w = 246, h = 168;
    Canvas c(w, h);
    double cx = w / 2.0, cy = h / 2.0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double u = (x + 0.5 - cx) / cx, v = (y + 0.5 - cy) / cy;
            double r = std::sqrt(u * u + v * v), a = std::atan2(v, u) + kPi;
            double sector = a / (2 * kPi) * 24;
            double tip = 1 - std::abs(2 * (sector - std::floor(sector)) - 1);  // 1 on a ray's axis
            if (r > 0.74 + 0.26 * tip) continue;
            Rgb ray = static_cast<int>(std::floor(sector)) % 2 ? hex(0xFFD43A) : hex(0xFF9A1C);
            c.put(x, y, r > 0.7 + 0.26 * tip ? hex(0x7A3404) : mix(ray, hex(0xD0600C), r * r));
        }
    }
    const int bx = 20, by = 40, bw = w - 40, bh = 88;
    draw_plate(c, bx, by, bw, bh, 10, 3);
    for (int row = 0; row < 2; ++row) {                     // finish-line checks along both edges
        int y0 = row == 0 ? by + 5 : by + bh - 11;
        for (int x = bx + 6; x < bx + bw - 6; ++x)
            for (int y = 0; y < 6; ++y)
                c.put(x, y0 + y, ((x - bx - 6) / 6 + y / 3) % 2 ? hex(0xF4F4F0) : hex(0x14161C));
    }
    Mask word = text_mask("GOAL", big_letter, 8, 1, true);
    draw_slab(c, word, (w - word.w) / 2, by + (bh - word.h) / 2 - 1, gold_slab());
    return c;
}

Canvas icon(int size) {
    // Opaque: a tiny maze with its route in cyan and the exit in gold, framed in stone.
    int rooms = (size - 2) / 4;
    BlockMaze m = make_block_maze(rooms, rooms, size == 16 ? 0x1C0u : 0x20u, 0, rooms - 1);
    Canvas c(size, size, pal::stone_dark);
    int block = (size - 2) / m.w;
    int off = (size - block * m.w) / 2;
    for (int by = 0; by < m.h; ++by)
        for (int bx = 0; bx < m.w; ++bx)
            c.fill(off + bx * block, off + by * block, block, block, m.is_wall(bx, by) ? pal::maze_wall : pal::navy);
    int rx = (m.w - 1) / 2;
    for (size_t k = 0; k < m.route.size(); ++k) {
        int r = m.route[k], x = (r % rx) * 2 + 1, y = (r / rx) * 2 + 1;
        c.fill(off + x * block, off + y * block, block, block, pal::cyan);
        if (k + 1 < m.route.size()) {
            int n = m.route[k + 1], nx = (n % rx) * 2 + 1, ny = (n / rx) * 2 + 1;
            c.fill(off + (x + nx) / 2 * block, off + (y + ny) / 2 * block, block, block, pal::cyan);
        }
    }
    c.fill(off, off + block, block, block, pal::cyan);                                   // entrance
    c.fill(off + (m.w - 1) * block, off + (m.h - 2) * block, block, block, pal::gold_top);  // exit
    for (int i = 0; i < size; ++i) {
        c.put(i, 0, pal::stone_light), c.put(0, i, pal::stone_light);
        c.put(i, size - 1, pal::ink), c.put(size - 1, i, pal::ink);
    }
    return c;
}

}  // namespace art
