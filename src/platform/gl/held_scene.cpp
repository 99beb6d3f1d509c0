#include "platform/gl/held_scene.h"

#include <cmath>
#include <utility>

#include "platform/gl/gl_renderer.h"

void HeldScene::Attach(HeldScreen* screen, SceneLayer* scene) {
    screen_ = screen;
    scene_ = scene;
    onScreen_ = false;
    picture_ = 0;
}

void HeldScene::Release() {
    glDeleteFramebuffers(1, &scratchFbo_);
    glDeleteRenderbuffers(1, &scratchDepth_);
    scratchFbo_ = scratchDepth_ = 0;
}

void HeldScene::Covered(bool depthClear) {
    onScreen_ = false;
    freshClear_ = depthClear;
}

void HeldScene::Drawn() {
    ShowOnScreen();
    freshClear_ = false;
}

void HeldScene::Read() { ShowOnScreen(); }

bool HeldScene::Copy(int x1, int y1, int width, int height, const GlTexture& target) {
    const bool wholeScreen = x1 == 0 && y1 == 0 && width == SCREEN_WIDTH && height == SCREEN_HEIGHT &&
                             target.width == SCREEN_WIDTH && target.height == SCREEN_HEIGHT;
    if (wholeScreen && freshClear_ && scene_ && target.id != 0) {
        if (picture_ != target.id) MakePicturePlain();
        scene_->Hold();
        onScreen_ = true;
        picture_ = target.id;
        freshClear_ = false;
        return true;
    }
    ShowOnScreen();
    if (picture_ != target.id || target.id == 0 || width <= 0 || height <= 0) return false;
    if (width < target.width || height < target.height) MakePicturePlain();  // the copy keeps the rest
    picture_ = 0;
    return false;
}

bool HeldScene::DrawPicture(const GlTexture& texture, const TexRect& source, float x1, float y1, float x2, float y2,
                            uint32_t rgb) {
    if (picture_ == 0 || texture.id != picture_) return false;
    const bool whole = source.x == 0 && source.y == 0 && source.width == float(texture.width) &&
                       source.height == float(texture.height);
    const bool onPixels = x1 == std::floor(x1) && y1 == std::floor(y1) && x2 == std::floor(x2) && y2 == std::floor(y2);
    if (!whole || !onPixels || rgb != 0xFFFFFF || x2 <= x1 || y2 <= y1) {
        MakePicturePlain();
        return false;
    }
    scene_->Flush();
    screen_->DrawPending();
    Drawn();
    const GLint x = GLint(x1), y = SCREEN_HEIGHT - GLint(y2), width = GLint(x2 - x1), height = GLint(y2 - y1);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glViewport(x, y, width, height);
    scene_->DrawHeld(std::log2(float(width) / float(texture.width)));
    screen_->BindScreen();
    return true;
}

void HeldScene::Deleted(GLuint texture) {
    if (texture == picture_) picture_ = 0;
}

void HeldScene::Settle() {
    ShowOnScreen();
    MakePicturePlain();
}

void HeldScene::ShowOnScreen() {
    if (!onScreen_ || !scene_) return;
    onScreen_ = false;
    screen_->BindScreen();
    scene_->DrawHeld(0.0f);  // the screen still holds the clear the scene was queued on
}

void HeldScene::MakePicturePlain() {
    if (picture_ == 0 || !scene_) return;
    screen_->DrawPending();
    const GLuint picture = std::exchange(picture_, 0);
    if (scratchFbo_ == 0) {
        scratchDepth_ = CreateScreenDepth();
        glGenFramebuffers(1, &scratchFbo_);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, scratchFbo_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, picture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, scratchDepth_);
    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene_->DrawHeld(0.0f);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    screen_->BindScreen();
}
