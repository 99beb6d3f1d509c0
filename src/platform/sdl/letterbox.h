// Where the 800 x 400 picture lands in a drawable of any size: centred, as large as fits, by
// whole multiples where one fits.
#pragma once

#include <algorithm>

struct ScreenRect {
    int x, y, width, height;
};

inline ScreenRect FitPicture(int drawableWidth, int drawableHeight, int pictureWidth = 800,
                             int pictureHeight = 400) {
    if (drawableWidth <= 0 || drawableHeight <= 0) return {0, 0, 0, 0};
    const int whole = std::min(drawableWidth / pictureWidth, drawableHeight / pictureHeight);
    int width, height;
    if (whole >= 1 && drawableWidth - whole * pictureWidth < pictureWidth / 8 &&
        drawableHeight - whole * pictureHeight < pictureHeight / 8) {
        width = whole * pictureWidth;
        height = whole * pictureHeight;
    } else if (drawableWidth * pictureHeight <= drawableHeight * pictureWidth) {
        width = drawableWidth;
        height = std::max(1, drawableWidth * pictureHeight / pictureWidth);
    } else {
        height = drawableHeight;
        width = std::max(1, drawableHeight * pictureWidth / pictureHeight);
    }
    return {(drawableWidth - width) / 2, (drawableHeight - height) / 2, width, height};
}
