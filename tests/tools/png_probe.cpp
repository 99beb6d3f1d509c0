// Prints facts about a PNG file for the end-to-end tests:
//   png_probe FILE size          -> "W H"
//   png_probe FILE X,Y ...       -> "RRGGBB" for each pixel, one a line
//   png_probe FILE count RRGGBB  -> how many pixels have that colour
#include <SDL2/SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

unsigned PixelAt(SDL_Surface* s, int x, int y) {
    const auto* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * 4;
    return (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: png_probe FILE size | X,Y ... | count RRGGBB\n");
        return 2;
    }
    SDL_Surface* loaded = IMG_Load(argv[1]);
    if (!loaded) {
        std::fprintf(stderr, "png_probe: %s\n", IMG_GetError());
        return 1;
    }
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
    if (std::strcmp(argv[2], "size") == 0) {
        std::printf("%d %d\n", s->w, s->h);
    } else if (std::strcmp(argv[2], "count") == 0 && argc == 4) {
        const unsigned wanted = unsigned(std::strtoul(argv[3], nullptr, 16));
        long count = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) count += PixelAt(s, x, y) == wanted;
        std::printf("%ld\n", count);
    } else {
        for (int i = 2; i < argc; ++i) {
            int x = -1, y = -1;
            if (std::sscanf(argv[i], "%d,%d", &x, &y) != 2 || x < 0 || y < 0 || x >= s->w || y >= s->h) {
                std::fprintf(stderr, "png_probe: bad point %s\n", argv[i]);
                return 2;
            }
            std::printf("%06X\n", PixelAt(s, x, y));
        }
    }
    return 0;
}
