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

// Pure green is the game's transparent colour; only Canvas::Clear writes it.
inline constexpr Rgb KEY{0, 255, 0};

constexpr Rgb Hex(uint32_t rgb) {
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
}
Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb Scale(Rgb c, double f);       // brightness factor, clamped
Rgb Add(Rgb c, Rgb light, double f);

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = KEY);
    int Width() const { return w_; }
    int Height() const { return h_; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    Rgb Get(int x, int y) const { return pixels_[static_cast<size_t>(y) * w_ + x]; }
    bool Transparent(int x, int y) const { return Get(x, y) == KEY; }
    // Writes an opaque pixel (clipped); a colour equal to the key is nudged off it.
    void Put(int x, int y, Rgb c);
    void Clear(int x, int y);
    void Fill(int x, int y, int w, int h, Rgb c);
    // Copies the opaque pixels of src with its corner at (x, y).
    void Blit(const Canvas& src, int x, int y);
    const std::vector<Rgb>& Pixels() const { return pixels_; }

private:
    int w_, h_;
    std::vector<Rgb> pixels_;
};

// Writes a 24-bit RGB PNG; returns false (with a message on stderr) on failure.
bool SavePng(const Canvas& c, const std::string& path);

// SplitMix64: a fixed seed always gives the same pictures.
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed) {}
    uint64_t Next();
    double Unit();              // [0, 1)
    int Range(int lo, int hi);  // lo..hi inclusive
private:
    uint64_t s_;
};

// Value noise in [0, 1] that repeats every `period` units in x and y.
double Noise(double x, double y, int period, uint32_t seed);
// Sum of octaves, each twice the frequency of the last; still tiles with `period`.
double Fractal(double x, double y, int period, uint32_t seed, int octaves);

bool InRoundRect(int x, int y, int left, int top, int w, int h, int radius);

}  // namespace art
