// State shared by the files of the web backend (Emscripten, html5.h, WebGL 2). One instance, alive
// from dxOpenWindow to dxCloseWindow.
#pragma once

#include <emscripten/html5.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/common/held_input.h"
#include "platform/common/input_pass.h"
#include "platform/gl/gl_backend.h"

struct Backend : GlBackend {
    // Set before start.
    double sizeRate = 1.0;

    // Alive while started.
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
    HeldInput input;  // what the game reads of the keys and the pad
    int pad = -1;     // the Gamepad API's index of the pad read, see ChoosePad
    bool closed = false;
    InputPass pass;  // when the input below moves on
};

Backend& TheBackend();

// Pieces each file provides to the others.
bool StartText(std::string& error);
void StopText();
void StartInput(Backend& backend);  // listens to the page's keys and focus
// Samples the pad's buttons and stick into the input, once a tick (the browser has no pad events).
void PollPad(Backend& backend);
int ReadPad(const Backend& backend);  // joypad bits in the view
bool KeyHeld(const Backend& backend, int keyCode);
