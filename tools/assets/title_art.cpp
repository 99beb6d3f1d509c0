// Pictures of the title, start and goal screens and the window icon.
#include "art.h"

#include <cmath>

namespace art {

namespace {
constexpr double PI = 3.14159265358979323846;

// Maze floor behind the lettering, a shade lighter than the plate so the corridors read.
constexpr Rgb MAZE_FLOOR = Hex(0x0E1A30);

void MazeInPlate(Canvas& c, int w, int h, int rim, uint64_t seed, Rgb route) {
    int innerW = w - 2 * rim - 4, innerH = h - 2 * rim - 4;
    int roomsX = (innerW - 2) / 10, roomsY = (innerH - 2) / 10;
    BlockMaze m = MakeBlockMaze(roomsX, roomsY, seed, roomsY / 2, roomsY / 2);
    int mw = roomsX * 10 + 2, mh = roomsY * 10 + 2;
    DrawThinMaze(c, m, (w - mw) / 2, (h - mh) / 2, 2, 8, MAZE_FLOOR, pal::MAZE_WALL, pal::MAZE_WALL_LIGHT, route);
}

// A ">" of stroke `thick`: each row is a run of `thick` pixels that reaches furthest at mid-height.
Mask Chevron(int w, int h, int thick) {
    Mask m(w, h);
    double mid = (h - 1) / 2.0;
    for (int y = 0; y < h; ++y) {
        double left = (w - thick) * (1 - std::abs(y - mid) / mid);
        for (int x = 0; x < w; ++x)
            if (x + 0.5 >= left && x + 0.5 < left + thick) m.Set(x, y);
    }
    return m;
}
}  // namespace

Canvas TitleArt() {
    // Drawn at (175, 60): ends at (625, 174), above the stage line at y = 180.
    const int w = 450, h = 114;
    Canvas c(w, h);
    DrawPlate(c, 0, 0, w, h, 12, 4);
    MazeInPlate(c, w, h, 4, 0x51A7E1u, Scale(pal::CYAN, 0.8));
    Mask name = TextMask("QUARNEL", BigLetter, 9, 1, true);
    DrawSlab(c, name, (w - name.w) / 2, (h - name.h) / 2 - 1, GoldSlab());
    return c;
}

Canvas StartArt() {
    // Drawn at (255, 100) on a cleared screen for the moment a stage begins: centred on the window.
    const int w = 290, h = 200;
    Canvas c(w, h);
    DrawPlate(c, 0, 0, w, h, 14, 4);
    MazeInPlate(c, w, h, 4, 0x57A27u, Scale(pal::CYAN, 0.55));
    Mask word = TextMask("START", BigLetter, 8, 1, true);
    DrawSlab(c, word, (w - word.w) / 2, 30, GoldSlab());
    SlabStyle glow{pal::CYAN_CORE, pal::CYAN, Hex(0xF0FFFF), pal::CYAN_DEEP, Hex(0x02161E), Hex(0x02040A), 2, 2, 3};
    Mask arrow = Chevron(36, 56, 14);
    int total = 3 * arrow.w + 2 * 10;
    for (int k = 0; k < 3; ++k) DrawSlab(c, arrow, (w - total) / 2 + k * (arrow.w + 10), 108, glow);
    return c;
}

Canvas GoalArt() {
    // Drawn at (149, 60) over the last frame: centred on the reduced 3-D view (16, 16)-(528, 272).
    const int w = 246, h = 168;
    Canvas c(w, h);
    double cx = w / 2.0, cy = h / 2.0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double u = (x + 0.5 - cx) / cx, v = (y + 0.5 - cy) / cy;
            double r = std::sqrt(u * u + v * v), a = std::atan2(v, u) + PI;
            double sector = a / (2 * PI) * 24;
            double tip = 1 - std::abs(2 * (sector - std::floor(sector)) - 1);  // 1 on a ray's axis
            if (r > 0.74 + 0.26 * tip) continue;
            Rgb ray = static_cast<int>(std::floor(sector)) % 2 ? Hex(0xFFD43A) : Hex(0xFF9A1C);
            c.Put(x, y, r > 0.7 + 0.26 * tip ? Hex(0x7A3404) : Mix(ray, Hex(0xD0600C), r * r));
        }
    }
    const int bx = 20, by = 40, bw = w - 40, bh = 88;
    DrawPlate(c, bx, by, bw, bh, 10, 3);
    for (int row = 0; row < 2; ++row) {  // finish-line checks along both edges
        int y0 = row == 0 ? by + 5 : by + bh - 11;
        for (int x = bx + 6; x < bx + bw - 6; ++x)
            for (int y = 0; y < 6; ++y)
                c.Put(x, y0 + y, ((x - bx - 6) / 6 + y / 3) % 2 ? Hex(0xF4F4F0) : Hex(0x14161C));
    }
    Mask word = TextMask("GOAL", BigLetter, 8, 1, true);
    DrawSlab(c, word, (w - word.w) / 2, by + (bh - word.h) / 2 - 1, GoldSlab());
    return c;
}

Canvas Icon(int size) {
    // Opaque: a tiny maze with its route in cyan and the exit in gold, framed in stone.
    int rooms = (size - 2) / 4;
    BlockMaze m = MakeBlockMaze(rooms, rooms, size == 16 ? 0x1C0u : 0x20u, 0, rooms - 1);
    Canvas c(size, size, pal::STONE_DARK);
    int block = (size - 2) / m.w;
    int off = (size - block * m.w) / 2;
    for (int by = 0; by < m.h; ++by)
        for (int bx = 0; bx < m.w; ++bx)
            c.Fill(off + bx * block, off + by * block, block, block, m.IsWall(bx, by) ? pal::MAZE_WALL : pal::NAVY);
    int rx = (m.w - 1) / 2;
    for (size_t k = 0; k < m.route.size(); ++k) {
        int r = m.route[k], x = (r % rx) * 2 + 1, y = (r / rx) * 2 + 1;
        c.Fill(off + x * block, off + y * block, block, block, pal::CYAN);
        if (k + 1 < m.route.size()) {
            int n = m.route[k + 1], nx = (n % rx) * 2 + 1, ny = (n / rx) * 2 + 1;
            c.Fill(off + (x + nx) / 2 * block, off + (y + ny) / 2 * block, block, block, pal::CYAN);
        }
    }
    c.Fill(off, off + block, block, block, pal::CYAN);                                      // entrance
    c.Fill(off + (m.w - 1) * block, off + (m.h - 2) * block, block, block, pal::GOLD_TOP);  // exit
    for (int i = 0; i < size; ++i) {
        c.Put(i, 0, pal::STONE_LIGHT), c.Put(0, i, pal::STONE_LIGHT);
        c.Put(i, size - 1, pal::INK), c.Put(size - 1, i, pal::INK);
    }
    return c;
}

}  // namespace art
