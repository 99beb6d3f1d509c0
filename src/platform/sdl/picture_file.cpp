#include "platform/sdl/picture_file.h"

#include <SDL2/SDL_image.h>
#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Larger pictures cannot be textures anyway; refusing them keeps a forged header from asking for
// gigabytes.
constexpr png_uint_32 MAX_SIDE = 16384;

bool IsPng(std::FILE* file) {
    png_byte signature[8] = {};
    const bool png = std::fread(signature, 1, sizeof signature, file) == sizeof signature &&
                     png_sig_cmp(signature, 0, sizeof signature) == 0;
    std::rewind(file);
    return png;
}

// Decodes with libpng's simplified interface, which keeps every message in image.message.
SDL_Surface* DecodePng(std::FILE* file, bool& handOver) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_stdio(&image, file)) {
        SDL_SetError("not a readable PNG file (%s)", image.message);
        return nullptr;
    }
    // 16-bit files would be taken as linear light here; SDL_image reads them as it always has.
    if (image.format & PNG_FORMAT_FLAG_LINEAR) {
        png_image_free(&image);
        handOver = true;
        return nullptr;
    }
    if (image.width > MAX_SIDE || image.height > MAX_SIDE) {
        png_image_free(&image);
        SDL_SetError("the picture is larger than %u x %u", unsigned(MAX_SIDE), unsigned(MAX_SIDE));
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, int(image.width), int(image.height), 32, SDL_PIXELFORMAT_RGBA32);
    if (!surface) {
        png_image_free(&image);
        return nullptr;
    }
    // One byte a component, so the stride in components is the pitch in bytes.
    if (!png_image_finish_read(&image, nullptr, surface->pixels, surface->pitch, nullptr)) {
        SDL_SetError("not a readable PNG file (%s)", image.message);
        SDL_FreeSurface(surface);
        return nullptr;
    }
    return surface;
}

}  // namespace

SDL_Surface* LoadPictureFile(const char* path) {
    if (!path) {
        SDL_SetError("no file named");
        return nullptr;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        SDL_SetError("Couldn't open %s: %s", path, std::strerror(errno));
        return nullptr;
    }
    bool handOver = !IsPng(file);
    SDL_Surface* surface = handOver ? nullptr : DecodePng(file, handOver);
    std::fclose(file);
    return handOver ? IMG_Load(path) : surface;
}

bool LoadPictureFile(const std::string& path, Picture& picture, std::string& error) {
    SDL_Surface* loaded = LoadPictureFile(path.c_str());
    SDL_Surface* rgba = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0) : nullptr;
    SDL_FreeSurface(loaded);
    if (!rgba) {
        error = IMG_GetError();
        return false;
    }
    picture.width = rgba->w;
    picture.height = rgba->h;
    picture.rgba.resize(size_t(rgba->w) * rgba->h * 4);
    for (int y = 0; y < rgba->h; ++y)
        std::copy_n(static_cast<const uint8_t*>(rgba->pixels) + size_t(y) * rgba->pitch, size_t(rgba->w) * 4,
                    &picture.rgba[size_t(y) * rgba->w * 4]);
    SDL_FreeSurface(rgba);
    return true;
}
