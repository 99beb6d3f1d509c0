// What the two real backends (sdl/ and web/) share: the renderer and the pictures drawn with it,
// and the run's replay or recording. Each backend derives its state from GlBackend and hands it out
// through TheGl(); the shared calls (graphs.cpp, models.cpp, session.cpp) work on it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/handle_slots.h"
#include "platform/common/input_script.h"
#include "platform/common/script_recorder.h"
#include "platform/gl/gl_renderer.h"
#include "platform/gl/picture.h"

// One drawable picture: a rectangle of a texture (a divided image shares one texture).
struct Graph {
    int texture = -1;  // index into GlBackend::textures
    int x = 0, y = 0, width = 0, height = 0;
};

struct GlBackend {
    bool drawing = false;  // the window and its renderer are up, from dxOpenWindow to dxCloseWindow
    GlRenderer renderer;
    std::vector<GlTexture> textures;
    std::vector<int> textureUsers;  // graphs still using each texture
    HandleSlots<Graph> graphs;
    uint32_t transColour = 0x00FF00;
    bool hasTransColour = false;
    bool sceneDrawn = false;  // the frame under way has drawn models

    // Set before start (session.cpp).
    std::optional<ScriptPlayer> replay;
    std::optional<ScriptRecorder> recorder;
    std::optional<uint32_t> randSeed;  // dxGetRand's, when a replay or a recording fixes it
    bool frameStats = false;
};

GlBackend& TheGl();

// What the game sees of the pad, a key and a clock: the replay's, else the live reading (a clock
// reading kept by a recording). Defined in session.cpp.
int PadSeen(const GlBackend& gl, int live);
bool KeySeen(const GlBackend& gl, int keyCode, bool live);
uint32_t ClockSeen(GlBackend& gl, uint32_t liveMs);
// The replay or the recording moves on with the pass the backend's input has just begun: a replay
// may close the window (`closed`), a recording keeps what the game sees now, `seenKeys()`.
void TickScript(GlBackend& gl, bool& closed, const std::function<uint32_t()>& seenKeys);

void ReleaseGraphs();
