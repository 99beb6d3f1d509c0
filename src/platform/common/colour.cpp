#include "platform/dx.h"

unsigned dxGetColor(int red, int green, int blue) {
    return (unsigned(red & 0xFF) << 16) | (unsigned(green & 0xFF) << 8) | unsigned(blue & 0xFF);
}
