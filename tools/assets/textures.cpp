// Wall, floor and ceiling textures of the 3-D maze: 256 x 256, seamless from one cell to the next.
#include "art.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {
constexpr int kSize = 256;
constexpr double kPi = 3.14159265358979323846;

// Wall rows: a cornice under the ceiling, seven courses of stone blocks, a plinth at the floor.
constexpr int kCorniceH = 10, kCourseH = 32, kCourses = 7, kPlinthY = kCorniceH + kCourseH * kCourses;

double grain(int x, int y, uint32_t seed) { return fractal(x / 16.0, y / 16.0, kSize / 16, seed, 4); }

Rgb block_colour(Rng& rng) {
    Rgb base = mix(hex(0x58647A), hex(0x7A86A0), rng.unit());
    return mix(base, hex(0x7C766C), rng.unit() * rng.unit() * 0.6);   // a few warmer stones
}

void stone_courses(Canvas& c, uint32_t seed) {
    static const std::vector<std::vector<int>> patterns = {
        {64, 64, 64, 64}, {96, 64, 96}, {80, 96, 80}, {48, 80, 48, 80}, {112, 64, 80}, {72, 56, 72, 56}};
    Rng rng(seed);
    for (int course = 0; course < kCourses; ++course) {
        const std::vector<int>& widths = patterns[rng.range(0, static_cast<int>(patterns.size()) - 1)];
        int shift = rng.range(0, 63) * 4, y0 = kCorniceH + course * kCourseH;
        std::vector<Rgb> tints;
        for (size_t k = 0; k < widths.size(); ++k) tints.push_back(block_colour(rng));
        for (int x = 0; x < kSize; ++x) {
            int u = (x - shift + kSize) % kSize, k = 0;
            while (u >= widths[k]) u -= widths[k++];
            for (int ly = 0; ly < kCourseH; ++ly) {
                int y = y0 + ly;
                double n = grain(x, y, seed);
                if (u < 2 || ly < 2) { c.put(x, y, scale(hex(0x23272F), 0.8 + 0.4 * n)); continue; }
                double f = 0.8 + 0.4 * n;
                if (ly < 4 || u < 4) f *= 1.2;
                else if (ly >= kCourseH - 2 || u >= widths[k] - 2) f *= 0.7;
                if (noise(x / 2.5, y / 2.5, 103, seed + 5) > 0.84) f *= 0.88;   // pits
                c.put(x, y, scale(tints[k], f));
            }
        }
    }
}

void cracks(Canvas& c, uint32_t seed, int count) {
    Rng rng(seed * 7 + 3);
    for (int k = 0; k < count; ++k) {
        int x = rng.range(8, kSize - 8), y = rng.range(kCorniceH + 6, kPlinthY - 10);
        for (int step = rng.range(8, 18); step > 0; --step) {
            c.put(x, y, scale(c.get(x, y), 0.55));
            c.put(x + 1, y + 1, scale(c.get((x + 1) % kSize, std::min(y + 1, kSize - 1)), 1.15));
            x = (x + rng.range(-1, 1) + kSize) % kSize;
            y = std::clamp(y + rng.range(0, 1), kCorniceH + 2, kPlinthY - 3);
        }
    }
}

void trims(Canvas& c, uint32_t seed) {
    for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kCorniceH; ++y) {
            Rgb col = scale(hex(0x4A5264), 0.85 + 0.3 * grain(x, y, seed + 1));
            if (y == kCorniceH - 2) col = hex(0x8A95AC);
            if (y == kCorniceH - 1) col = hex(0x181B22);
            c.put(x, y, col);
        }
        for (int y = kPlinthY; y < kSize; ++y) {
            Rgb col = scale(hex(0x3C4350), 0.85 + 0.3 * grain(x, y, seed + 2));
            if (y == kPlinthY) col = hex(0x181B22);
            if (y == kPlinthY + 1) col = hex(0x7C879C);
            if (y >= kSize - 6) col = scale(col, 0.75);
            c.put(x, y, col);
        }
    }
}

Canvas stone_wall(uint32_t seed) {
    Canvas c(kSize, kSize);
    stone_courses(c, seed);
    cracks(c, seed, 3);
    trims(c, seed);
    return c;
}

// Brightens pixels toward `light` around (cx, cy), fading to nothing at `radius`.
void glow(Canvas& c, double cx, double cy, double radius, Rgb light, double strength) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (d < 1) c.put(x, y, add(c.get(x, y), light, strength * std::pow(1 - d, 1.6)));
        }
}

// A gold bar with a light upper-left edge and a dark lower-right edge.
void gold_band(Canvas& c, int x, int y, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            Rgb col = mix(pal::gold_top, pal::gold_bottom, (j + i * 0.3) / (h + w * 0.3));
            if (i < 2 || j < 2) col = pal::gold_light;
            if (i >= w - 2 || j >= h - 2) col = pal::gold_dark;
            c.put(x + i, y + j, col);
        }
}

bool in_arch(double x, double y, double left, double right, double top, double bottom) {
    double r = (right - left) / 2, cx = left + r;
    if (x < left || x > right || y > bottom) return false;
    return y >= top + r || std::hypot(x - cx, y - (top + r)) <= r;
}
}  // namespace

Canvas wall_texture() { return stone_wall(1001); }

Canvas floor_texture() {
    Canvas c(kSize, kSize);
    Rng rng(2002);
    Rgb tint[4][4];
    for (auto& row : tint)
        for (auto& t : row) t = mix(hex(0x5E574E), hex(0x7E766A), rng.unit());
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            int u = x % 64, v = y % 64;
            double n = grain(x, y, 2002), dirt = fractal(x / 64.0, y / 64.0, 4, 2003, 2);
            if (u < 2 || v < 2 || u >= 62 || v >= 62) {
                // the joint at the cell's edge is darker, so the cell grid reads in the distance
                bool cell_edge = x < 2 || y < 2 || x >= kSize - 2 || y >= kSize - 2;
                c.put(x, y, scale(cell_edge ? hex(0x17140F) : hex(0x2A251F), 0.85 + 0.3 * n));
                continue;
            }
            double f = (0.82 + 0.3 * n) * (0.9 + 0.2 * dirt);
            if (u < 4 || v < 4) f *= 1.15;
            else if (u >= 60 || v >= 60) f *= 0.75;
            c.put(x, y, scale(tint[y / 64][x / 64], f));
        }
    return c;
}

Canvas ceiling_texture() {
    // Coffered: a timber beam along every cell edge around a recessed dark slab.
    Canvas c(kSize, kSize);
    const int beam = 16;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            int ex = std::min(x, kSize - 1 - x), ey = std::min(y, kSize - 1 - y), e = std::min(ex, ey);
            if (e < beam) {
                bool along_x = ey < ex;   // the grain runs along the beam
                double g = noise(along_x ? x / 24.0 : x / 1.5, along_x ? y / 1.5 : y / 24.0, along_x ? 11 : 171, 3003);
                Rgb col = scale(hex(0x5C4430), 0.75 + 0.4 * g);
                if (e == beam - 1) col = hex(0x1A120C);
                else if (e == 0) col = scale(col, 0.7);
                c.put(x, y, col);
            } else {
                double n = grain(x, y, 3004);
                Rgb col = scale(hex(0x2E333E), 0.8 + 0.35 * n);
                if (e < beam + 6) col = scale(col, 0.6 + 0.4 * (e - beam) / 6.0);   // shade under the beams
                c.put(x, y, col);
            }
        }
    return c;
}

Canvas gate_wall_texture() {
    // Entrance and exit: a gold frame round the wall and a glowing cyan doorway.
    Canvas c = stone_wall(4004);
    glow(c, 128, 150, 150, pal::cyan, 0.45);
    gold_band(c, 4, kCorniceH + 2, 12, kPlinthY - kCorniceH - 4);
    gold_band(c, kSize - 16, kCorniceH + 2, 12, kPlinthY - kCorniceH - 4);
    gold_band(c, 4, kCorniceH + 2, kSize - 8, 12);
    const double left = 66, right = 190, top = 44, bottom = kPlinthY;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            double px = x + 0.5, py = y + 0.5;
            if (!in_arch(px, py, left - 10, right + 10, top - 10, bottom)) continue;
            if (!in_arch(px, py, left, right, top, bottom)) {
                bool upper = px < 128 - (py - top);
                c.put(x, y, mix(pal::gold_top, pal::gold_bottom, py / kSize));
                if (!in_arch(px, py, left - 8, right + 8, top - 8, bottom)) c.put(x, y, upper ? pal::gold_light : pal::gold_dark);
                if (!in_arch(px - 2, py - 2, left, right, top, bottom) && in_arch(px - 3, py - 3, left, right, top, bottom))
                    c.put(x, y, pal::gold_dark);
                continue;
            }
            double d = std::hypot((px - 128) / 62, (py - 170) / 110);
            Rgb col = mix(pal::cyan_core, pal::cyan, d * 1.4);
            col = mix(col, pal::cyan_deep, (d - 0.7) * 1.5);
            if (static_cast<int>(py) % 12 < 2) col = add(col, hex(0x303838), 1);   // light bands
            c.put(x, y, col);
        }
    return c;
}

Canvas gate_floor_texture() {
    Canvas c = floor_texture();
    glow(c, 128, 128, 180, pal::cyan, 0.5);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (!in_round_rect(x, y, 44, 44, 168, 168, 18)) continue;
            bool face = in_round_rect(x, y, 54, 54, 148, 148, 10);
            if (!face) {
                bool upper = x + y < 256;
                bool edge = !in_round_rect(x, y, 46, 46, 164, 164, 16) || in_round_rect(x, y, 52, 52, 152, 152, 12);
                c.put(x, y, edge ? (upper ? pal::gold_light : pal::gold_dark) : mix(pal::gold_top, pal::gold_bottom, (x + y) / 512.0));
                continue;
            }
            double r = std::hypot(x + 0.5 - 128, y + 0.5 - 128);
            Rgb col = mix(pal::cyan_core, pal::cyan, r / 60);
            col = mix(col, pal::cyan_deep, (r - 60) / 40);
            if (static_cast<int>(r) % 18 < 2) col = scale(col, 0.75);           // rings
            if (std::abs(x + 0.5 - 128) + std::abs(y + 0.5 - 128) < 22) col = hex(0xF4FFFF);   // centre diamond
            c.put(x, y, col);
        }
    return c;
}

Canvas torch_wall_texture() {
    // A torch in an iron bracket at eye height, lighting the stones around it.
    Canvas c = stone_wall(5005);
    glow(c, 128, 84, 150, pal::amber, 0.8);
    for (int y = 4; y < 52; ++y)                         // soot above the flame
        for (int x = 100; x < 156; ++x) {
            double d = std::abs(x + 0.5 - 128) / (10 + (52 - y) * 0.4);
            if (d < 1) c.put(x, y, scale(c.get(x, y), 0.5 + 0.5 * d));
        }
    const Rgb iron = hex(0x2B2D34), iron_light = hex(0x6E7282);
    c.fill(116, 140, 24, 44, iron);                      // wall plate with two rivets
    c.fill(116, 140, 24, 2, iron_light);
    c.fill(116, 140, 2, 44, iron_light);
    for (int y : {146, 174}) c.fill(126, y, 4, 4, iron_light);
    for (int y = 88; y < 152; ++y)                       // handle, wrapped below the flame
        for (int x = 122; x < 134; ++x) {
            double g = noise(x / 1.5, y / 10.0, 171, 5006);
            Rgb wood = y < 104 ? hex(0x3A2616) : hex(0x6C4526);
            c.put(x, y, scale(wood, (x < 124 ? 1.3 : x > 131 ? 0.6 : 1.0) * (0.8 + 0.35 * g)));
        }
    c.fill(110, 128, 36, 10, iron);                      // cup, in front of the handle
    c.fill(110, 128, 36, 2, iron_light);
    c.fill(110, 137, 36, 1, hex(0x14151A));
    // flame: a round base at (128, 90) drawing up to a tip at y = 24, hottest low in the middle
    for (int y = 24; y < 111; ++y)
        for (int x = 104; x < 153; ++x) {
            double dx = x + 0.5 - 128, dy = y + 0.5 - 90;
            double half = dy < 0 ? 20 * std::pow((y + 0.5 - 24) / 66, 1.2) : std::sqrt(std::max(0.0, 400 - dy * dy));
            if (std::abs(dx) > half) continue;
            double heat = 1 - std::hypot(dx / 17, (y + 0.5 - 92) / 48);
            c.put(x, y, heat > 0.55 ? hex(0xFFF4C0) : heat > 0.25 ? hex(0xFFBE3A) : hex(0xFF7418));
        }
    return c;
}

}  // namespace art
