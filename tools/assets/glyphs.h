// Hand-drawn letter and digit shapes: bitmaps and the seven-segment geometry of the time digits.
#pragma once

#include "canvas.h"

#include <string_view>
#include <vector>

namespace art {

// A glyph as rows of '#' (ink) and '.' (empty), all rows the same length.
struct Bitmap {
    int w = 0, h = 0;
    std::vector<std::string_view> rows;
    bool Ink(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && rows[y][x] == '#'; }
};

Bitmap BigLetter(char c);    // 5 x 7 capitals for titles
Bitmap SmallLetter(char c);  // 3 x 5 capitals for labels
Bitmap CounterDigit(int d);  // 10 x 14 odometer digits, 2-pixel strokes

// Ink mask of text drawn with `font`, each bitmap pixel a `px` x `px` block, `gap` blocks apart.
// With `rounded`, an empty block between two inked neighbours at a corner takes a half-block
// wedge, so diagonal strokes join and outer corners round off.
struct Mask {
    int w = 0, h = 0;
    std::vector<uint8_t> on;
    Mask(int width, int height) : w(width), h(height), on(static_cast<size_t>(width) * height, 0) {}
    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && on[static_cast<size_t>(y) * w + x]; }
    void Set(int x, int y) {
        if (x >= 0 && y >= 0 && x < w && y < h) on[static_cast<size_t>(y) * w + x] = 1;
    }
};
Mask TextMask(std::string_view text, Bitmap (*font)(char), int px, int gap, bool rounded = false);

// Seven-segment digits in a 50 x 60 cell. Segment bits: a=1 b=2 c=4 d=8 e=16 f=32 g=64.
int SegmentsOf(int digit);
inline constexpr int SEG_COLON = 1 << 7;  // the mark after the minutes
inline constexpr int SEG_POINT = 1 << 8;  // the mark after the seconds
// Depth of cell pixel (x, y) inside the lit part of `segments`, in pixels; 0 when outside.
double SegmentDepth(int segments, int x, int y);

}  // namespace art
