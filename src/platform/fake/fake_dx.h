// Controls and observations of the recording backend that tests and headless tools link instead of
// the real one. Every dx* call is recorded with its arguments; input comes from an input script
// ticked by dxProcessMessage; the clock is the script's virtual clock; boxes are painted on a
// software canvas so that pictures can be checked or saved.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/common/input_script.h"

namespace fake {

struct Call {
    std::string name;          // "dxDrawBox", ...
    std::vector<double> args;  // numeric arguments in order
    std::string text;          // the string argument, formatted for dxDrawFormatString
};

inline constexpr int CANVAS_WIDTH = 800;
inline constexpr int CANVAS_HEIGHT = 400;

// Back to a fresh process: no calls, no input, clock at 0, black canvas, no handles.
void Reset();

// Input for the coming ticks. Replaces any script set before.
void SetInputScript(InputScript script);
void SetInputScriptText(std::string_view text);  // aborts the test run on a malformed script

// The folder dxPlayerFilePath names files in; none (and so no player's files) until set.
void SetPlayerFolder(std::string folder);

// Values dxGetRand returns next, before its own deterministic generator takes over again.
void QueueRand(std::vector<int> values);

// Make dxOpenWindow fail, as without a display.
void SetInitFails(bool fails);

// Recording can be switched off for long runs; the canvas is painted either way.
void SetRecording(bool on);
// Painting the canvas can be switched off too, where only the game's own work is timed.
void SetPainting(bool on);
const std::vector<Call>& Calls();
std::vector<Call> CallsNamed(std::string_view name);
void ClearCalls();

uint32_t CanvasPixel(int x, int y);  // 0x00RRGGBB
// Writes the top-left width x height of the canvas as a PNG file.
bool SaveCanvasPng(const char* path, int width, int height);

int FlipCount();
uint64_t Ticks();
double WindowSizeRate();  // 1 unless the game set another
std::string WindowTitle();
bool UsesReplayScript();
bool FrameStatsEnabled();

}  // namespace fake
