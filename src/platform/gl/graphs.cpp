// Pictures: PNG loading with the transparent colour, divided images, screen copies, drawing.
#include <cstdio>
#include <cstring>

#include "platform/common/data_path.h"
#include "platform/dx.h"
#include "platform/gl/gl_backend.h"

namespace {

int AddTexture(GlBackend& b, const GlTexture& texture) {
    b.textures.push_back(texture);
    b.textureUsers.push_back(0);
    return int(b.textures.size()) - 1;
}

GraphHandle AddGraph(GlBackend& b, int texture, int x, int y, int width, int height) {
    const GraphHandle handle{b.graphs.Add(Graph{texture, x, y, width, height})};
    if (handle.id >= 0) ++b.textureUsers[texture];
    return handle;
}

const Graph* FindGraph(GraphHandle handle) { return TheGl().graphs.Find(handle.id); }

// The pixels of a picture file, with pixels of the transparent colour made transparent.
bool LoadPicture(const char* file, Picture& picture) {
    const GlBackend& b = TheGl();
    std::string error;
    if (!file || !LoadPictureFile(ResolveGameFile(file), picture, error)) {
        ReportGameFileFailure(std::string("cannot load picture ") + (file ? file : "(none)") + ": " + error);
        return false;
    }
    if (!b.hasTransColour) return true;
    for (size_t i = 0; i < picture.rgba.size(); i += 4) {
        uint8_t* p = &picture.rgba[i];
        const uint32_t rgb = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
        if (rgb == b.transColour) p[3] = 0;
    }
    return true;
}

int UploadPicture(const Picture& picture) {
    GlBackend& b = TheGl();
    return AddTexture(b, b.renderer.CreateTexture(picture.width, picture.height, picture.rgba.data()));
}

void Draw(const Graph& g, TexRect source, float x1, float y1, float x2, float y2, int transFlag) {
    GlBackend& b = TheGl();
    b.renderer.DrawQuad(b.textures[g.texture], source, x1, y1, x2, y2, 0xFFFFFF, transFlag != 0);
}

}  // namespace

void ReleaseGraphs() {
    GlBackend& b = TheGl();
    for (GlTexture& t : b.textures) b.renderer.DeleteTexture(t);
    b.textures.clear();
    b.textureUsers.clear();
    b.graphs.Clear();
}

int dxSetTransColor(int red, int green, int blue) {
    GlBackend& b = TheGl();
    b.transColour = dxGetColor(red, green, blue);
    b.hasTransColour = true;
    return 0;
}

GraphHandle dxLoadGraph(const char* file, [[maybe_unused]] int notUse3DFlag) {
    Picture picture;
    if (!TheGl().drawing || !LoadPicture(file, picture)) return {};
    const int texture = UploadPicture(picture);
    return AddGraph(TheGl(), texture, 0, 0, picture.width, picture.height);
}

int dxLoadDivGraph(const char* file, int count, int columns, int rows, int cellWidth, int cellHeight,
                   GraphHandle* handles, [[maybe_unused]] int notUse3DFlag) {
    if (!handles || count <= 0) return -1;
    for (int i = 0; i < count; ++i) handles[i] = {};
    if (!TheGl().drawing || columns <= 0 || rows <= 0 || cellWidth <= 0 || cellHeight <= 0) return -1;
    Picture picture;
    if (!LoadPicture(file, picture)) return -1;
    if (picture.width < columns * cellWidth || picture.height < rows * cellHeight || count > columns * rows) {
        std::fprintf(stderr, "quarnel: picture %s is smaller than %d cells of %d x %d\n", file, count, cellWidth,
                     cellHeight);
        return -1;
    }
    const int texture = UploadPicture(picture);
    for (int i = 0; i < count; ++i)
        handles[i] =
            AddGraph(TheGl(), texture, (i % columns) * cellWidth, (i / columns) * cellHeight, cellWidth, cellHeight);
    return 0;
}

GraphHandle dxMakeGraph(int width, int height, [[maybe_unused]] int notUse3DFlag) {
    GlBackend& b = TheGl();
    if (!b.drawing || width <= 0 || height <= 0 || width > 4096 || height > 4096) return {};
    const int texture = AddTexture(b, b.renderer.CreateTexture(width, height, nullptr));
    return AddGraph(b, texture, 0, 0, width, height);
}

int dxDeleteGraph(GraphHandle image) {
    GlBackend& b = TheGl();
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
    GlBackend& b = TheGl();
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
    GlBackend& b = TheGl();
    if (!b.drawing) return -1;
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
    if (!TheGl().drawing) return -1;
    TheGl().renderer.Clear();
    return 0;
}

int dxSetDrawScreen([[maybe_unused]] int screen) { return 0; }
