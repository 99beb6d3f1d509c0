#include "glyphs.h"

#include <algorithm>
#include <cmath>

namespace art {

Bitmap BigLetter(char c) {
    switch (c) {
        case 'A': return {5, 7, {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}};
        case 'E': return {5, 7, {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}};
        case 'G': return {5, 7, {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}};
        case 'L': return {5, 7, {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}};
        case 'N': return {5, 7, {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}};
        case 'O': return {5, 7, {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}};
        case 'Q': return {5, 7, {".###.", "#...#", "#...#", "#...#", "#...#", ".###.", "...##"}};
        case 'R': return {5, 7, {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}};
        case 'S': return {5, 7, {".####", "#....", "#....", ".###.", "....#", "....#", "####."}};
        case 'T': return {5, 7, {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}};
        case 'U': return {5, 7, {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}};
        default: return {5, 7, {".....", ".....", ".....", ".....", ".....", ".....", "....."}};
    }
}

Bitmap SmallLetter(char c) {
    switch (c) {
        case 'E': return {3, 5, {"###", "#..", "##.", "#..", "###"}};
        case 'O': return {3, 5, {"###", "#.#", "#.#", "#.#", "###"}};
        case 'P': return {3, 5, {"##.", "#.#", "##.", "#..", "#.."}};
        case 'R': return {3, 5, {"##.", "#.#", "##.", "#.#", "#.#"}};
        case 'S': return {3, 5, {"###", "#..", "###", "..#", "###"}};
        case 'T': return {3, 5, {"###", ".#.", ".#.", ".#.", ".#."}};
        case 'U': return {3, 5, {"#.#", "#.#", "#.#", "#.#", "###"}};
        default: return {3, 5, {"...", "...", "...", "...", "..."}};
    }
}

Bitmap CounterDigit(int d) {
    // clang-format off
    static const Bitmap digits[10] = {
        {10, 14, {"..######..", ".########.", "###....###", "##......##", "##......##", "##......##", "##......##",
                  "##......##", "##......##", "##......##", "##......##", "###....###", ".########.", "..######.."}},
        {10, 14, {"....##....", "...###....", "..####....", ".##.##....", "....##....", "....##....", "....##....",
                  "....##....", "....##....", "....##....", "....##....", "....##....", ".########.", ".########."}},
        {10, 14, {"..######..", ".########.", "###....###", "##......##", "........##", ".......###", ".....####.",
                  "...####...", ".###......", "###.......", "##........", "##........", "##########", "##########"}},
        {10, 14, {"..######..", ".########.", "###....###", "........##", "........##", ".......###", "...#####..",
                  "...######.", ".......###", "........##", "........##", "###....###", ".########.", "..######.."}},
        {10, 14, {"......###.", ".....####.", "....##.##.", "...##..##.", "..##...##.", ".##....##.", "##.....##.",
                  "##.....##.", "##########", "##########", ".......##.", ".......##.", ".......##.", ".......##."}},
        {10, 14, {"##########", "##########", "##........", "##........", "##........", "########..", "#########.",
                  ".......###", "........##", "........##", "........##", "###....###", ".########.", "..######.."}},
        {10, 14, {"...#####..", "..######..", ".###......", "###.......", "##........", "##.#####..", "#########.",
                  "###....###", "##......##", "##......##", "##......##", "###....###", ".########.", "..######.."}},
        {10, 14, {"##########", "##########", "........##", ".......###", "......###.", "......##..", ".....###..",
                  ".....##...", "....###...", "....##....", "....##....", "....##....", "....##....", "....##...."}},
        {10, 14, {"..######..", ".########.", "###....###", "##......##", "###....###", ".########.", ".########.",
                  "###....###", "##......##", "##......##", "##......##", "###....###", ".########.", "..######.."}},
        {10, 14, {"..######..", ".########.", "###....###", "##......##", "##......##", "##......##", "###....###",
                  ".#########", "..#####.##", "........##", ".......###", "......###.", "..######..", "..#####..."}},
    };
    // clang-format on
    return digits[((d % 10) + 10) % 10];
}

namespace {
// Which half-block wedges an empty block takes: bit 0 upper left, 1 upper right, 2 lower left, 3 lower right.
int Wedges(const Bitmap& g, int x, int y) {
    bool up = g.Ink(x, y - 1), down = g.Ink(x, y + 1), left = g.Ink(x - 1, y), right = g.Ink(x + 1, y);
    return (up && left && !down && !right ? 1 : 0) | (up && right && !down && !left ? 2 : 0) |
           (down && left && !up && !right ? 4 : 0) | (down && right && !up && !left ? 8 : 0);
}

bool InWedge(int corners, int lx, int ly, int px) {
    int rx = px - 1 - lx, ry = px - 1 - ly;
    return ((corners & 1) && lx + ly < px - 1) || ((corners & 2) && rx + ly < px - 1) ||
           ((corners & 4) && lx + ry < px - 1) || ((corners & 8) && rx + ry < px - 1);
}
}  // namespace

Mask TextMask(std::string_view text, Bitmap (*font)(char), int px, int gap, bool rounded) {
    Bitmap probe = font(' ');
    int n = static_cast<int>(text.size());
    Mask m(n == 0 ? 0 : (n * probe.w + (n - 1) * gap) * px, probe.h * px);
    for (int i = 0; i < n; ++i) {
        Bitmap g = font(text[i]);
        int ox = i * (probe.w + gap) * px;
        for (int y = 0; y < g.h * px; ++y)
            for (int x = 0; x < g.w * px; ++x) {
                int bx = x / px, by = y / px;
                bool ink = g.Ink(bx, by) || (rounded && InWedge(Wedges(g, bx, by), x % px, y % px, px));
                if (ink) m.Set(ox + x, y);
            }
    }
    return m;
}

int SegmentsOf(int digit) {
    static const int table[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    return table[((digit % 10) + 10) % 10];
}

namespace {
// Geometry of the 50 x 60 cell: outer edges, stroke, gap between segments, italic lean.
constexpr double LEFT = 10, RIGHT = 40, TOP = 5, BOTTOM = 55, HALF = 3.5, GAP = 1.4, LEAN = 0.1;
constexpr double MID = (TOP + BOTTOM) / 2;

// Depth inside a bevelled bar from (a, c) to (b, c) along its axis, thickness 2*kHalf.
double BarDepth(double along, double across, double a, double b) {
    double off = std::abs(across);
    if (off > HALF || along < a + off || along > b - off) return 0;
    return std::min(HALF - off, std::min(along - a - off, b - off - along) / std::sqrt(2.0)) + 0.5;
}

double SquareDepth(double x, double y, double cx, double cy, double half) {
    double d = half - std::max(std::abs(x - cx), std::abs(y - cy));
    return d > 0 ? d + 0.5 : 0;
}
}  // namespace

double SegmentDepth(int segments, int px, int py) {
    double y = py + 0.5;
    double x = px + 0.5 + LEAN * (y - MID);  // undo the lean: upper rows sit further right
    double xl = LEFT + HALF, xr = RIGHT - HALF;
    double yt = TOP + HALF, yb = BOTTOM - HALF;
    double depth = 0;
    auto take = [&](int bit, double d) {
        if (segments & bit) depth = std::max(depth, d);
    };
    take(1, BarDepth(x, y - yt, xl + GAP, xr - GAP));    // a
    take(2, BarDepth(y, x - xr, yt + GAP, MID - GAP));   // b
    take(4, BarDepth(y, x - xr, MID + GAP, yb - GAP));   // c
    take(8, BarDepth(x, y - yb, xl + GAP, xr - GAP));    // d
    take(16, BarDepth(y, x - xl, MID + GAP, yb - GAP));  // e
    take(32, BarDepth(y, x - xl, yt + GAP, MID - GAP));  // f
    take(64, BarDepth(x, y - MID, xl + GAP, xr - GAP));  // g
    if (segments & SEG_COLON) {
        depth = std::max(depth, SquareDepth(x, y, 25, 20, 4));
        depth = std::max(depth, SquareDepth(x, y, 25, 40, 4));
    }
    if (segments & SEG_POINT) depth = std::max(depth, SquareDepth(x, y, 25, BOTTOM - 4, 4));
    return depth;
}

}  // namespace art
