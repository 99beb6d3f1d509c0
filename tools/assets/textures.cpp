// Wall, floor and ceiling textures of the 3-D maze: 256 x 256, seamless from one cell to the next.
#include "art.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {
constexpr int SIZE = 256;
constexpr double PI = 3.14159265358979323846;

// Wall rows: a cornice under the ceiling, seven courses of stone blocks, a plinth at the floor.
constexpr int CORNICE_H = 10, COURSE_H = 32, COURSES = 7, PLINTH_Y = CORNICE_H + COURSE_H * COURSES;

double Grain(int x, int y, uint32_t seed) { return Fractal(x / 16.0, y / 16.0, SIZE / 16, seed, 4); }

Rgb BlockColour(Rng& rng) {
    Rgb base = Mix(Hex(0x58647A), Hex(0x7A86A0), rng.Unit());
    return Mix(base, Hex(0x7C766C), rng.Unit() * rng.Unit() * 0.6);  // a few warmer stones
}

void StoneCourses(Canvas& c, uint32_t seed) {
    static const std::vector<std::vector<int>> patterns = {{64, 64, 64, 64}, {96, 64, 96},  {80, 96, 80},
                                                           {48, 80, 48, 80}, {112, 64, 80}, {72, 56, 72, 56}};
    Rng rng(seed);
    for (int course = 0; course < COURSES; ++course) {
        const std::vector<int>& widths = patterns[rng.Range(0, static_cast<int>(patterns.size()) - 1)];
        int shift = rng.Range(0, 63) * 4, y0 = CORNICE_H + course * COURSE_H;
        std::vector<Rgb> tints;
        for (size_t k = 0; k < widths.size(); ++k) tints.push_back(BlockColour(rng));
        for (int x = 0; x < SIZE; ++x) {
            int u = (x - shift + SIZE) % SIZE, k = 0;
            while (u >= widths[k]) u -= widths[k++];
            for (int ly = 0; ly < COURSE_H; ++ly) {
                int y = y0 + ly;
                double n = Grain(x, y, seed);
                if (u < 2 || ly < 2) {
                    c.Put(x, y, Scale(Hex(0x23272F), 0.8 + 0.4 * n));
                    continue;
                }
                double f = 0.8 + 0.4 * n;
                if (ly < 4 || u < 4) f *= 1.2;
                else if (ly >= COURSE_H - 2 || u >= widths[k] - 2) f *= 0.7;
                if (Noise(x / 2.5, y / 2.5, 103, seed + 5) > 0.84) f *= 0.88;  // pits
                c.Put(x, y, Scale(tints[k], f));
            }
        }
    }
}

void Cracks(Canvas& c, uint32_t seed, int count) {
    Rng rng(seed * 7 + 3);
    for (int k = 0; k < count; ++k) {
        int x = rng.Range(8, SIZE - 8), y = rng.Range(CORNICE_H + 6, PLINTH_Y - 10);
        for (int step = rng.Range(8, 18); step > 0; --step) {
            c.Put(x, y, Scale(c.Get(x, y), 0.55));
            c.Put(x + 1, y + 1, Scale(c.Get((x + 1) % SIZE, std::min(y + 1, SIZE - 1)), 1.15));
            x = (x + rng.Range(-1, 1) + SIZE) % SIZE;
            y = std::clamp(y + rng.Range(0, 1), CORNICE_H + 2, PLINTH_Y - 3);
        }
    }
}

void Trims(Canvas& c, uint32_t seed) {
    for (int x = 0; x < SIZE; ++x) {
        for (int y = 0; y < CORNICE_H; ++y) {
            Rgb col = Scale(Hex(0x4A5264), 0.85 + 0.3 * Grain(x, y, seed + 1));
            if (y == CORNICE_H - 2) col = Hex(0x8A95AC);
            if (y == CORNICE_H - 1) col = Hex(0x181B22);
            c.Put(x, y, col);
        }
        for (int y = PLINTH_Y; y < SIZE; ++y) {
            Rgb col = Scale(Hex(0x3C4350), 0.85 + 0.3 * Grain(x, y, seed + 2));
            if (y == PLINTH_Y) col = Hex(0x181B22);
            if (y == PLINTH_Y + 1) col = Hex(0x7C879C);
            if (y >= SIZE - 6) col = Scale(col, 0.75);
            c.Put(x, y, col);
        }
    }
}

Canvas StoneWall(uint32_t seed) {
    Canvas c(SIZE, SIZE);
    StoneCourses(c, seed);
    Cracks(c, seed, 3);
    Trims(c, seed);
    return c;
}

// Brightens pixels toward `light` around (cx, cy), fading to nothing at `radius`.
void Glow(Canvas& c, double cx, double cy, double radius, Rgb light, double strength) {
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (d < 1) c.Put(x, y, Add(c.Get(x, y), light, strength * std::pow(1 - d, 1.6)));
        }
}

// A gold bar with a light upper-left edge and a dark lower-right edge.
void GoldBand(Canvas& c, int x, int y, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            Rgb col = Mix(pal::GOLD_TOP, pal::GOLD_BOTTOM, (j + i * 0.3) / (h + w * 0.3));
            if (i < 2 || j < 2) col = pal::GOLD_LIGHT;
            if (i >= w - 2 || j >= h - 2) col = pal::GOLD_DARK;
            c.Put(x + i, y + j, col);
        }
}

bool InArch(double x, double y, double left, double right, double top, double bottom) {
    double r = (right - left) / 2, cx = left + r;
    if (x < left || x > right || y > bottom) return false;
    return y >= top + r || std::hypot(x - cx, y - (top + r)) <= r;
}
}  // namespace

Canvas WallTexture() { return StoneWall(1001); }

Canvas FloorTexture() {
    Canvas c(SIZE, SIZE);
    Rng rng(2002);
    Rgb tint[4][4];
    for (auto& row : tint)
        for (auto& t : row) t = Mix(Hex(0x5E574E), Hex(0x7E766A), rng.Unit());
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x) {
            int u = x % 64, v = y % 64;
            double n = Grain(x, y, 2002), dirt = Fractal(x / 64.0, y / 64.0, 4, 2003, 2);
            if (u < 2 || v < 2 || u >= 62 || v >= 62) {
                // the joint at the cell's edge is darker, so the cell grid reads in the distance
                bool cellEdge = x < 2 || y < 2 || x >= SIZE - 2 || y >= SIZE - 2;
                c.Put(x, y, Scale(cellEdge ? Hex(0x17140F) : Hex(0x2A251F), 0.85 + 0.3 * n));
                continue;
            }
            double f = (0.82 + 0.3 * n) * (0.9 + 0.2 * dirt);
            if (u < 4 || v < 4) f *= 1.15;
            else if (u >= 60 || v >= 60) f *= 0.75;
            c.Put(x, y, Scale(tint[y / 64][x / 64], f));
        }
    return c;
}

Canvas CeilingTexture() {
    // Coffered: a timber beam along every cell edge around a recessed dark slab.
    Canvas c(SIZE, SIZE);
    const int beam = 16;
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x) {
            int ex = std::min(x, SIZE - 1 - x), ey = std::min(y, SIZE - 1 - y), e = std::min(ex, ey);
            if (e < beam) {
                bool alongX = ey < ex;  // the grain runs along the beam
                double g = Noise(alongX ? x / 24.0 : x / 1.5, alongX ? y / 1.5 : y / 24.0, alongX ? 11 : 171, 3003);
                Rgb col = Scale(Hex(0x5C4430), 0.75 + 0.4 * g);
                if (e == beam - 1) col = Hex(0x1A120C);
                else if (e == 0) col = Scale(col, 0.7);
                c.Put(x, y, col);
            } else {
                double n = Grain(x, y, 3004);
                Rgb col = Scale(Hex(0x2E333E), 0.8 + 0.35 * n);
                if (e < beam + 6) col = Scale(col, 0.6 + 0.4 * (e - beam) / 6.0);  // shade under the beams
                c.Put(x, y, col);
            }
        }
    return c;
}

Canvas GateWallTexture() {
    // Entrance and exit: a gold frame round the wall and a glowing cyan doorway.
    Canvas c = StoneWall(4004);
    Glow(c, 128, 150, 150, pal::CYAN, 0.45);
    GoldBand(c, 4, CORNICE_H + 2, 12, PLINTH_Y - CORNICE_H - 4);
    GoldBand(c, SIZE - 16, CORNICE_H + 2, 12, PLINTH_Y - CORNICE_H - 4);
    GoldBand(c, 4, CORNICE_H + 2, SIZE - 8, 12);
    const double left = 66, right = 190, top = 44, bottom = PLINTH_Y;
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x) {
            double px = x + 0.5, py = y + 0.5;
            if (!InArch(px, py, left - 10, right + 10, top - 10, bottom)) continue;
            if (!InArch(px, py, left, right, top, bottom)) {
                bool upper = px < 128 - (py - top);
                c.Put(x, y, Mix(pal::GOLD_TOP, pal::GOLD_BOTTOM, py / SIZE));
                if (!InArch(px, py, left - 8, right + 8, top - 8, bottom))
                    c.Put(x, y, upper ? pal::GOLD_LIGHT : pal::GOLD_DARK);
                if (!InArch(px - 2, py - 2, left, right, top, bottom) &&
                    InArch(px - 3, py - 3, left, right, top, bottom))
                    c.Put(x, y, pal::GOLD_DARK);
                continue;
            }
            double d = std::hypot((px - 128) / 62, (py - 170) / 110);
            Rgb col = Mix(pal::CYAN_CORE, pal::CYAN, d * 1.4);
            col = Mix(col, pal::CYAN_DEEP, (d - 0.7) * 1.5);
            if (static_cast<int>(py) % 12 < 2) col = Add(col, Hex(0x303838), 1);  // light bands
            c.Put(x, y, col);
        }
    return c;
}

Canvas GateFloorTexture() {
    Canvas c = FloorTexture();
    Glow(c, 128, 128, 180, pal::CYAN, 0.5);
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x) {
            if (!InRoundRect(x, y, 44, 44, 168, 168, 18)) continue;
            bool face = InRoundRect(x, y, 54, 54, 148, 148, 10);
            if (!face) {
                bool upper = x + y < 256;
                bool edge = !InRoundRect(x, y, 46, 46, 164, 164, 16) || InRoundRect(x, y, 52, 52, 152, 152, 12);
                c.Put(x, y,
                      edge ? (upper ? pal::GOLD_LIGHT : pal::GOLD_DARK)
                           : Mix(pal::GOLD_TOP, pal::GOLD_BOTTOM, (x + y) / 512.0));
                continue;
            }
            double r = std::hypot(x + 0.5 - 128, y + 0.5 - 128);
            Rgb col = Mix(pal::CYAN_CORE, pal::CYAN, r / 60);
            col = Mix(col, pal::CYAN_DEEP, (r - 60) / 40);
            if (static_cast<int>(r) % 18 < 2) col = Scale(col, 0.75);                         // rings
            if (std::abs(x + 0.5 - 128) + std::abs(y + 0.5 - 128) < 22) col = Hex(0xF4FFFF);  // centre diamond
            c.Put(x, y, col);
        }
    return c;
}

Canvas TorchWallTexture() {
    // A torch in an iron bracket at eye height, lighting the stones around it.
    Canvas c = StoneWall(5005);
    Glow(c, 128, 84, 150, pal::AMBER, 0.8);
    for (int y = 4; y < 52; ++y)  // soot above the flame
        for (int x = 100; x < 156; ++x) {
            double d = std::abs(x + 0.5 - 128) / (10 + (52 - y) * 0.4);
            if (d < 1) c.Put(x, y, Scale(c.Get(x, y), 0.5 + 0.5 * d));
        }
    const Rgb iron = Hex(0x2B2D34), ironLight = Hex(0x6E7282);
    c.Fill(116, 140, 24, 44, iron);  // wall plate with two rivets
    c.Fill(116, 140, 24, 2, ironLight);
    c.Fill(116, 140, 2, 44, ironLight);
    for (int y : {146, 174}) c.Fill(126, y, 4, 4, ironLight);
    for (int y = 88; y < 152; ++y)  // handle, wrapped below the flame
        for (int x = 122; x < 134; ++x) {
            double g = Noise(x / 1.5, y / 10.0, 171, 5006);
            Rgb wood = y < 104 ? Hex(0x3A2616) : Hex(0x6C4526);
            c.Put(x, y, Scale(wood, (x < 124 ? 1.3 : x > 131 ? 0.6 : 1.0) * (0.8 + 0.35 * g)));
        }
    c.Fill(110, 128, 36, 10, iron);  // cup, in front of the handle
    c.Fill(110, 128, 36, 2, ironLight);
    c.Fill(110, 137, 36, 1, Hex(0x14151A));
    // flame: a round base at (128, 90) drawing up to a tip at y = 24, hottest low in the middle
    for (int y = 24; y < 111; ++y)
        for (int x = 104; x < 153; ++x) {
            double dx = x + 0.5 - 128, dy = y + 0.5 - 90;
            double half = dy < 0 ? 20 * std::pow((y + 0.5 - 24) / 66, 1.2) : std::sqrt(std::max(0.0, 400 - dy * dy));
            if (std::abs(dx) > half) continue;
            double heat = 1 - std::hypot(dx / 17, (y + 0.5 - 92) / 48);
            c.Put(x, y, heat > 0.55 ? Hex(0xFFF4C0) : heat > 0.25 ? Hex(0xFFBE3A) : Hex(0xFF7418));
        }
    return c;
}

}  // namespace art
