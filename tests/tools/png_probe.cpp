// Prints facts about a PNG file for the end-to-end tests:
//   png_probe FILE size                          -> "W H"
//   png_probe FILE X,Y ...                       -> "RRGGBB" for each pixel, one a line
//   png_probe FILE count RRGGBB                  -> how many pixels have that colour
//   png_probe FILE diff OTHER [X,Y,W,H [X2,Y2 [TOLERANCE]]]  -> how many pixels differ (by more than
//       TOLERANCE, default 0, in some channel) between the rectangle (default: the whole picture) and
//       the same-sized one of OTHER at X2,Y2 (default: X,Y); -1 when a rectangle does not fit
#include <SDL2/SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

SDL_Surface* Load(const char* file) {
    SDL_Surface* loaded = IMG_Load(file);
    if (!loaded) {
        std::fprintf(stderr, "png_probe: %s\n", IMG_GetError());
        std::exit(1);
    }
    return SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
}

unsigned PixelAt(SDL_Surface* s, int x, int y) {
    const auto* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 4;
    return (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
}

bool Fits(SDL_Surface* s, int x, int y, int w, int h) {
    return x >= 0 && y >= 0 && w >= 0 && h >= 0 && x + w <= s->w && y + h <= s->h;
}

bool Near(unsigned a, unsigned b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

long Differing(SDL_Surface* a, SDL_Surface* b, int argc, char** argv) {
    int x = 0, y = 0, w = a->w, h = a->h;
    if (argc > 4 && std::sscanf(argv[4], "%d,%d,%d,%d", &x, &y, &w, &h) != 4) return -1;
    int x2 = x, y2 = y;
    if (argc > 5 && std::sscanf(argv[5], "%d,%d", &x2, &y2) != 2) return -1;
    if (argc <= 4 && (a->w != b->w || a->h != b->h)) return -1;
    if (!Fits(a, x, y, w, h) || !Fits(b, x2, y2, w, h)) return -1;
    const int tolerance = argc > 6 ? std::atoi(argv[6]) : 0;
    long count = 0;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) count += !Near(PixelAt(a, x + i, y + j), PixelAt(b, x2 + i, y2 + j), tolerance);
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: png_probe FILE size | X,Y ... | count RRGGBB | diff OTHER [X,Y,W,H [X2,Y2 [TOL]]]\n");
        return 2;
    }
    SDL_Surface* s = Load(argv[1]);
    if (std::strcmp(argv[2], "size") == 0) {
        std::printf("%d %d\n", s->w, s->h);
    } else if (std::strcmp(argv[2], "count") == 0 && argc == 4) {
        const unsigned wanted = unsigned(std::strtoul(argv[3], nullptr, 16));
        long count = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) count += PixelAt(s, x, y) == wanted;
        std::printf("%ld\n", count);
    } else if (std::strcmp(argv[2], "diff") == 0 && argc >= 4 && argc <= 7) {
        std::printf("%ld\n", Differing(s, Load(argv[3]), argc, argv));
    } else {
        for (int i = 2; i < argc; ++i) {
            int x = -1, y = -1;
            if (std::sscanf(argv[i], "%d,%d", &x, &y) != 2 || !Fits(s, x, y, 1, 1)) {
                std::fprintf(stderr, "png_probe: bad point %s\n", argv[i]);
                return 2;
            }
            std::printf("%06X\n", PixelAt(s, x, y));
        }
    }
    return 0;
}
