// Window and library life, messages, the flip with its pacing, input, clock and replays.
#include <SDL2/SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "platform/common/data_path.h"
#include "platform/common/frame_stats.h"
#include "platform/dx.h"
#include "platform/gl/models.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/pacer.h"
#include "platform/sdl/picture_file.h"
#include "platform/sdl/x11_desktop.h"

namespace {

std::optional<FramePacer> pacer;
FrameStats frameStats;
int64_t frameStartNs = 0;
int64_t unflippedDeadlineNs = 0;

int64_t NowNs() {
    return int64_t(SDL_GetPerformanceCounter() * (1'000'000'000.0 / double(SDL_GetPerformanceFrequency())));
}

// Sleep most of the way, then spin for the last stretch: a sleep overshoots by a tenth of a
// millisecond or so, and a spin holds a core.
void WaitUntil(int64_t deadlineNs) {
    constexpr int64_t SPIN_NS = 250'000;
    const int64_t sleepNs = deadlineNs - NowNs() - SPIN_NS;
    if (sleepNs > 0) {
        const timespec pause{time_t(sleepNs / 1'000'000'000), long(sleepNs % 1'000'000'000)};
        nanosleep(&pause, nullptr);
    }
    while (NowNs() < deadlineNs) {}
}

bool Fail(const std::string& why) {
    std::fprintf(stderr, "quarnel: %s\n", why.c_str());
    return false;
}

// SDL may pick an invisible driver when no display is there; only an explicit request may use one.
bool VideoDriverIsReal() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const std::string_view name = driver ? driver : "";
    const bool invisible = name == "dummy" || name == "offscreen" || name == "evdev";
    return !invisible || std::getenv("SDL_VIDEODRIVER") != nullptr;
}

// Icon 102 is the 16 x 16 window icon; the 32 x 32 one goes beside it for desktops that want a
// larger one. A picture that fails is named and left out.
void SetIcon(SDL_Window* window, int iconId) {
    if (iconId != 102) return;
    std::vector<SDL_Surface*> icons;
    for (const char* file : {"res/icon16.png", "res/icon32.png"}) {
        SDL_Surface* icon = LoadPictureFile(ResolveGameFile(file).c_str());
        if (icon) {
            SDL_SetColorKey(icon, SDL_TRUE, SDL_MapRGB(icon->format, 0, 255, 0));
            icons.push_back(icon);
        } else {
            ReportGameFileFailure(std::string("cannot load the window icon ") + file + ": " + IMG_GetError());
        }
    }
    if (icons.empty()) return;
    SDL_SetWindowIcon(window, icons.front());
    SetIconSizes(window, icons);
    for (SDL_Surface* icon : icons) SDL_FreeSurface(icon);
}

// The window's size: the picture scaled by the size rate of the settings file.
SDL_Point WindowedSize(const Backend& b) {
    return {std::max(1, int(SCREEN_WIDTH * b.sizeRate + 0.5)), std::max(1, int(SCREEN_HEIGHT * b.sizeRate + 0.5))};
}

bool OpenWindow(Backend& b) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    const SDL_Point size = WindowedSize(b);
    b.window = SDL_CreateWindow(b.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.x, size.y,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_HIDDEN);
    if (!b.window) return Fail(std::string("cannot open a window: ") + SDL_GetError());
    b.context = SDL_GL_CreateContext(b.window);
    if (!b.context) return Fail(std::string("cannot get an OpenGL 3.3 context: ") + SDL_GetError());
    if (epoxy_gl_version() < 33) return Fail("OpenGL 3.3 is not available");
    return true;
}

void StartPacing(Backend& b) {
    const bool vsync = !b.replay && SDL_GL_SetSwapInterval(1) == 0;
    if (!vsync) SDL_GL_SetSwapInterval(0);
    pacer.emplace(vsync);
}

// Alt+Enter switches between the window and desktop fullscreen; leaving restores the window size.
void ToggleFullscreen(Backend& b) {
    const bool full = !b.fullscreen;
    if (SDL_SetWindowFullscreen(b.window, full ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "quarnel: cannot switch fullscreen: %s\n", SDL_GetError());
        return;
    }
    b.fullscreen = full;
    if (!full) {
        const SDL_Point size = WindowedSize(b);
        SDL_SetWindowSize(b.window, size.x, size.y);
    }
}

// The window system lost what the window showed (uncovered, resized): it gets the last picture again.
void Repaint(Backend& b) {
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(b.window, &width, &height);
    if (b.renderer.PresentAgain(width, height)) SDL_GL_SwapWindow(b.window);
}

void HandleWindowEvent(Backend& b, const SDL_WindowEvent& window) {
    switch (window.event) {
        case SDL_WINDOWEVENT_EXPOSED: Repaint(b); return;
        case SDL_WINDOWEVENT_FOCUS_LOST: b.input.FocusLost(); return;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            b.input.FocusGained();
            LetGoKeysReleasedElsewhere(b);
            return;
        case SDL_WINDOWEVENT_CLOSE: b.closed = true; break;
        default: break;
    }
    b.input.OtherEvent();
}

void HandleEvent(Backend& b, const SDL_Event& event) {
    if (event.type == SDL_QUIT) b.closed = true;
    if (event.type == SDL_KEYDOWN && !event.key.repeat && IsAltEnter(event.key)) ToggleFullscreen(b);
    if (event.type == SDL_WINDOWEVENT) {
        HandleWindowEvent(b, event.window);
    } else {
        HandleInputEvent(b, event);
    }
}

void SaveShot(Backend& b, const std::string& file) {
    std::vector<uint8_t> rgb = b.renderer.ReadScreen();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(rgb.data(), SCREEN_WIDTH, SCREEN_HEIGHT, 24,
                                                              SCREEN_WIDTH * 3, SDL_PIXELFORMAT_RGB24);
    if (!surface || IMG_SavePNG(surface, file.c_str()) != 0)
        std::fprintf(stderr, "quarnel: cannot save %s: %s\n", file.c_str(), SDL_GetError());
    SDL_FreeSurface(surface);
}

// Play frames only: those that drew the 3-D scene.
void RecordFrame(Backend& b) {
    const int draws = b.renderer.TakeDrawCalls();
    if (b.frameStats && b.sceneDrawn) {
        glFinish();
        frameStats.Add(frameStartNs, double(NowNs() - frameStartNs) / 1e6, draws);
    }
    b.sceneDrawn = false;
}

// What the game sees in this tick, as a recording keeps it.
uint32_t SeenKeys(const Backend& b) {
    const uint32_t keys = ScriptKeysOf(ReadPad(b), [&](int keyCode) { return KeyHeld(b, keyCode); });
    return keys | (b.closed ? uint32_t(SCRIPT_CLOSE) : 0);
}

// A loop that polls without flipping (the result screen's waits) must not hold a core: it keeps
// the pace of the flipping loops, 60 ticks a second on a steady grid, which also keeps a recording's
// clock readings on the replay clock's pace, in few lines.
void WaitUnflipped() {
    const int64_t now = NowNs();
    const bool behind = now - unflippedDeadlineNs > FramePacer::FRAME_NS;
    unflippedDeadlineNs = (behind ? now : unflippedDeadlineNs) + FramePacer::FRAME_NS;
    WaitUntil(unflippedDeadlineNs);
}

// The window's events so far, and the input of the pass they begin (see InputPass).
void NextSnapshot(Backend& b) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) HandleEvent(b, event);
    b.input.Tick();
    TickScript(b, b.closed, [&] { return SeenKeys(b); });
}

void ReadInput(Backend& b) {
    if (b.window && b.pass.AtRead()) NextSnapshot(b);
}

void Pace(bool swapped) {
    const int64_t waitUntil = swapped ? pacer->AfterSwap(NowNs()) : pacer->AfterSkip(NowNs());
    if (!pacer->WantsVsync()) SDL_GL_SetSwapInterval(0);
    WaitUntil(waitUntil);
}

}  // namespace

Backend& TheBackend() {
    static Backend backend;
    return backend;
}

GlBackend& TheGl() { return TheBackend(); }

// Always a window of the screen's size scaled by the size rate, at 60 frames a second.
int dxChangeWindowMode([[maybe_unused]] int windowed) { return 0; }
int dxSetGraphMode([[maybe_unused]] int width, [[maybe_unused]] int height, [[maybe_unused]] int colourBits,
                   [[maybe_unused]] int refreshRate) {
    return 0;
}

int dxSetWindowSizeExtendRate(double rate) {
    if (rate > 0) TheBackend().sizeRate = rate;
    return 0;
}

int dxSetMainWindowText(const char* text) {
    TheBackend().title = text ? text : "";
    return 0;
}

int dxSetWindowIconID(int id) {
    TheBackend().iconId = id;
    return 0;
}

namespace {

// Without any display named, SDL's probing only adds its drivers' noise to our one message.
bool DisplayNamed() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return Fail("no display: neither DISPLAY nor WAYLAND_DISPLAY is set");
}

// An X display alone: try nothing else, so that a failure gives one clear message.
void PreferNamedDisplay() {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!std::getenv("SDL_VIDEODRIVER") && !(wayland && *wayland)) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
}

}  // namespace

int dxOpenWindow() {
    Backend& b = TheBackend();
    if (!DisplayNamed()) return -1;
    PreferNamedDisplay();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        Fail(std::string("cannot open a window (no display?): ") + SDL_GetError());
        return -1;
    }
    std::string error;
    const char* display = std::getenv("DISPLAY");
    bool ok = VideoDriverIsReal() ||
              Fail(display && *display ? std::string("cannot connect to the display ") + display
                                       : std::string("no display: SDL offers only an invisible video driver"));
    ok = ok && OpenWindow(b);
    ok = ok && (b.renderer.Init(error) || Fail(error));
    ok = ok && (StartText(error) || Fail(error));
    ok = ok && (StartModels(error) || Fail(error));
    if (!ok) {
        if (b.context) SDL_GL_DeleteContext(b.context);
        if (b.window) SDL_DestroyWindow(b.window);
        b.context = nullptr;
        b.window = nullptr;
        SDL_Quit();
        return -1;
    }
    b.drawing = true;
    SetIcon(b.window, b.iconId);
    SDL_ShowWindow(b.window);  // shown with its icons, so that the desktop never sees it without
    StartInput(b);
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) UpdatePad(b);
    StartPacing(b);
    return 0;
}

int dxCloseWindow() {
    Backend& b = TheBackend();
    if (!b.window) return -1;
    if (b.frameStats) {
        std::printf("%s\n", frameStats.Summary().c_str());
        std::fflush(stdout);
    }
    StopText();
    ReleaseGraphs();
    StopModels();
    b.renderer.Shutdown();
    if (b.pad) SDL_GameControllerClose(b.pad);
    SDL_GL_DeleteContext(b.context);
    SDL_DestroyWindow(b.window);
    b.pad = nullptr;
    b.drawing = false;
    b.fullscreen = false;
    b.context = nullptr;
    b.window = nullptr;
    SDL_Quit();
    return 0;
}

int dxProcessMessage() {
    Backend& b = TheBackend();
    if (!b.window) return -1;
    if (b.pass.Polling() && !b.replay) WaitUnflipped();
    if (b.pass.AtMessage()) NextSnapshot(b);
    return b.closed ? -1 : 0;
}

int dxScreenFlip() {
    Backend& b = TheBackend();
    if (!b.window) return -1;
    if (b.replay)
        for (const std::string& file : b.replay->TakeDueShots()) SaveShot(b, file);
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(b.window, &width, &height);
    const bool shown = b.renderer.Present(width, height, !pacer || pacer->MaySkip());
    if (shown) SDL_GL_SwapWindow(b.window);
    RecordFrame(b);
    EndTextFrame();
    if (!b.replay) Pace(shown);
    b.renderer.BindScreen();
    frameStartNs = NowNs();
    b.pass.AtFlip();
    return 0;
}

int dxGetJoypadInputState([[maybe_unused]] int inputType) {
    Backend& b = TheBackend();
    ReadInput(b);
    return PadSeen(b, ReadPad(b));
}

int dxCheckHitKey(int keyCode) {
    Backend& b = TheBackend();
    ReadInput(b);
    return KeySeen(b, keyCode, KeyHeld(b, keyCode)) ? 1 : 0;
}

int dxGetNowCount([[maybe_unused]] int useRdtscFlag) {
    return int(ClockSeen(TheBackend(), uint32_t(SDL_GetTicks64() & 0x7FFFFFFF)));
}

uint32_t dxGetSystemTickCount() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return ClockSeen(TheBackend(), uint32_t(uint64_t(now.tv_sec) * 1000 + uint64_t(now.tv_nsec) / 1'000'000));
}
