// Pixel canvas, colour arithmetic, a seeded generator and tileable noise for the asset generator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace art {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Pure green is the game's transparent colour; only Canvas::clear writes it.
inline constexpr Rgb KEY{0, 255, 0};

constexpr Rgb hex(uint32_t rgb) {
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
}
Rgb mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb scale(Rgb c, double f);       // brightness factor, clamped
Rgb add(Rgb c, Rgb light, double f);

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = KEY);
    int width() const { return w_; }
    int height() const { return h_; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    Rgb get(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
    bool transparent(int x, int y) const { return get(x, y) == KEY; }
    // Writes an opaque pixel (clipped); a colour equal to the key is nudged off it.
    void put(int x, int y, Rgb c);
    void clear(int x, int y);
    void fill(int x, int y, int w, int h, Rgb c);
    // Copies the opaque pixels of src with its corner at (x, y).
    void blit(const Canvas& src, int x, int y);
    const std::vector<Rgb>& pixels() const { return px_; }

private:
    int w_, h_;
    std::vector<Rgb> px_;
};

// Writes a 24-bit RGB PNG; returns false (with a message on stderr) on failure.
bool save_png(const Canvas& c, const std::string& path);

// SplitMix64: a fixed seed always gives the same pictures.
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed) {}
    uint64_t next();
    double unit();                 // [0, 1)
    int range(int lo, int hi);     // lo..hi inclusive
private:
    uint64_t s_;
};

// Value noise in [0, 1] that repeats every `period` units in x and y.
double noise(double x, double y, int period, uint32_t seed);
// Sum of octaves, each twice the frequency of the last; still tiles with `period`.
double fractal(double x, double y, int period, uint32_t seed, int octaves);

bool in_round_rect(int x, int y, int left, int top, int w, int h, int radius);

}  // namespace art
