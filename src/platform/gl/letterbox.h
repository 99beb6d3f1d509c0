// Where the 800 x 400 picture lands in a drawable of any size, counted in drawable pixels so that
// HiDPI screens get their full resolution: centred between black bars, by the largest whole multiple
// that fits when it covers at least seven eighths of the smooth fit (crisp pixels, narrow bars),
// otherwise scaled smoothly to touch two opposite edges.
#pragma once

#include <algorithm>
#include <cstdint>

struct ScreenRect {
    int x, y, width, height;
};

inline ScreenRect FitPicture(int drawableWidth, int drawableHeight, int pictureWidth = 800, int pictureHeight = 400) {
    if (drawableWidth <= 0 || drawableHeight <= 0) return {0, 0, 0, 0};
    int width, height;
    if (int64_t(drawableWidth) * pictureHeight <= int64_t(drawableHeight) * pictureWidth) {
        width = drawableWidth;
        height = std::max(1, int(int64_t(drawableWidth) * pictureHeight / pictureWidth));
    } else {
        height = drawableHeight;
        width = std::max(1, int(int64_t(drawableHeight) * pictureWidth / pictureHeight));
    }
    const int whole = std::min(drawableWidth / pictureWidth, drawableHeight / pictureHeight);
    if (whole >= 1 && int64_t(whole) * pictureWidth * 8 >= int64_t(width) * 7) {
        width = whole * pictureWidth;
        height = whole * pictureHeight;
    }
    return {(drawableWidth - width) / 2, (drawableHeight - height) / 2, width, height};
}
