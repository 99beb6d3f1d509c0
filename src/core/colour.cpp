#include "core/colour.h"

#include "platform/dx.h"

unsigned ColourByNumber(int colourNumber) {
    struct Rgb {
        int r, g, b;
    };
    static constexpr Rgb table[8] = {{0, 0, 0},   {0, 0, 255},   {255, 0, 0},   {255, 0, 255},
                                     {0, 255, 0}, {0, 255, 255}, {255, 255, 0}, {255, 255, 255}};
    if (colourNumber < 0 || colourNumber > 7) return 0;
    const Rgb& c = table[colourNumber];
    return dxGetColor(c.r, c.g, c.b);
}
