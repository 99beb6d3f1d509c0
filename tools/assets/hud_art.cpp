// Pictures of the play screen: the map arrows, the time digits, the counter drums and their panel.
#include "art.h"

#include <cmath>

namespace art {

namespace {
// A dart pointing right (+x) inside a 10 x 10 cell, leaving a one-pixel ring for its outline.
bool dart(int x, int y) {
    if (x < 1 || x > 8 || y < 1 || y > 8) return false;
    int k = (x - 1) / 2;
    if (y < 1 + k || y > 8 - k) return false;
    bool notch = (x == 1 && y >= 3 && y <= 6) || (x == 2 && y >= 4 && y <= 5);
    return !notch;
}

// Cell k shows the dart turned k quarter turns counter-clockwise: right, up, left, down.
bool turned_dart(int k, int x, int y) {
    switch (k) {
    case 0: return dart(x, y);
    case 1: return dart(9 - y, x);
    case 2: return dart(9 - x, 9 - y);
    default: return dart(y, 9 - x);
    }
}

// Panel layout, in panel pixels: the panel is drawn at (20, 276) on the 800 x 400 screen.
constexpr int kPanelW = 778, kPanelH = 108;
constexpr int kLcdX = 10, kLcdY = 14, kLcdW = 470, kLcdH = 80;   // glass behind the time digits
constexpr int kDigitsX = 20, kDigitsY = 24;                       // first 50 x 60 time cell
constexpr int kDrumsX = 560, kRouteY = 32, kStepsY = 80;          // eight 20 x 16 drum windows each
constexpr int kEmblemX = 737, kEmblemY = 38;

void bevel_frame(Canvas& c, int x, int y, int w, int h, Rgb upper_left, Rgb lower_right) {
    for (int i = 0; i < w; ++i) c.put(x + i, y, upper_left), c.put(x + i, y + h - 1, lower_right);
    for (int j = 0; j < h; ++j) c.put(x, y + j, upper_left), c.put(x + w - 1, y + j, lower_right);
}

void panel_body(Canvas& c) {
    auto inside = [](int x, int y) { return in_round_rect(x, y, 0, 0, kPanelW, kPanelH, 8); };
    for (int y = 0; y < kPanelH; ++y) {
        double grain = 0.97 + 0.06 * noise(0, y * 0.7, 4096, 71);
        for (int x = 0; x < kPanelW; ++x) {
            if (!inside(x, y)) continue;
            Rgb col = scale(mix(hex(0x343D50), hex(0x181D27), y / (kPanelH - 1.0)), grain);
            if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1)) {
                col = pal::ink;
            } else if (!inside(x - 2, y) || !inside(x, y - 2)) {
                col = hex(0x5E6C88);
            } else if (!inside(x + 2, y) || !inside(x, y + 2)) {
                col = hex(0x0E1118);
            }
            c.put(x, y, col);
        }
    }
}

void time_window(Canvas& c) {
    bevel_frame(c, kLcdX - 2, kLcdY - 2, kLcdW + 4, kLcdH + 4, hex(0x0A0D12), hex(0x56627A));
    bevel_frame(c, kLcdX - 1, kLcdY - 1, kLcdW + 2, kLcdH + 2, pal::ink, hex(0x2A3142));
    for (int y = 0; y < kLcdH; ++y) {
        for (int x = 0; x < kLcdW; ++x) {
            Rgb glass = mix(hex(0x050B0F), hex(0x0A161C), y / (kLcdH - 1.0));
            int band = x + y * 2;                       // a faint diagonal reflection
            if (band > 60 && band < 110) glass = add(glass, hex(0x0A1216), 0.6);
            c.put(kLcdX + x, kLcdY + y, glass);
        }
    }
    // unlit segments show through wherever a digit is not drawn: 888:88.88
    const int ghost[9] = {0x7F, 0x7F, 0x7F, SEG_COLON, 0x7F, 0x7F, SEG_POINT, 0x7F, 0x7F};
    for (int k = 0; k < 9; ++k)
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 50; ++x) {
                double d = segment_depth(ghost[k], x, y);
                if (d > 0) c.put(kDigitsX + k * 50 + x, kDigitsY + y, d < 1.2 ? hex(0x0F1F26) : hex(0x13272F));
            }
}

void drum_row(Canvas& c, int y0) {
    bevel_frame(c, kDrumsX - 3, y0 - 3, 166, 22, hex(0x0A0D12), hex(0x56627A));
    bevel_frame(c, kDrumsX - 2, y0 - 2, 164, 20, pal::ink, hex(0x2A3142));
    c.fill(kDrumsX - 1, y0 - 1, 162, 18, pal::ink);
    for (int k = 0; k < 8; ++k) {
        for (int y = 0; y < 16; ++y) {
            double roundness = 0.3 + 0.7 * std::sin(3.14159265358979 * (y + 0.5) / 16);
            for (int x = 0; x < 20; ++x) {
                double side = (x == 0 || x == 19) ? 0.55 : (x == 1 || x == 18) ? 0.8 : 1.0;
                c.put(kDrumsX + k * 20 + x, y0 + y, scale(hex(0x4A5366), roundness * side));
            }
        }
    }
}

void label(Canvas& c, std::string_view text, int right, int centre_y, Rgb colour) {
    Mask m = text_mask(text, small_letter, 2, 1);
    int x0 = right - m.w, y0 = centre_y - m.h / 2;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.at(x, y)) c.put(x0 + x + 1, y0 + y + 1, pal::ink);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.at(x, y)) c.put(x0 + x, y0 + y, y < m.h / 2 ? colour : scale(colour, 0.82));
}
}  // namespace

Canvas player_arrows() {
    Canvas c(40, 10);
    for (int k = 0; k < 4; ++k) {
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                bool ink = turned_dart(k, x, y), ring = false;
                for (int dy = -1; dy <= 1 && !ink; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) ring = ring || turned_dart(k, x + dx, y + dy);
                if (ink) c.put(k * 10 + x, y, mix(hex(0xFFF08A), hex(0xFF8C12), y / 9.0));
                else if (ring) c.put(k * 10 + x, y, hex(0x2A1000));
            }
        }
    }
    return c;
}

Canvas time_digits() {
    Canvas c(600, 60);
    for (int k = 0; k < 12; ++k) {
        int segs = k < 10 ? segments_of(k) : k == 10 ? SEG_COLON : SEG_POINT;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 50; ++x) {
                double d = segment_depth(segs, x, y);
                if (d <= 0) continue;
                c.put(k * 50 + x, y, d < 1.2 ? pal::cyan_deep : d < 2.8 ? pal::cyan : pal::cyan_core);
            }
        }
    }
    return c;
}

Canvas counter_digits() {
    // Cell d holds d, d + 1 and d + 2 in 16-row bands, so a 16-row window slid down by the
    // roll offset turns one value into the next like an odometer drum.
    Canvas c(200, 48);
    for (int d = 0; d < 10; ++d) {
        for (int band = 0; band < 3; ++band) {
            Bitmap g = counter_digit(d + band);
            for (int y = 0; y < g.h; ++y)
                for (int x = 0; x < g.w; ++x)
                    if (g.ink(x, y))
                        c.put(d * 20 + 5 + x, band * 16 + 1 + y, mix(hex(0xFFFBEE), hex(0xCBBE9C), y / (g.h - 1.0)));
        }
    }
    return c;
}

Canvas meter_panel() {
    Canvas c(kPanelW, kPanelH);
    panel_body(c);
    time_window(c);
    drum_row(c, kRouteY);
    drum_row(c, kStepsY);
    label(c, "ROUTE", kDrumsX - 10, kRouteY + 8, pal::cyan);
    label(c, "STEPS", kDrumsX - 10, kStepsY + 8, pal::yellow);
    Canvas badge = icon(32);
    bevel_frame(c, kEmblemX - 1, kEmblemY - 1, 34, 34, pal::ink, hex(0x56627A));
    c.blit(badge, kEmblemX, kEmblemY);
    return c;
}

}  // namespace art
