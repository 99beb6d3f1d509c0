// Pictures: PNG loading with the transparent colour, divided images, screen copies, drawing.
#include <SDL2/SDL_image.h>

#include <cstdio>
#include <cstring>

#include "platform/common/data_path.h"
#include "platform/dx.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/picture_file.h"

namespace {

int AddTexture(Backend& b, const GlTexture& texture) {
    b.textures.push_back(texture);
    b.textureUsers.push_back(0);
    return int(b.textures.size()) - 1;
}

GraphHandle AddGraph(Backend& b, int texture, int x, int y, int width, int height) {
    const GraphHandle handle{b.graphs.Add(Graph{texture, x, y, width, height})};
    if (handle.id >= 0) ++b.textureUsers[texture];
    return handle;
}

const Graph* FindGraph(GraphHandle handle) { return TheBackend().graphs.Find(handle.id); }

// RGBA pixels of a PNG file, with pixels of the transparent colour made transparent.
SDL_Surface* LoadPicture(const char* file) {
    Backend& b = TheBackend();
    SDL_Surface* loaded = file ? LoadPictureFile(ResolveGameFile(file).c_str()) : nullptr;
    if (!loaded) {
        ReportGameFileFailure(std::string("cannot load picture ") + (file ? file : "(none)") + ": " + IMG_GetError());
        return nullptr;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(loaded);
    if (!rgba || !b.hasTransColour) return rgba;
    for (int y = 0; y < rgba->h; ++y) {
        auto* row = reinterpret_cast<uint8_t*>(rgba->pixels) + y * rgba->pitch;
        for (int x = 0; x < rgba->w; ++x) {
            uint8_t* p = row + 4 * x;
            const uint32_t rgb = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
            if (rgb == b.transColour) p[3] = 0;
        }
    }
    return rgba;
}

int UploadPicture(SDL_Surface* picture) {
    Backend& b = TheBackend();
    std::vector<uint8_t> pixels(size_t(picture->w) * picture->h * 4);
    for (int y = 0; y < picture->h; ++y)
        std::memcpy(&pixels[size_t(y) * picture->w * 4], static_cast<uint8_t*>(picture->pixels) + y * picture->pitch,
                    size_t(picture->w) * 4);
    return AddTexture(b, b.renderer.CreateTexture(picture->w, picture->h, pixels.data()));
}

void Draw(const Graph& g, TexRect source, float x1, float y1, float x2, float y2, int transFlag) {
    Backend& b = TheBackend();
    b.renderer.DrawQuad(b.textures[g.texture], source, x1, y1, x2, y2, 0xFFFFFF, transFlag != 0);
}

}  // namespace

void ReleaseGraphs() {
    Backend& b = TheBackend();
    for (GlTexture& t : b.textures) b.renderer.DeleteTexture(t);
    b.textures.clear();
    b.textureUsers.clear();
    b.graphs.Clear();
}

int dxSetTransColor(int red, int green, int blue) {
    Backend& b = TheBackend();
    b.transColour = dxGetColor(red, green, blue);
    b.hasTransColour = true;
    return 0;
}

GraphHandle dxLoadGraph(const char* file, [[maybe_unused]] int notUse3DFlag) {
    if (!TheBackend().window) return {};
    SDL_Surface* picture = LoadPicture(file);
    if (!picture) return {};
    const int texture = UploadPicture(picture);
    const GraphHandle handle = AddGraph(TheBackend(), texture, 0, 0, picture->w, picture->h);
    SDL_FreeSurface(picture);
    return handle;
}

int dxLoadDivGraph(const char* file, int count, int columns, int rows, int cellWidth, int cellHeight,
                   GraphHandle* handles, [[maybe_unused]] int notUse3DFlag) {
    if (!handles || count <= 0) return -1;
    for (int i = 0; i < count; ++i) handles[i] = {};
    if (!TheBackend().window || columns <= 0 || rows <= 0 || cellWidth <= 0 || cellHeight <= 0) return -1;
    SDL_Surface* picture = LoadPicture(file);
    if (!picture) return -1;
    if (picture->w < columns * cellWidth || picture->h < rows * cellHeight || count > columns * rows) {
        std::fprintf(stderr, "quarnel: picture %s is smaller than %d cells of %d x %d\n", file, count, cellWidth,
                     cellHeight);
        SDL_FreeSurface(picture);
        return -1;
    }
    const int texture = UploadPicture(picture);
    SDL_FreeSurface(picture);
    for (int i = 0; i < count; ++i)
        handles[i] = AddGraph(TheBackend(), texture, (i % columns) * cellWidth, (i / columns) * cellHeight, cellWidth,
                              cellHeight);
    return 0;
}

GraphHandle dxMakeGraph(int width, int height, [[maybe_unused]] int notUse3DFlag) {
    Backend& b = TheBackend();
    if (!b.window || width <= 0 || height <= 0 || width > 4096 || height > 4096) return {};
    const int texture = AddTexture(b, b.renderer.CreateTexture(width, height, nullptr));
    return AddGraph(b, texture, 0, 0, width, height);
}

int dxDeleteGraph(GraphHandle image) {
    Backend& b = TheBackend();
    const Graph* g = FindGraph(image);
    if (!g) return -1;
    const int texture = g->texture;
    b.graphs.Remove(image.id);
    if (--b.textureUsers[texture] == 0) b.renderer.DeleteTexture(b.textures[texture]);
    return 0;
}

int dxGetDrawScreenGraph(int x1, int y1, int x2, int y2, GraphHandle image, [[maybe_unused]] int useClientFlag) {
    const Graph* g = FindGraph(image);
    if (!g) return -1;
    Backend& b = TheBackend();
    b.renderer.CopyScreen(x1, y1, x2, y2, b.textures[g->texture]);
    return 0;
}

int dxDrawGraph(int x, int y, GraphHandle image, int transFlag) {
    const Graph* g = FindGraph(image);
    if (!g) return -1;
    Draw(*g, {float(g->x), float(g->y), float(g->width), float(g->height)}, float(x), float(y), float(x + g->width),
         float(y + g->height), transFlag);
    return 0;
}

int dxDrawRectGraph(int destX, int destY, int srcX, int srcY, int width, int height, GraphHandle image, int transFlag,
                    [[maybe_unused]] int turnFlag) {
    const Graph* g = FindGraph(image);
    if (!g || width <= 0 || height <= 0) return -1;
    Draw(*g, {float(g->x + srcX), float(g->y + srcY), float(width), float(height)}, float(destX), float(destY),
         float(destX + width), float(destY + height), transFlag);
    return 0;
}

int dxDrawExtendGraph(int x1, int y1, int x2, int y2, GraphHandle image, int transFlag) {
    const Graph* g = FindGraph(image);
    if (!g) return -1;
    Draw(*g, {float(g->x), float(g->y), float(g->width), float(g->height)}, float(x1), float(y1), float(x2), float(y2),
         transFlag);
    return 0;
}

int dxDrawBox(int x1, int y1, int x2, int y2, unsigned colour, int fillFlag) {
    Backend& b = TheBackend();
    if (!b.window) return -1;
    if (fillFlag) {
        b.renderer.DrawBox(x1, y1, x2, y2, colour);
    } else {
        b.renderer.DrawBox(x1, y1, x2, y1 + 1, colour);
        b.renderer.DrawBox(x1, y2 - 1, x2, y2, colour);
        b.renderer.DrawBox(x1, y1, x1 + 1, y2, colour);
        b.renderer.DrawBox(x2 - 1, y1, x2, y2, colour);
    }
    return 0;
}

int dxClearDrawScreen() {
    if (!TheBackend().window) return -1;
    TheBackend().renderer.Clear();
    return 0;
}

int dxSetDrawScreen([[maybe_unused]] int screen) { return 0; }
