#include "canvas.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace art {

namespace {
uint8_t Clamp8(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }
}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {Clamp8(a.r + (b.r - a.r) * t), Clamp8(a.g + (b.g - a.g) * t), Clamp8(a.b + (b.b - a.b) * t)};
}

Rgb Scale(Rgb c, double f) { return {Clamp8(c.r * f), Clamp8(c.g * f), Clamp8(c.b * f)}; }

Rgb Add(Rgb c, Rgb light, double f) {
    return {Clamp8(c.r + light.r * f), Clamp8(c.g + light.g * f), Clamp8(c.b + light.b * f)};
}

Canvas::Canvas(int width, int height, Rgb fill)
    : w_(width), h_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Canvas::Put(int x, int y, Rgb c) {
    if (!Inside(x, y)) return;
    if (c == KEY) c = {0, 250, 0};
    pixels_[static_cast<size_t>(y) * w_ + x] = c;
}

void Canvas::Clear(int x, int y) {
    if (Inside(x, y)) pixels_[static_cast<size_t>(y) * w_ + x] = KEY;
}

void Canvas::Fill(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Put(i, j, c);
}

void Canvas::Blit(const Canvas& src, int x, int y) {
    for (int j = 0; j < src.Height(); ++j)
        for (int i = 0; i < src.Width(); ++i)
            if (!src.Transparent(i, j)) Put(x + i, y + j, src.Get(i, j));
}

bool SavePng(const Canvas& c, const std::string& path) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, c.Width(), c.Height(), 24, SDL_PIXELFORMAT_RGB24);
    if (!s) {
        std::fprintf(stderr, "quarnel-assets: %s\n", SDL_GetError());
        return false;
    }
    auto* base = static_cast<uint8_t*>(s->pixels);
    for (int y = 0; y < c.Height(); ++y) {
        uint8_t* row = base + static_cast<size_t>(y) * s->pitch;
        for (int x = 0; x < c.Width(); ++x) {
            Rgb p = c.Get(x, y);
            row[x * 3] = p.r;
            row[x * 3 + 1] = p.g;
            row[x * 3 + 2] = p.b;
        }
    }
    bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    if (!ok) std::fprintf(stderr, "quarnel-assets: cannot write %s: %s\n", path.c_str(), IMG_GetError());
    SDL_FreeSurface(s);
    return ok;
}

uint64_t Rng::Next() {
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }

int Rng::Range(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }

namespace {
double Lattice(int x, int y, int period, uint32_t seed) {
    x = ((x % period) + period) % period;
    y = ((y % period) + period) % period;
    uint32_t h = seed ^ (static_cast<uint32_t>(x) * 0x8DA6B343u) ^ (static_cast<uint32_t>(y) * 0xD8163841u);
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / 16777215.0;
}
double Smooth(double t) { return t * t * (3 - 2 * t); }
}  // namespace

double Noise(double x, double y, int period, uint32_t seed) {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    double fx = Smooth(x - ix), fy = Smooth(y - iy);
    double a = Lattice(ix, iy, period, seed), b = Lattice(ix + 1, iy, period, seed);
    double c = Lattice(ix, iy + 1, period, seed), d = Lattice(ix + 1, iy + 1, period, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double Fractal(double x, double y, int period, uint32_t seed, int octaves) {
    double sum = 0, amp = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += Noise(x, y, period, seed + 977u * o) * amp;
        total += amp;
        x *= 2, y *= 2, period *= 2, amp *= 0.5;
    }
    return sum / total;
}

bool InRoundRect(int x, int y, int left, int top, int w, int h, int radius) {
    if (x < left || y < top || x >= left + w || y >= top + h) return false;
    double cx = std::clamp(x + 0.5, left + radius + 0.0, left + w - radius + 0.0);
    double cy = std::clamp(y + 0.5, top + radius + 0.0, top + h - radius + 0.0);
    double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
    return dx * dx + dy * dy <= radius * radius;
}

}  // namespace art
