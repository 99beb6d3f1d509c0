// The 2-D side of the OpenGL 3.3 renderer: an 800 x 400 offscreen framebuffer (colour + depth)
// that textured and solid quads are batched into, scaled into the window at present time.
#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dx.h"

struct GlTexture {
    GLuint id = 0;
    int width = 0;
    int height = 0;
    bool bottomUp = false;  // rows stored bottom first, as copies of the screen are
    bool opaque = false;    // every pixel has full alpha: drawn without blending even when asked
};

// Source rectangle in texture pixels, rows counted from the picture's top.
struct TexRect {
    float x, y, width, height;
};

class GlRenderer {
public:
    bool Init(std::string& error);
    void Shutdown();

    // Uploads RGBA pixels, rows top first.
    GlTexture CreateTexture(int width, int height, const uint8_t* rgba);
    void DeleteTexture(GlTexture& texture);

    void Clear();
    void DrawQuad(const GlTexture& texture, TexRect source, float x1, float y1, float x2, float y2, uint32_t rgb,
                  bool blend);
    void DrawBox(int x1, int y1, int x2, int y2, uint32_t rgb);
    // Copies a screen area into the top-left of a bottom-up texture.
    void CopyScreen(int x1, int y1, int x2, int y2, GlTexture& target);
    // Sends queued quads to the GPU; called before anything that needs the screen as it stands.
    void Flush();

    // The finished screen as RGB rows, top first.
    std::vector<uint8_t> ReadScreen();
    void Present(int drawableWidth, int drawableHeight);
    void BindScreen();

    // Called before anything 2-D is queued, the screen is cleared, copied, read or shown, so that
    // queued 3-D draws land first and the order of the game's calls is kept.
    void SetSceneFlush(std::function<void()> flush) { sceneFlush_ = std::move(flush); }

    void CountDrawCall() { ++drawCalls_; }
    // GL draw calls since the last time they were taken.
    int TakeDrawCalls() { return std::exchange(drawCalls_, 0); }

private:
    struct Vertex {
        float x, y, u, v;
        uint32_t rgba;
    };
    void SetBatch(GLuint texture, bool blend);
    bool ExtendLastBox(float x1, float y1, float x2, float y2, uint32_t rgba);
    void FlushScene() {
        if (sceneFlush_) sceneFlush_();
    }

    GLuint program_ = 0, solidProgram_ = 0, vao_ = 0, vbo_ = 0;
    GLint opaqueUniform_ = -1;
    GLuint fbo_ = 0, colour_ = 0, depth_ = 0;
    GlTexture white_;
    std::vector<Vertex> batch_;
    GLuint batchTexture_ = 0;
    bool batchBlend_ = false;
    int drawCalls_ = 0;
    std::function<void()> sceneFlush_;
};
