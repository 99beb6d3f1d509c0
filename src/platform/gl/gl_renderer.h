// The 2-D side of the OpenGL 3.3 renderer: an 800 x 400 offscreen framebuffer (colour + depth)
// that textured and solid quads are batched into, scaled into the window at present time.
//
// From one present to the next the frame's 2-D work is recorded, not drawn. The first call that
// needs the screen as it stands (models, a copy, a read) draws the record, and the rest of the frame
// is drawn as it comes. A frame recorded whole that equals the frame presented last, which the
// screen still holds, is neither drawn nor presented: a still screen costs next to nothing.
#pragma once

#include "platform/gl/gl_api.h"
#include "platform/gl/held_scene.h"

#include <cstdint>
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

// The 3-D side as the screen sees it, so that models keep their place among the 2-D calls.
class SceneLayer {
public:
    // Draws the models queued so far on the screen, now.
    virtual void Flush() = 0;
    // Takes the models queued so far, undrawn, as the held scene (replacing the one held before).
    virtual void Hold() = 0;
    // Draws the held scene into the viewport set, with mipmap levels chosen `lodBias` levels finer.
    virtual void DrawHeld(float lodBias) = 0;

protected:
    ~SceneLayer() = default;
};

// A depth buffer of the screen's size, for drawing models into a framebuffer.
GLuint CreateScreenDepth();

class GlRenderer : private HeldScreen {
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
    // Copies a screen area into the top-left of a bottom-up texture, or holds the scene there (see
    // HeldScene): either way the texture then draws as that screen area.
    void CopyScreen(int x1, int y1, int x2, int y2, GlTexture& target);
    // Sends queued quads on; called before anything that needs the screen as it stands.
    void Flush();

    // The finished screen as RGB rows, top first.
    std::vector<uint8_t> ReadScreen();
    // Finishes the frame and shows it in the drawable; false, having drawn and shown nothing, when
    // `maySkip` and the drawable still shows the very same picture.
    bool Present(int drawableWidth, int drawableHeight, bool maySkip = true);
    // Shows the picture presented last again (the window system lost it); false when the screen
    // no longer holds it, a new frame being under way.
    bool PresentAgain(int drawableWidth, int drawableHeight);
    void BindScreen() override;

    // Models queued there land before the 2-D calls that follow them.
    void SetSceneLayer(SceneLayer* scene) {
        scene_ = scene;
        held_.Attach(this, scene);
    }
    // Before models are drawn on the screen: what comes before them is drawn first.
    void BeginScene();
    // Draws the held scene wherever it is still due, before what it was made of goes away.
    void SettleHeldScene();

    void CountDrawCall() { ++drawCalls_; }
    // GL draw calls since the last time they were taken.
    int TakeDrawCalls() { return std::exchange(drawCalls_, 0); }

private:
    struct Vertex {
        float x, y, u, v;
        uint32_t rgba;
        bool operator==(const Vertex&) const = default;
    };
    // One piece of a frame: a clear of colour and depth, a box filled, or a run of quads.
    struct Op {
        enum Kind : uint8_t { CLEAR, FILL, QUADS } kind = CLEAR;
        bool blend = false;
        uint32_t rgb = 0;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // FILL
        GLuint texture = 0;                  // QUADS: vertices [first, first + count) of the record
        size_t first = 0, count = 0;
        bool operator==(const Op&) const = default;
    };
    void SetBatch(GLuint texture, bool blend);
    bool ExtendLastBox(float x1, float y1, float x2, float y2, uint32_t rgba);
    void FlushScene() {
        if (scene_) scene_->Flush();
    }
    void DrawPending() override;
    static bool CoversScreen(const Op& op);
    void Do(const Op& op);
    void Run(const Op& op, const Vertex* vertices);
    void DrawRecord();
    bool Records(GLuint texture) const;
    bool RepeatsShownFrame() const;
    void Show(int drawableWidth, int drawableHeight);
    void ShowScaledWhole();

    GLuint program_ = 0, solidProgram_ = 0, vao_ = 0, vbo_ = 0;
    GLint opaqueUniform_ = -1;
    GLuint fbo_ = 0, colour_ = 0, depth_ = 0;
    GlTexture white_;
    std::vector<Vertex> batch_;
    GLuint batchTexture_ = 0;
    bool batchBlend_ = false;
    int drawCalls_ = 0;
    SceneLayer* scene_ = nullptr;

    // The frame under way while it is recorded, and the frame presented last when it was.
    bool recording_ = true;
    std::vector<Op> ops_, shownOps_;
    std::vector<Vertex> vertices_, shownVertices_;
    bool shownRecorded_ = false;
    bool screenShown_ = false;     // the framebuffer holds the picture presented last
    uint64_t textureChanges_ = 0;  // uploads, copies and deletions so far
    uint64_t shownTextureChanges_ = 0;
    int shownWidth_ = 0, shownHeight_ = 0;
    HeldScene held_;
};
