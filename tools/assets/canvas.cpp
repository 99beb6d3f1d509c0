#include "canvas.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace art {

namespace {
uint8_t clamp8(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }
}  // namespace

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {clamp8(a.r + (b.r - a.r) * t), clamp8(a.g + (b.g - a.g) * t), clamp8(a.b + (b.b - a.b) * t)};
}

Rgb scale(Rgb c, double f) { return {clamp8(c.r * f), clamp8(c.g * f), clamp8(c.b * f)}; }

Rgb add(Rgb c, Rgb light, double f) {
    return {clamp8(c.r + light.r * f), clamp8(c.g + light.g * f), clamp8(c.b + light.b * f)};
}

Canvas::Canvas(int width, int height, Rgb fill) : w_(width), h_(height), px_(static_cast<size_t>(width) * height, fill) {}

void Canvas::put(int x, int y, Rgb c) {
    if (!inside(x, y)) return;
    if (c == KEY) c = {0, 250, 0};
    px_[static_cast<size_t>(y) * w_ + x] = c;
}

void Canvas::clear(int x, int y) {
    if (inside(x, y)) px_[static_cast<size_t>(y) * w_ + x] = KEY;
}

void Canvas::fill(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) put(i, j, c);
}

void Canvas::blit(const Canvas& src, int x, int y) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            if (!src.transparent(i, j)) put(x + i, y + j, src.get(i, j));
}

bool save_png(const Canvas& c, const std::string& path) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, c.width(), c.height(), 24, SDL_PIXELFORMAT_RGB24);
    if (!s) {
        std::fprintf(stderr, "quarnel-assets: %s\n", SDL_GetError());
        return false;
    }
    auto* base = static_cast<uint8_t*>(s->pixels);
    for (int y = 0; y < c.height(); ++y) {
        uint8_t* row = base + static_cast<size_t>(y) * s->pitch;
        for (int x = 0; x < c.width(); ++x) {
            Rgb p = c.get(x, y);
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

uint64_t Rng::next() {
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }

int Rng::range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint64_t>(hi - lo + 1)); }

namespace {
double lattice(int x, int y, int period, uint32_t seed) {
    x = ((x % period) + period) % period;
    y = ((y % period) + period) % period;
    uint32_t h = seed ^ (static_cast<uint32_t>(x) * 0x8DA6B343u) ^ (static_cast<uint32_t>(y) * 0xD8163841u);
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / 16777215.0;
}
double smooth(double t) { return t * t * (3 - 2 * t); }
}  // namespace

double noise(double x, double y, int period, uint32_t seed) {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    double fx = smooth(x - ix), fy = smooth(y - iy);
    double a = lattice(ix, iy, period, seed), b = lattice(ix + 1, iy, period, seed);
    double c = lattice(ix, iy + 1, period, seed), d = lattice(ix + 1, iy + 1, period, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double fractal(double x, double y, int period, uint32_t seed, int octaves) {
    double sum = 0, amp = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += noise(x, y, period, seed + 977u * o) * amp;
        total += amp;
        x *= 2, y *= 2, period *= 2, amp *= 0.5;
    }
    return sum / total;
}

bool in_round_rect(int x, int y, int left, int top, int w, int h, int radius) {
    if (x < left || y < top || x >= left + w || y >= top + h) return false;
    double cx = std::clamp(x + 0.5, left + radius + 0.0, left + w - radius + 0.0);
    double cy = std::clamp(y + 0.5, top + radius + 0.0, top + h - radius + 0.0);
    double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
    return dx * dx + dy * dy <= radius * radius;
}

}  // namespace art
