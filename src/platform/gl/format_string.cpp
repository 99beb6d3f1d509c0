// Formatted text, drawn by the backend's dxDrawString.
#include <cstdarg>
#include <cstdio>

#include "platform/dx.h"

int dxDrawFormatString(int x, int y, unsigned colour, const char* format, ...) {
    if (!format) return -1;
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return dxDrawString(x, y, buffer, colour, 0);
}
