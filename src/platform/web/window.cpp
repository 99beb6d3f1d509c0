// The page's canvas and the game's life in it: WebGL 2 context, messages, the flip paced by the
// browser's animation frames, input reads, clock and replays. The game's loops block; each flip
// (and each message poll between flips) returns to the browser through Asyncify and goes on at the
// next frame, so the page stays live and a hidden tab costs nothing.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "platform/common/frame_stats.h"
#include "platform/dx.h"
#include "platform/gl/models.h"
#include "platform/web/backend.h"

namespace {

FrameStats frameStats;
double frameStartMs = 0;

// clang-format off
// Returns to the browser. Live play comes back at the next animation frame that keeps a 60 Hz pace
// on any display; a replay, unpaced, only yields every few milliseconds so that the page can draw.
EM_JS(void, WaitForFrame, (int paced), {
    if (!Module.quarnelFrames) Module.quarnelFirstFrameMs = performance.now();
    Module.quarnelFrames = (Module.quarnelFrames || 0) + 1;
    Asyncify.handleSleep(function(wakeUp) {
        if (!paced) {
            if (performance.now() - (Module.quarnelYieldedAt || 0) < 25) return wakeUp();
            const channel = new MessageChannel();
            channel.port1.onmessage = function() {
                Module.quarnelYieldedAt = performance.now();
                if (Module.quarnelAfterFrame) Module.quarnelAfterFrame();
                wakeUp();
            };
            channel.port2.postMessage(0);
            return;
        }
        const period = 1000 / 60;
        const step = function(now) {
            const due = Module.quarnelFrameDue;
            if (due != undefined && now < due - 2) return requestAnimationFrame(step);
            Module.quarnelFrameDue = due == undefined || now - due > period ? now + period : due + period;
            if (Module.quarnelAfterFrame) Module.quarnelAfterFrame();
            wakeUp();
        };
        requestAnimationFrame(step);
    });
});

// A picture the replay asked for, handed to the page (the browser has no folder to save it in).
EM_JS(void, HandOverShot, (const char* name, const unsigned char* png, int length), {
    Module.quarnelShots = Module.quarnelShots || {};
    Module.quarnelShots[UTF8ToString(name)] = HEAPU8.slice(png, png + length);
});

EM_JS(void, SetPictureScale, (double rate), {
    if (Module.quarnelSetRate) Module.quarnelSetRate(rate);
});
// clang-format on

void SaveShot(Backend& b, const std::string& file) {
    std::vector<uint8_t> rgb = b.renderer.ReadScreen();
    int length = 0;
    unsigned char* png = stbi_write_png_to_mem(rgb.data(), SCREEN_WIDTH * 3, SCREEN_WIDTH, SCREEN_HEIGHT, 3, &length);
    if (!png) return;
    HandOverShot(file.c_str(), png, length);
    STBIW_FREE(png);
}

// Play frames only: those that drew the 3-D scene.
void RecordFrame(Backend& b) {
    const int draws = b.renderer.TakeDrawCalls();
    if (b.frameStats && b.sceneDrawn) {
        // WebGL's finish returns at once; reading a pixel waits for the GPU to be done.
        uint8_t pixel[4];
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        const double now = emscripten_get_now();
        frameStats.Add(int64_t(frameStartMs * 1e6), now - frameStartMs, draws);
    }
    b.sceneDrawn = false;
}

uint32_t SeenKeys(const Backend& b) {
    const uint32_t keys = ScriptKeysOf(ReadPad(b), [&](int keyCode) { return KeyHeld(b, keyCode); });
    return keys | (b.closed ? uint32_t(SCRIPT_CLOSE) : 0);
}

// The page's events so far, and the input of the pass they begin (see InputPass).
void NextSnapshot(Backend& b) {
    PollPad(b);
    b.input.Tick();
    TickScript(b, b.closed, [&] { return SeenKeys(b); });
}

void ReadInput(Backend& b) {
    if (b.drawing && b.pass.AtRead()) NextSnapshot(b);
}

bool OpenCanvas(Backend& b) {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.alpha = false;
    attributes.depth = false;  // the game draws into its own framebuffer
    attributes.antialias = false;
    attributes.premultipliedAlpha = false;
    // The canvas keeps its picture between frames: a frame that repeats the last one draws nothing,
    // and the page may read the canvas at any time.
    attributes.preserveDrawingBuffer = true;
    b.context = emscripten_webgl_create_context("#canvas", &attributes);
    if (b.context <= 0) {
        std::fprintf(stderr, "quarnel: this browser offers no WebGL 2\n");
        return false;
    }
    emscripten_webgl_make_context_current(b.context);
    return true;
}

}  // namespace

Backend& TheBackend() {
    static Backend backend;
    return backend;
}

GlBackend& TheGl() { return TheBackend(); }

// The page is always the screen's size scaled by the size rate, at 60 frames a second.
int dxChangeWindowMode(int) { return 0; }
int dxSetGraphMode(int, int, int, int) { return 0; }

int dxSetWindowSizeExtendRate(double rate) {
    if (rate > 0) TheBackend().sizeRate = rate;
    return 0;
}

int dxSetMainWindowText(const char* text) {
    emscripten_set_window_title(text ? text : "");
    return 0;
}

int dxSetWindowIconID(int) { return 0; }  // the page's icon is its link to res/icon32.png

int dxOpenWindow() {
    Backend& b = TheBackend();
    std::string error;
    if (!OpenCanvas(b)) return -1;
    if (!b.renderer.Init(error) || !StartText(error) || !StartModels(error)) {
        std::fprintf(stderr, "quarnel: %s\n", error.c_str());
        emscripten_webgl_destroy_context(b.context);
        b.context = 0;
        return -1;
    }
    b.drawing = true;
    SetPictureScale(b.sizeRate);
    StartInput(b);
    frameStartMs = emscripten_get_now();
    return 0;
}

int dxCloseWindow() {
    Backend& b = TheBackend();
    if (!b.drawing) return -1;
    if (b.frameStats) {
        std::printf("%s\n", frameStats.Summary().c_str());
        std::fflush(stdout);
    }
    if (b.recorder) b.recorder->Close();
    StopText();
    ReleaseGraphs();
    StopModels();
    b.renderer.Shutdown();
    emscripten_webgl_destroy_context(b.context);
    b.context = 0;
    b.drawing = false;
    return 0;
}

int dxProcessMessage() {
    Backend& b = TheBackend();
    if (!b.drawing) return -1;
    if (b.pass.Polling()) WaitForFrame(!b.replay);
    if (b.pass.AtMessage()) NextSnapshot(b);
    return b.closed ? -1 : 0;
}

int dxScreenFlip() {
    Backend& b = TheBackend();
    if (!b.drawing) return -1;
    if (b.replay)
        for (const std::string& file : b.replay->TakeDueShots()) SaveShot(b, file);
    int width = 0, height = 0;
    emscripten_webgl_get_drawing_buffer_size(b.context, &width, &height);
    b.renderer.Present(width, height);
    RecordFrame(b);
    WaitForFrame(!b.replay);
    b.renderer.BindScreen();
    frameStartMs = emscripten_get_now();
    b.pass.AtFlip();
    return 0;
}

int dxGetJoypadInputState(int) {
    Backend& b = TheBackend();
    ReadInput(b);
    return PadSeen(b, ReadPad(b));
}

int dxCheckHitKey(int keyCode) {
    Backend& b = TheBackend();
    ReadInput(b);
    return KeySeen(b, keyCode, KeyHeld(b, keyCode)) ? 1 : 0;
}

int dxGetNowCount(int) { return int(ClockSeen(TheBackend(), uint32_t(uint64_t(emscripten_get_now()) & 0x7FFFFFFF))); }

uint32_t dxGetSystemTickCount() { return ClockSeen(TheBackend(), uint32_t(uint64_t(emscripten_date_now()))); }
