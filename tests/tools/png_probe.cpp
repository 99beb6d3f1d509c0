// Prints facts about a PNG file for the end-to-end tests:
//   png_probe FILE size          -> "W H"
//   png_probe FILE X,Y ...       -> "RRGGBB" for each pixel, one a line
//   png_probe FILE count RRGGBB  -> how many pixels have that colour
//   png_probe FILE diff OTHER [X,Y,W,H] -> how many pixels differ between the two, in the whole
//                                          picture or the rectangle (-1: sizes differ or the
//                                          rectangle does not fit)
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
        std::fprintf(stderr, "usage: png_probe FILE size | X,Y ... | count RRGGBB | diff OTHER [X,Y,W,H]\n");
        return 2;
    }
    SDL_Surface* loaded = IMG_Load(argv[1]);
    if (!loaded) {
        std::fprintf(stderr, "png_probe: %s\n", IMG_GetError());
        return 1;
    }
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_Surface* other = nullptr;
    int left = 0, top = 0, width = s->w, height = s->h;
    if (std::strcmp(argv[2], "diff") == 0 && argc == 5 &&
        std::sscanf(argv[4], "%d,%d,%d,%d", &left, &top, &width, &height) != 4) {
        std::fprintf(stderr, "png_probe: bad rectangle %s\n", argv[4]);
        return 2;
    }
    if (std::strcmp(argv[2], "diff") == 0 && (argc == 4 || argc == 5)) {
        SDL_Surface* second = IMG_Load(argv[3]);
        if (!second) {
            std::fprintf(stderr, "png_probe: %s\n", IMG_GetError());
            return 1;
        }
        other = SDL_ConvertSurfaceFormat(second, SDL_PIXELFORMAT_ABGR8888, 0);
    }
    if (std::strcmp(argv[2], "size") == 0) {
        std::printf("%d %d\n", s->w, s->h);
    } else if (std::strcmp(argv[2], "count") == 0 && argc == 4) {
        const unsigned wanted = unsigned(std::strtoul(argv[3], nullptr, 16));
        long count = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) count += PixelAt(s, x, y) == wanted;
        std::printf("%ld\n", count);
    } else if (other) {
        long count = -1;
        const bool inside = left >= 0 && top >= 0 && width >= 0 && height >= 0 && left + width <= s->w &&
                            top + height <= s->h;
        if (other->w == s->w && other->h == s->h && inside) {
            count = 0;
            for (int y = top; y < top + height; ++y)
                for (int x = left; x < left + width; ++x) count += PixelAt(s, x, y) != PixelAt(other, x, y);
        }
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
