// Pictures of the play screen: the map arrows, the time digits, the counter drums and their panel.
#include "art.h"

#include <cmath>

namespace art {

namespace {
// A dart pointing right (+x) inside a 10 x 10 cell, leaving a one-pixel ring for its outline.
bool Dart(int x, int y) {
    if (x < 1 || x > 8 || y < 1 || y > 8) return false;
    int k = (x - 1) / 2;
    if (y < 1 + k || y > 8 - k) return false;
    bool notch = (x == 1 && y >= 3 && y <= 6) || (x == 2 && y >= 4 && y <= 5);
    return !notch;
}

// Cell k shows the dart turned k quarter turns counter-clockwise: right, up, left, down.
bool TurnedDart(int k, int x, int y) {
    switch (k) {
        case 0: return Dart(x, y);
        case 1: return Dart(9 - y, x);
        case 2: return Dart(9 - x, 9 - y);
        default: return Dart(y, 9 - x);
    }
}

// Panel layout, in panel pixels: the panel is drawn at (20, 276) on the 800 x 400 screen.
constexpr int PANEL_W = 778, PANEL_H = 108;
constexpr int LCD_X = 10, LCD_Y = 14, LCD_W = 470, LCD_H = 80;  // glass behind the time digits
constexpr int DIGITS_X = 20, DIGITS_Y = 24;                     // first 50 x 60 time cell
constexpr int DRUMS_X = 560, ROUTE_Y = 32, STEPS_Y = 80;        // eight 20 x 16 drum windows each
constexpr int EMBLEM_X = 737, EMBLEM_Y = 38;

void BevelFrame(Canvas& c, int x, int y, int w, int h, Rgb upperLeft, Rgb lowerRight) {
    for (int i = 0; i < w; ++i) c.Put(x + i, y, upperLeft), c.Put(x + i, y + h - 1, lowerRight);
    for (int j = 0; j < h; ++j) c.Put(x, y + j, upperLeft), c.Put(x + w - 1, y + j, lowerRight);
}

void PanelBody(Canvas& c) {
    auto inside = [](int x, int y) { return InRoundRect(x, y, 0, 0, PANEL_W, PANEL_H, 8); };
    for (int y = 0; y < PANEL_H; ++y) {
        double grain = 0.97 + 0.06 * Noise(0, y * 0.7, 4096, 71);
        for (int x = 0; x < PANEL_W; ++x) {
            if (!inside(x, y)) continue;
            Rgb col = Scale(Mix(Hex(0x343D50), Hex(0x181D27), y / (PANEL_H - 1.0)), grain);
            if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1)) {
                col = pal::INK;
            } else if (!inside(x - 2, y) || !inside(x, y - 2)) {
                col = Hex(0x5E6C88);
            } else if (!inside(x + 2, y) || !inside(x, y + 2)) {
                col = Hex(0x0E1118);
            }
            c.Put(x, y, col);
        }
    }
}

void TimeWindow(Canvas& c) {
    BevelFrame(c, LCD_X - 2, LCD_Y - 2, LCD_W + 4, LCD_H + 4, Hex(0x0A0D12), Hex(0x56627A));
    BevelFrame(c, LCD_X - 1, LCD_Y - 1, LCD_W + 2, LCD_H + 2, pal::INK, Hex(0x2A3142));
    for (int y = 0; y < LCD_H; ++y) {
        for (int x = 0; x < LCD_W; ++x) {
            Rgb glass = Mix(Hex(0x050B0F), Hex(0x0A161C), y / (LCD_H - 1.0));
            int band = x + y * 2;  // a faint diagonal reflection
            if (band > 60 && band < 110) glass = Add(glass, Hex(0x0A1216), 0.6);
            c.Put(LCD_X + x, LCD_Y + y, glass);
        }
    }
    // unlit segments show through wherever a digit is not drawn: 888:88.88
    const int ghost[9] = {0x7F, 0x7F, 0x7F, SEG_COLON, 0x7F, 0x7F, SEG_POINT, 0x7F, 0x7F};
    for (int k = 0; k < 9; ++k)
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 50; ++x) {
                double d = SegmentDepth(ghost[k], x, y);
                if (d > 0) c.Put(DIGITS_X + k * 50 + x, DIGITS_Y + y, d < 1.2 ? Hex(0x0F1F26) : Hex(0x13272F));
            }
}

void DrumRow(Canvas& c, int y0) {
    BevelFrame(c, DRUMS_X - 3, y0 - 3, 166, 22, Hex(0x0A0D12), Hex(0x56627A));
    BevelFrame(c, DRUMS_X - 2, y0 - 2, 164, 20, pal::INK, Hex(0x2A3142));
    c.Fill(DRUMS_X - 1, y0 - 1, 162, 18, pal::INK);
    for (int k = 0; k < 8; ++k) {
        for (int y = 0; y < 16; ++y) {
            double roundness = 0.3 + 0.7 * std::sin(3.14159265358979 * (y + 0.5) / 16);
            for (int x = 0; x < 20; ++x) {
                double side = (x == 0 || x == 19) ? 0.55 : (x == 1 || x == 18) ? 0.8 : 1.0;
                c.Put(DRUMS_X + k * 20 + x, y0 + y, Scale(Hex(0x4A5366), roundness * side));
            }
        }
    }
}

void Label(Canvas& c, std::string_view text, int right, int centreY, Rgb colour) {
    Mask m = TextMask(text, SmallLetter, 2, 1);
    int x0 = right - m.w, y0 = centreY - m.h / 2;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.At(x, y)) c.Put(x0 + x + 1, y0 + y + 1, pal::INK);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.At(x, y)) c.Put(x0 + x, y0 + y, y < m.h / 2 ? colour : Scale(colour, 0.82));
}
}  // namespace

Canvas PlayerArrows() {
    Canvas c(40, 10);
    for (int k = 0; k < 4; ++k) {
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                bool ink = TurnedDart(k, x, y), ring = false;
                for (int dy = -1; dy <= 1 && !ink; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) ring = ring || TurnedDart(k, x + dx, y + dy);
                if (ink) c.Put(k * 10 + x, y, Mix(Hex(0xFFF08A), Hex(0xFF8C12), y / 9.0));
                else if (ring) c.Put(k * 10 + x, y, Hex(0x2A1000));
            }
        }
    }
    return c;
}

Canvas TimeDigits() {
    Canvas c(600, 60);
    for (int k = 0; k < 12; ++k) {
        int segs = k < 10 ? SegmentsOf(k) : k == 10 ? SEG_COLON : SEG_POINT;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 50; ++x) {
                double d = SegmentDepth(segs, x, y);
                if (d <= 0) continue;
                c.Put(k * 50 + x, y, d < 1.2 ? pal::CYAN_DEEP : d < 2.8 ? pal::CYAN : pal::CYAN_CORE);
            }
        }
    }
    return c;
}

Canvas CounterDigits() {
    // Cell d holds d, d + 1 and d + 2 in 16-row bands, so a 16-row window slid down by the
    // roll offset turns one value into the next like an odometer drum.
    Canvas c(200, 48);
    for (int d = 0; d < 10; ++d) {
        for (int band = 0; band < 3; ++band) {
            Bitmap g = CounterDigit(d + band);
            for (int y = 0; y < g.h; ++y)
                for (int x = 0; x < g.w; ++x)
                    if (g.Ink(x, y))
                        c.Put(d * 20 + 5 + x, band * 16 + 1 + y, Mix(Hex(0xFFFBEE), Hex(0xCBBE9C), y / (g.h - 1.0)));
        }
    }
    return c;
}

Canvas MeterPanel() {
    Canvas c(PANEL_W, PANEL_H);
    PanelBody(c);
    TimeWindow(c);
    DrumRow(c, ROUTE_Y);
    DrumRow(c, STEPS_Y);
    Label(c, "ROUTE", DRUMS_X - 10, ROUTE_Y + 8, pal::CYAN);
    Label(c, "STEPS", DRUMS_X - 10, STEPS_Y + 8, pal::YELLOW);
    Canvas badge = Icon(32);
    BevelFrame(c, EMBLEM_X - 1, EMBLEM_Y - 1, 34, 34, pal::INK, Hex(0x56627A));
    c.Blit(badge, EMBLEM_X, EMBLEM_Y);
    return c;
}

}  // namespace art
