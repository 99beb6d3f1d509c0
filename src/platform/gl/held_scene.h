// The held scene: a copy of the screen that keeps the models it would have copied. Play shows the
// 3-D view as a whole-screen copy reduced beside the map; held, the view is drawn at the size it is
// shown, its textures read at the mipmap levels the full-size picture would have had, instead of
// drawn at full size, copied and shrunk: fewer pixels shaded, each sampled at its own centre.
//
// When it applies: the whole screen is copied into a picture of the screen's size right after a
// clear of colour and depth, with models queued since and nothing else drawn. The copy then takes
// no pixels; it holds the queued models, undrawn, with their camera and light.
// While it holds:
// - the picture drawn whole, untinted, onto whole pixels has the models drawn right there at that
//   size, with the mipmap levels the full-size picture would have had (a lod bias);
// - any other use of the picture (drawn in part, stretched off the pixel grid, tinted, copied into
//   in part) first draws the models into it at full size, which makes it a plain picture again;
// - the screen gets the models, as the copy left it, before it is drawn on in part or read.
// What ends it: the picture deleted or copied over whole, a new scene held (another picture made
// plain first), a model removed (Settle: both made plain, as what they were made of goes away), or
// the screen covered whole (the screen only: the picture keeps holding).
#pragma once

#include "platform/gl/gl_api.h"

#include <cstdint>

class SceneLayer;
struct GlTexture;
struct TexRect;

// What the held scene needs of the screen it was copied from.
class HeldScreen {
public:
    // Draws what the screen was asked to draw so far, so that the held scene lands after it.
    virtual void DrawPending() = 0;
    virtual void BindScreen() = 0;

protected:
    ~HeldScreen() = default;
};

class HeldScene {
public:
    // Starts anew with nothing held; `scene` may be null (no models: nothing is ever held).
    void Attach(HeldScreen* screen, SceneLayer* scene);
    void Release();  // GL objects; called while the context is current

    // The screen's colour set whole, and its depth too when `depthClear`.
    void Covered(bool depthClear);
    // The screen about to be drawn on other than whole (2-D in part, models), which also ends the
    // clear a copy needs to hold, or about to be read.
    void Drawn();
    void Read();

    // A copy of the screen's `width` x `height` pixels from (x1, y1), within the screen and
    // `target`, into the top-left of `target`: true when `target` holds the scene instead, and no
    // pixels are to be copied. Otherwise the screen has the scene, and `target` none once copied.
    bool Copy(int x1, int y1, int width, int height, const GlTexture& target);
    // `texture` drawn from `source` onto the screen's [x1, x2) x [y1, y2) with tint `rgb`: true when
    // the held scene was drawn there in its place. False for any texture not held, which is then
    // plain, and for any other draw (the picture then made plain first).
    bool DrawPicture(const GlTexture& texture, const TexRect& source, float x1, float y1, float x2, float y2,
                     uint32_t rgb);
    void Deleted(GLuint texture);
    // The held scene drawn wherever it is still due, before the models it was made of go away.
    void Settle();

private:
    void ShowOnScreen();
    void MakePicturePlain();

    HeldScreen* screen_ = nullptr;
    SceneLayer* scene_ = nullptr;
    bool freshClear_ = false;                   // nothing drawn since the screen's colour and depth were cleared
    bool onScreen_ = false;                     // the screen still owes the held scene
    GLuint picture_ = 0;                        // the picture that holds it, of the screen's size
    GLuint scratchFbo_ = 0, scratchDepth_ = 0;  // for drawing the held scene into its picture
};
