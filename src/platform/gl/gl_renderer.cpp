#include "platform/gl/gl_renderer.h"

#include <algorithm>

#include "platform/gl/gl_shader.h"
#include "platform/gl/letterbox.h"

namespace {

const char* VERTEX_SHADER = R"(layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in vec4 colour;
out vec2 uv;
out vec4 tint;
void main() {
    uv = texCoord;
    tint = colour;
    gl_Position = vec4(position.x / 400.0 - 1.0, 1.0 - position.y / 200.0, 0.0, 1.0);
})";

// Drawn without blending, a picture still leaves the screen opaque.
const char* FRAGMENT_SHADER = R"(in vec2 uv;
in vec4 tint;
uniform sampler2D picture;
uniform bool opaque;
out vec4 fragment;
void main() {
    fragment = texture(picture, uv) * tint;
    if (opaque) fragment.a = 1.0;
})";

// Boxes need no texture: on a software rasteriser the fetch is most of a pixel's cost.
const char* SOLID_FRAGMENT_SHADER = R"(in vec2 uv;
in vec4 tint;
out vec4 fragment;
void main() { fragment = tint; })";

// An opaque box at least this large is filled by a scissored clear, far cheaper than shading it.
constexpr int CLEAR_BOX_MIN_AREA = 64 * 64;

bool AllOpaque(const uint8_t* rgba, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i)
        if (rgba[4 * i + 3] != 255) return false;
    return true;
}

uint32_t OpaqueRgba(uint32_t rgb) {
    // Vertex colour bytes in memory order r, g, b, a.
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16) | 0xFF000000u;
}

}  // namespace

GLuint CreateScreenDepth() {
    GLuint depth = 0;
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, SCREEN_WIDTH, SCREEN_HEIGHT);
    return depth;
}

bool GlRenderer::Init(std::string& error) {
    program_ = BuildProgram(VERTEX_SHADER, FRAGMENT_SHADER, error);
    solidProgram_ = BuildProgram(VERTEX_SHADER, SOLID_FRAGMENT_SHADER, error);
    if (!error.empty()) return false;
    glGenVertexArrays(1, &vao_);
    glGenBuffers(1, &vbo_);
    glBindVertexArray(vao_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(0));
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(8));
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), reinterpret_cast<void*>(16));
    for (GLuint i = 0; i < 3; ++i) glEnableVertexAttribArray(i);

    glGenTextures(1, &colour_);
    glBindTexture(GL_TEXTURE_2D, colour_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, SCREEN_WIDTH, SCREEN_HEIGHT, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);  // read only by ShowScaledWhole
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    depth_ = CreateScreenDepth();
    glGenFramebuffers(1, &fbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        error = "the offscreen framebuffer is not supported";
        return false;
    }
    const uint8_t white[4] = {255, 255, 255, 255};
    white_ = CreateTexture(1, 1, white);
    glUseProgram(program_);
    glUniform1i(glGetUniformLocation(program_, "picture"), 0);
    opaqueUniform_ = glGetUniformLocation(program_, "opaque");
    BindScreen();
    Clear();
    return true;
}

void GlRenderer::Shutdown() {
    DeleteTexture(white_);
    held_.Release();
    glDeleteFramebuffers(1, &fbo_);
    glDeleteRenderbuffers(1, &depth_);
    glDeleteTextures(1, &colour_);
    glDeleteBuffers(1, &vbo_);
    glDeleteVertexArrays(1, &vao_);
    glDeleteProgram(program_);
    glDeleteProgram(solidProgram_);
    *this = GlRenderer();
}

GlTexture GlRenderer::CreateTexture(int width, int height, const uint8_t* rgba) {
    GlTexture texture{0, width, height, rgba == nullptr, rgba && AllOpaque(rgba, size_t(width) * height)};
    glGenTextures(1, &texture.id);
    glBindTexture(GL_TEXTURE_2D, texture.id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    // Pictures are drawn pixel for pixel, and stretched ones by the nearest pixel, as the game's
    // art expects; it is also the cheapest fetch for a software rasteriser.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    ++textureChanges_;
    return texture;
}

void GlRenderer::DeleteTexture(GlTexture& texture) {
    if (texture.id == 0) return;
    // A recorded draw must not meet another picture under the same name.
    if (Records(texture.id)) {
        Flush();
        DrawRecord();
    }
    if (batchTexture_ == texture.id) Flush();
    held_.Deleted(texture.id);
    glDeleteTextures(1, &texture.id);
    texture = {};
    ++textureChanges_;
}

// The screen stays opaque whatever is drawn, so copies of it draw opaque too: every draw writes
// alpha 1 or keeps the alpha there. No write mask is used, which would make every pixel a read too.
void GlRenderer::BindScreen() {
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

void GlRenderer::Clear() {
    FlushScene();
    batch_.clear();
    Do(Op{Op::CLEAR});
}

void GlRenderer::SetBatch(GLuint texture, bool blend) {
    if (!batch_.empty() && (texture != batchTexture_ || blend != batchBlend_)) Flush();
    batchTexture_ = texture;
    batchBlend_ = blend;
}

void GlRenderer::DrawQuad(const GlTexture& texture, TexRect source, float x1, float y1, float x2, float y2,
                          uint32_t rgb, bool blend) {
    if (texture.id == 0 || texture.width <= 0 || texture.height <= 0) return;
    if (held_.DrawPicture(texture, source, x1, y1, x2, y2, rgb)) return;
    FlushScene();
    SetBatch(texture.id, blend && !texture.opaque);
    float u1 = source.x / texture.width, u2 = (source.x + source.width) / texture.width;
    float v1 = source.y / texture.height, v2 = (source.y + source.height) / texture.height;
    if (texture.bottomUp) {
        v1 = 1.0f - v1;
        v2 = 1.0f - v2;
    }
    const uint32_t c = OpaqueRgba(rgb);
    const Vertex quad[6] = {{x1, y1, u1, v1, c}, {x2, y1, u2, v1, c}, {x2, y2, u2, v2, c},
                            {x1, y1, u1, v1, c}, {x2, y2, u2, v2, c}, {x1, y2, u1, v2, c}};
    batch_.insert(batch_.end(), quad, quad + 6);
}

void GlRenderer::DrawBox(int x1, int y1, int x2, int y2, uint32_t rgb) {
    x1 = std::clamp(x1, 0, SCREEN_WIDTH);
    x2 = std::clamp(x2, 0, SCREEN_WIDTH);
    y1 = std::clamp(y1, 0, SCREEN_HEIGHT);
    y2 = std::clamp(y2, 0, SCREEN_HEIGHT);
    if (x2 <= x1 || y2 <= y1) return;
    FlushScene();
    if ((x2 - x1) * (y2 - y1) < CLEAR_BOX_MIN_AREA) {
        SetBatch(white_.id, false);
        if (!ExtendLastBox(float(x1), float(y1), float(x2), float(y2), OpaqueRgba(rgb)))
            DrawQuad(white_, {0, 0, 1, 1}, float(x1), float(y1), float(x2), float(y2), rgb, false);
        return;
    }
    Flush();
    Do(Op{Op::FILL, false, rgb, x1, y1, x2, y2});
}

// A solid box that continues the last one queued, the same colour and sharing a whole side, widens
// it instead: the map's columns of equal cells become one quad each, with the very same pixels.
bool GlRenderer::ExtendLastBox(float x1, float y1, float x2, float y2, uint32_t rgba) {
    if (batch_.size() < 6 || batchTexture_ != white_.id) return false;
    // The quad's corners: top-left, top-right, bottom-right, top-left, bottom-right, bottom-left.
    Vertex* q = &batch_[batch_.size() - 6];
    if (q[0].rgba != rgba) return false;
    if (q[0].x == x1 && q[1].x == x2 && q[2].y == y1) {
        q[2].y = q[4].y = q[5].y = y2;
        return true;
    }
    if (q[0].y == y1 && q[2].y == y2 && q[1].x == x1) {
        q[1].x = q[2].x = q[4].x = x2;
        return true;
    }
    return false;
}

void GlRenderer::Flush() {
    if (batch_.empty()) return;
    Op op{Op::QUADS, batchBlend_};
    op.texture = batchTexture_;
    op.count = batch_.size();
    Do(op);
    batch_.clear();
}

void GlRenderer::Do(const Op& op) {
    if (!recording_) {
        Run(op, batch_.data());
        return;
    }
    Op recorded = op;
    if (op.kind == Op::QUADS) {
        recorded.first = vertices_.size();
        vertices_.insert(vertices_.end(), batch_.begin(), batch_.end());
    }
    ops_.push_back(recorded);
}

// A clear, or a box over the whole screen: what the screen held before is all gone.
bool GlRenderer::CoversScreen(const Op& op) {
    return op.kind == Op::CLEAR ||
           (op.kind == Op::FILL && op.x1 == 0 && op.y1 == 0 && op.x2 == SCREEN_WIDTH && op.y2 == SCREEN_HEIGHT);
}

void GlRenderer::Run(const Op& op, const Vertex* vertices) {
    const bool whole = CoversScreen(op);
    if (whole) held_.Covered(op.kind == Op::CLEAR);
    else held_.Drawn();
    if (op.kind == Op::CLEAR) {
        glClearColor(0, 0, 0, 1);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    } else if (op.kind == Op::FILL) {
        // A box over the whole screen is a plain clear, which the rasteriser does without shading.
        if (!whole) {
            glEnable(GL_SCISSOR_TEST);
            glScissor(op.x1, SCREEN_HEIGHT - op.y2, op.x2 - op.x1, op.y2 - op.y1);
        }
        const uint32_t rgb = op.rgb;
        glClearColor(float((rgb >> 16) & 0xFF) / 255.0f, float((rgb >> 8) & 0xFF) / 255.0f, float(rgb & 0xFF) / 255.0f,
                     1);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
    } else {
        glUseProgram(op.texture == white_.id ? solidProgram_ : program_);
        glBindVertexArray(vao_);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        if (op.blend) {
            glEnable(GL_BLEND);
            glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
        } else {
            glDisable(GL_BLEND);
        }
        if (op.texture != white_.id) glUniform1i(opaqueUniform_, op.blend ? 0 : 1);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, op.texture);
        glBindBuffer(GL_ARRAY_BUFFER, vbo_);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(op.count * sizeof(Vertex)), vertices + op.first, GL_STREAM_DRAW);
        glDrawArrays(GL_TRIANGLES, 0, GLsizei(op.count));
        ++drawCalls_;
    }
}

// Draws what the frame recorded so far; from here on the frame is drawn as it comes.
void GlRenderer::DrawRecord() {
    if (!recording_) return;
    recording_ = false;
    screenShown_ = false;
    for (const Op& op : ops_) Run(op, vertices_.data());
}

bool GlRenderer::Records(GLuint texture) const {
    if (!recording_) return false;
    if (batchTexture_ == texture && !batch_.empty()) return true;
    return std::any_of(ops_.begin(), ops_.end(), [&](const Op& op) { return op.texture == texture; });
}

void GlRenderer::DrawPending() {
    Flush();
    DrawRecord();
}

void GlRenderer::BeginScene() {
    DrawPending();
    held_.Drawn();
    BindScreen();
}

void GlRenderer::SettleHeldScene() { held_.Settle(); }

void GlRenderer::CopyScreen(int x1, int y1, int x2, int y2, GlTexture& target) {
    DrawPending();
    x1 = std::clamp(x1, 0, SCREEN_WIDTH);
    x2 = std::clamp(x2, 0, SCREEN_WIDTH);
    y1 = std::clamp(y1, 0, SCREEN_HEIGHT);
    y2 = std::clamp(y2, 0, SCREEN_HEIGHT);
    const int width = std::min(x2 - x1, target.width), height = std::min(y2 - y1, target.height);
    if (held_.Copy(x1, y1, width, height, target)) {
        target.opaque = true;  // as the copy it stands for
        ++textureChanges_;
        return;
    }
    FlushScene();
    if (target.id == 0 || width <= 0 || height <= 0) return;
    glBindTexture(GL_TEXTURE_2D, target.id);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, target.height - height, x1, SCREEN_HEIGHT - y1 - height, width, height);
    if (width == target.width && height == target.height) target.opaque = true;  // the screen is opaque
    ++textureChanges_;
}

std::vector<uint8_t> GlRenderer::ReadScreen() {
    FlushScene();
    Flush();
    DrawRecord();
    held_.Read();
    // RGBA is the one format every GL reads back.
    std::vector<uint8_t> bottomUp(SCREEN_WIDTH * SCREEN_HEIGHT * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> rows(SCREEN_WIDTH * SCREEN_HEIGHT * 3);
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            std::copy_n(&bottomUp[(size_t(SCREEN_HEIGHT - 1 - y) * SCREEN_WIDTH + x) * 4], 3,
                        &rows[(size_t(y) * SCREEN_WIDTH + x) * 3]);
    return rows;
}

// The frame recorded whole equals the one presented last, which began by covering the whole
// screen (so that its picture owes nothing to the frame before) and which the screen still holds.
bool GlRenderer::RepeatsShownFrame() const {
    return recording_ && shownRecorded_ && screenShown_ && !ops_.empty() && CoversScreen(ops_[0]) &&
           textureChanges_ == shownTextureChanges_ && ops_ == shownOps_ && vertices_ == shownVertices_;
}

bool GlRenderer::Present(int drawableWidth, int drawableHeight, bool maySkip) {
    FlushScene();
    Flush();
    if (RepeatsShownFrame()) {
        ops_.clear();
        vertices_.clear();
        if (maySkip && drawableWidth == shownWidth_ && drawableHeight == shownHeight_) return false;
    } else {
        shownRecorded_ = recording_;
        DrawRecord();
        held_.Read();
        std::swap(ops_, shownOps_);
        std::swap(vertices_, shownVertices_);
        ops_.clear();
        vertices_.clear();
        shownTextureChanges_ = textureChanges_;
    }
    Show(drawableWidth, drawableHeight);
    recording_ = true;
    return true;
}

bool GlRenderer::PresentAgain(int drawableWidth, int drawableHeight) {
    if (!screenShown_) return false;
    Show(drawableWidth, drawableHeight);
    return true;
}

// The screen drawn over the viewport as one quad read by the nearest pixel: the same pixels as a
// nearest blit, which a software rasteriser does more slowly than this plain textured draw.
void GlRenderer::ShowScaledWhole() {
    constexpr uint32_t WHITE = 0xFFFFFFFF;
    constexpr float W = SCREEN_WIDTH, H = SCREEN_HEIGHT;
    const Vertex quad[6] = {{0, 0, 0, 1, WHITE}, {W, 0, 1, 1, WHITE}, {W, H, 1, 0, WHITE},
                            {0, 0, 0, 1, WHITE}, {W, H, 1, 0, WHITE}, {0, H, 0, 0, WHITE}};
    glUseProgram(program_);
    glUniform1i(opaqueUniform_, 1);
    glBindVertexArray(vao_);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, colour_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(sizeof quad), quad, GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}

void GlRenderer::Show(int drawableWidth, int drawableHeight) {
    const ScreenRect fit = FitPicture(drawableWidth, drawableHeight, SCREEN_WIDTH, SCREEN_HEIGHT);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo_);
    glViewport(0, 0, drawableWidth, drawableHeight);
    const bool bars = fit.x > 0 || fit.y > 0 || fit.width < drawableWidth || fit.height < drawableHeight;
    if (bars) {  // only the bars beside the picture need black; the picture covers the rest
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    const bool exact = fit.width % SCREEN_WIDTH == 0 && fit.height % SCREEN_HEIGHT == 0;
    if (exact) {
        glViewport(fit.x, drawableHeight - fit.y - fit.height, fit.width, fit.height);
        ShowScaledWhole();
    } else {
        glBlitFramebuffer(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, fit.x, drawableHeight - fit.y - fit.height,
                          fit.x + fit.width, drawableHeight - fit.y, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    }
    screenShown_ = true;
    shownWidth_ = drawableWidth;
    shownHeight_ = drawableHeight;
    BindScreen();
}
