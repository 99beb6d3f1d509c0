// What a run starts from and keeps, the same for both real backends: replays and recordings, the
// start values they carry, the decorations' random numbers, the player's files.
#include <random>

#include "platform/common/data_path.h"
#include "platform/common/remainder.h"
#include "platform/common/twister.h"
#include "platform/dx.h"
#include "platform/gl/gl_backend.h"

int dxGetRand(int maxValue) {
    // Replays draw the decorations of their script's seed; play draws new ones each run.
    static Twister generator{TheGl().randSeed ? *TheGl().randSeed : std::random_device{}()};
    static CachedRemainder remainder;
    if (maxValue <= 0) return 0;
    return int(remainder(generator(), uint32_t(maxValue) + 1));
}

void dxEnableFrameStats() { TheGl().frameStats = true; }

bool dxUseReplayScript(const char* path, std::string& error) {
    InputScript script;
    if (!LoadInputScript(path, script, error)) return false;
    GlBackend& b = TheGl();
    b.replay.emplace(std::move(script));
    b.randSeed = b.replay->RandSeed();
    return true;
}

bool dxRecordInputScript(const char* path, std::string& error) {
    GlBackend& b = TheGl();
    if (!b.recorder.emplace().Open(path, error)) return false;
    b.randSeed = std::random_device{}();
    b.recorder->StartValue("rand", std::to_string(*b.randSeed));
    return true;
}

std::string dxStartValue(const char* name, const std::string& live) {
    GlBackend& b = TheGl();
    if (b.replay) return b.replay->StartValue(name).value_or(live);
    if (b.recorder) b.recorder->StartValue(name, live);
    return live;
}

std::string dxPlayerFilePath(const char* name) { return TheGl().replay ? "" : PlayerFilePath(name); }

int PadSeen(const GlBackend& gl, int live) { return gl.replay ? ScriptKeysToPad(gl.replay->HeldKeys()) : live; }

bool KeySeen(const GlBackend& gl, int keyCode, bool live) {
    return gl.replay ? ScriptKeysHitKey(gl.replay->HeldKeys(), keyCode) : live;
}

uint32_t ClockSeen(GlBackend& gl, uint32_t liveMs) {
    if (gl.replay) return gl.replay->ReadClock();
    if (gl.recorder) gl.recorder->ClockRead(liveMs);
    return liveMs;
}

void TickScript(GlBackend& gl, bool& closed, const std::function<uint32_t()>& seenKeys) {
    if (gl.replay) {
        gl.replay->Tick();
        if (gl.replay->WindowClosed()) closed = true;
    }
    if (gl.recorder) gl.recorder->Tick(seenKeys());
}
