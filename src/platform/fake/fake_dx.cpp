// The recording backend: every dx* call of dx.h, recorded, with scripted input and a virtual clock.
#include "platform/fake/fake_dx.h"

#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <memory>

#include "platform/common/controls.h"
#include "platform/common/handle_slots.h"
#include "platform/common/input_pass.h"
#include "platform/common/remainder.h"
#include "platform/common/script_recorder.h"
#include "platform/common/twister.h"
#include "platform/dx.h"

namespace {

struct FakeState {
    std::vector<fake::Call> calls;
    bool recording = true;
    bool painting = true;
    ScriptPlayer input;
    InputPass pass;
    std::unique_ptr<ScriptRecorder> recorder;
    std::string playerFolder;
    std::vector<int> queuedRand;
    Twister rand{1};  // the game's generator, so that benchmarks on this backend time the real draws
    CachedRemainder remainder;
    bool initFails = false;
    std::vector<uint32_t> canvas = std::vector<uint32_t>(fake::CANVAS_WIDTH * fake::CANVAS_HEIGHT, 0);
    HandleSlots<char> graphs, models;  // what is alive, so that released handles are recognised
    int flips = 0;
    double sizeRate = 1.0;
    std::string title;
    bool replay = false;
    bool frameStats = false;
};

FakeState& State() {
    static FakeState state;
    return state;
}

// Builds nothing unless recording, so that headless tools and benchmarks do not allocate per call.
void Record(const char* name, std::initializer_list<double> args, const char* text = "") {
    FakeState& s = State();
    if (s.recording) s.calls.push_back({name, std::vector<double>(args), text});
}

bool FileExists(const char* file) { return file && std::filesystem::is_regular_file(file); }
int Known(bool alive) { return alive ? 0 : -1; }

void FillCanvas(int x1, int y1, int x2, int y2, unsigned colour) {
    FakeState& s = State();
    if (!s.painting) return;
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, fake::CANVAS_WIDTH);
    y2 = std::min(y2, fake::CANVAS_HEIGHT);
    if (x1 >= x2) return;
    for (int y = y1; y < y2; ++y) {
        const auto row = s.canvas.begin() + y * fake::CANVAS_WIDTH;
        std::fill(row + x1, row + x2, colour & 0xFFFFFF);
    }
}

}  // namespace

namespace fake {

void Reset() { State() = FakeState{}; }

void SetInputScript(InputScript script) {
    FakeState& s = State();
    s.input = ScriptPlayer(std::move(script));
    if (s.input.StartValue("rand")) s.rand = Twister(s.input.RandSeed());
}

void SetPlayerFolder(std::string folder) { State().playerFolder = std::move(folder); }

void SetInputScriptText(std::string_view text) {
    InputScript script;
    std::string error;
    if (!ParseInputScript(text, script, error)) {
        std::fprintf(stderr, "fake input script: %s\n", error.c_str());
        std::abort();
    }
    SetInputScript(std::move(script));
}

void QueueRand(std::vector<int> values) {
    auto& queue = State().queuedRand;
    queue.insert(queue.end(), values.begin(), values.end());
}

void SetInitFails(bool fails) { State().initFails = fails; }
void SetRecording(bool on) { State().recording = on; }
void SetPainting(bool on) { State().painting = on; }
const std::vector<Call>& Calls() { return State().calls; }

std::vector<Call> CallsNamed(std::string_view name) {
    std::vector<Call> found;
    for (const Call& c : State().calls)
        if (c.name == name) found.push_back(c);
    return found;
}

void ClearCalls() { State().calls.clear(); }

uint32_t CanvasPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= CANVAS_WIDTH || y >= CANVAS_HEIGHT) return 0;
    return State().canvas[y * CANVAS_WIDTH + x];
}

bool SaveCanvasPng(const char* path, int width, int height) {
    width = std::clamp(width, 1, CANVAS_WIDTH);
    height = std::clamp(height, 1, CANVAS_HEIGHT);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
    if (!surface) return false;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < width; ++x) {
            const uint32_t c = CanvasPixel(x, y);
            row[3 * x] = static_cast<uint8_t>(c >> 16);
            row[3 * x + 1] = static_cast<uint8_t>(c >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(c);
        }
    }
    const bool saved = IMG_SavePNG(surface, path) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

int FlipCount() { return State().flips; }
uint64_t Ticks() { return State().input.Ticks(); }
double WindowSizeRate() { return State().sizeRate; }
std::string WindowTitle() { return State().title; }
bool UsesReplayScript() { return State().replay; }
bool FrameStatsEnabled() { return State().frameStats; }

}  // namespace fake

int dxChangeWindowMode(int windowed) {
    Record("dxChangeWindowMode", {double(windowed)});
    return 0;
}

int dxSetGraphMode(int width, int height, int colourBits, int refreshRate) {
    Record("dxSetGraphMode", {double(width), double(height), double(colourBits), double(refreshRate)});
    return 0;
}

int dxSetWindowSizeExtendRate(double rate) {
    Record("dxSetWindowSizeExtendRate", {rate});
    State().sizeRate = rate;
    return 0;
}

int dxSetMainWindowText(const char* text) {
    Record("dxSetMainWindowText", {}, text ? text : "");
    State().title = text ? text : "";
    return 0;
}

int dxSetWindowIconID(int id) {
    Record("dxSetWindowIconID", {double(id)});
    return 0;
}

int dxOpenWindow() {
    Record("dxOpenWindow", {});
    return State().initFails ? -1 : 0;
}

int dxCloseWindow() {
    Record("dxCloseWindow", {});
    return 0;
}

namespace {

void NextTick(FakeState& s) {
    s.input.Tick();
    if (s.recorder) s.recorder->Tick(s.input.HeldKeys() | (s.input.WindowClosed() ? uint32_t(SCRIPT_CLOSE) : 0));
}

uint32_t ReadKeys() {
    FakeState& s = State();
    if (s.pass.AtRead()) NextTick(s);
    return s.input.HeldKeys();
}

}  // namespace

int dxProcessMessage() {
    FakeState& s = State();
    if (s.pass.AtMessage()) NextTick(s);
    Record("dxProcessMessage", {});
    return s.input.WindowClosed() ? -1 : 0;
}

int dxSetDrawScreen(int screen) {
    Record("dxSetDrawScreen", {double(screen)});
    return 0;
}

int dxClearDrawScreen() {
    Record("dxClearDrawScreen", {});
    FillCanvas(0, 0, fake::CANVAS_WIDTH, fake::CANVAS_HEIGHT, 0);
    return 0;
}

int dxScreenFlip() {
    FakeState& s = State();
    Record("dxScreenFlip", {});
    ++s.flips;
    s.pass.AtFlip();
    for (const std::string& file : s.input.TakeDueShots())
        fake::SaveCanvasPng(file.c_str(), fake::CANVAS_WIDTH, fake::CANVAS_HEIGHT);
    return 0;
}

int dxSetTransColor(int red, int green, int blue) {
    Record("dxSetTransColor", {double(red), double(green), double(blue)});
    return 0;
}

GraphHandle dxLoadGraph(const char* file, [[maybe_unused]] int notUse3DFlag) {
    const GraphHandle handle{FileExists(file) ? State().graphs.Add(1) : -1};
    Record("dxLoadGraph", {double(handle.id)}, file ? file : "");
    return handle;
}

int dxLoadDivGraph(const char* file, int count, int columns, int rows, int cellWidth, int cellHeight,
                   GraphHandle* handles, [[maybe_unused]] int notUse3DFlag) {
    const bool exists = FileExists(file);
    Record("dxLoadDivGraph", {double(count), double(columns), double(rows), double(cellWidth), double(cellHeight)},
           file ? file : "");
    if (!handles || count <= 0) return -1;
    for (int i = 0; i < count; ++i) handles[i] = {exists ? State().graphs.Add(1) : -1};
    return exists ? 0 : -1;
}

GraphHandle dxMakeGraph(int width, int height, [[maybe_unused]] int notUse3DFlag) {
    const GraphHandle handle{State().graphs.Add(1)};
    Record("dxMakeGraph", {double(width), double(height), double(handle.id)});
    return handle;
}

int dxDeleteGraph(GraphHandle image) {
    Record("dxDeleteGraph", {double(image.id)});
    return Known(State().graphs.Remove(image.id));
}

int dxGetDrawScreenGraph(int x1, int y1, int x2, int y2, GraphHandle image, int useClientFlag) {
    Record("dxGetDrawScreenGraph",
           {double(x1), double(y1), double(x2), double(y2), double(image.id), double(useClientFlag)});
    return Known(State().graphs.Find(image.id));
}

int dxDrawGraph(int x, int y, GraphHandle image, int transFlag) {
    Record("dxDrawGraph", {double(x), double(y), double(image.id), double(transFlag)});
    return Known(State().graphs.Find(image.id));
}

int dxDrawRectGraph(int destX, int destY, int srcX, int srcY, int width, int height, GraphHandle image, int transFlag,
                    int turnFlag) {
    Record("dxDrawRectGraph", {double(destX), double(destY), double(srcX), double(srcY), double(width), double(height),
                               double(image.id), double(transFlag), double(turnFlag)});
    return Known(State().graphs.Find(image.id));
}

int dxDrawExtendGraph(int x1, int y1, int x2, int y2, GraphHandle image, int transFlag) {
    Record("dxDrawExtendGraph", {double(x1), double(y1), double(x2), double(y2), double(image.id), double(transFlag)});
    return Known(State().graphs.Find(image.id));
}

int dxDrawBox(int x1, int y1, int x2, int y2, unsigned colour, int fillFlag) {
    Record("dxDrawBox", {double(x1), double(y1), double(x2), double(y2), double(colour), double(fillFlag)});
    if (fillFlag) FillCanvas(x1, y1, x2, y2, colour);
    return 0;
}

int dxDrawString(int x, int y, const char* text, unsigned colour, unsigned edgeColour) {
    Record("dxDrawString", {double(x), double(y), double(colour), double(edgeColour)}, text ? text : "");
    return 0;
}

int dxDrawFormatString(int x, int y, unsigned colour, const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format ? format : "", args);
    va_end(args);
    Record("dxDrawFormatString", {double(x), double(y), double(colour)}, buffer);
    return 0;
}

int dxGetJoypadInputState(int inputType) {
    Record("dxGetJoypadInputState", {double(inputType)});
    return ScriptKeysToPad(ReadKeys());
}

int dxCheckHitKey(int keyCode) {
    Record("dxCheckHitKey", {double(keyCode)});
    return ScriptKeysHitKey(ReadKeys(), keyCode) ? 1 : 0;
}

int dxSetActOnRelease(int padBits, const std::vector<int>& keyCodes) {
    std::vector<double> args{double(padBits)};
    args.insert(args.end(), keyCodes.begin(), keyCodes.end());
    FakeState& s = State();
    if (s.recording) s.calls.push_back({"dxSetActOnRelease", args, ""});
    return 0;
}

namespace {

// The script's clock, kept by a recording as the real backend keeps the live one.
uint32_t ReadScriptClock() {
    FakeState& s = State();
    const uint32_t ms = s.input.ReadClock();
    if (s.recorder) s.recorder->ClockRead(ms);
    return ms;
}

}  // namespace

int dxGetNowCount([[maybe_unused]] int useRdtscFlag) { return static_cast<int>(ReadScriptClock()); }

uint32_t dxGetSystemTickCount() { return ReadScriptClock(); }

int dxGetRand(int maxValue) {
    FakeState& s = State();
    if (!s.queuedRand.empty()) {
        const int value = s.queuedRand.front();
        s.queuedRand.erase(s.queuedRand.begin());
        return value;
    }
    if (maxValue <= 0) return 0;
    return static_cast<int>(s.remainder(s.rand(), static_cast<uint32_t>(maxValue) + 1));
}

ModelHandle dxMV1LoadModel(const char* file) {
    const ModelHandle handle{FileExists(file) ? State().models.Add(1) : -1};
    Record("dxMV1LoadModel", {double(handle.id)}, file ? file : "");
    return handle;
}

int dxMV1DeleteModel(ModelHandle model) {
    Record("dxMV1DeleteModel", {double(model.id)});
    return Known(State().models.Remove(model.id));
}

int dxMV1SetPosition(ModelHandle model, VECTOR p) {
    Record("dxMV1SetPosition", {double(model.id), p.x, p.y, p.z});
    return Known(State().models.Find(model.id));
}

int dxMV1DrawFrame(ModelHandle model, int frame) {
    Record("dxMV1DrawFrame", {double(model.id), double(frame)});
    return Known(State().models.Find(model.id));
}

int dxSetCameraPositionAndTarget_UpVecY(VECTOR p, VECTOR t) {
    Record("dxSetCameraPositionAndTarget_UpVecY", {p.x, p.y, p.z, t.x, t.y, t.z});
    return 0;
}

int dxSetupCamera_Perspective(float fieldOfView) {
    Record("dxSetupCamera_Perspective", {fieldOfView});
    return 0;
}

int dxSetLightDirection(VECTOR d) {
    Record("dxSetLightDirection", {d.x, d.y, d.z});
    return 0;
}

int dxChangeLightTypePoint(VECTOR p, float range, float atten0, float atten1, float atten2) {
    Record("dxChangeLightTypePoint", {p.x, p.y, p.z, range, atten0, atten1, atten2});
    return 0;
}

bool dxUseReplayScript(const char* path, std::string& error) {
    InputScript script;
    if (!LoadInputScript(path, script, error)) return false;
    fake::SetInputScript(std::move(script));
    State().replay = true;
    return true;
}

bool dxRecordInputScript(const char* path, std::string& error) {
    FakeState& s = State();
    s.recorder = std::make_unique<ScriptRecorder>();
    return s.recorder->Open(path, error);
}

std::string dxStartValue(const char* name, const std::string& live) {
    FakeState& s = State();
    const std::string value = s.input.StartValue(name).value_or(live);
    if (s.recorder) s.recorder->StartValue(name, value);
    return value;
}

std::string dxPlayerFilePath(const char* name) {
    const FakeState& s = State();
    return s.replay || s.playerFolder.empty() ? "" : (std::filesystem::path(s.playerFolder) / name).string();
}

void dxEnableFrameStats() { State().frameStats = true; }

std::string dxDescribeControls() {
    return "# the recording backend reads scripts only\n" + ControlsText(DefaultControls());
}

std::string dxPreferredLanguage() { return ""; }
