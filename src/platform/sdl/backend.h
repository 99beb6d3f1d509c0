// State shared by the files of the real backend. One instance, alive from dxOpenWindow to
// dxCloseWindow.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/held_input.h"
#include "platform/common/input_pass.h"
#include "platform/gl/gl_backend.h"

struct Backend : GlBackend {
    // Set before start.
    std::string title = "QUARNEL";
    double sizeRate = 1.0;
    int iconId = 0;

    // Alive while started.
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    SDL_GameController* pad = nullptr;  // the game controller read, see ChoosePad
    HeldInput input;                    // what the game reads of the keys and the pad
    Sint16 stickX = 0, stickY = 0;      // the pad's left stick
    unsigned stickDirections = 0;       // and the directions it is pushed past the dead zone
    bool fullscreen = false;
    bool closed = false;
    InputPass pass;  // when the input below moves on
};

Backend& TheBackend();

// Pieces each file provides to the others.
bool StartText(std::string& error);
void StopText();
void EndTextFrame();  // at every flip: drops strings no longer drawn
// The inputs behind these joypad bits and key codes are acted on when let go (see dxSetActOnRelease).
void SetActOnRelease(Backend& backend, int padBits, const std::vector<int>& keyCodes);
// Alt with Return or keypad Enter: the fullscreen switch, never a Return for the game.
bool IsAltEnter(const SDL_KeyboardEvent& key);
// Key and pad events, and pads plugged in or pulled out; the view changes at the next Tick.
void HandleInputEvent(Backend& backend, const SDL_Event& event);
// At a focus gain: asks the window system which keys held through the focus change were let go.
void LetGoKeysReleasedElsewhere(Backend& backend);
// Re-chooses the game controller (see ChoosePad) after one was plugged in or pulled out; removedId
// is the one being pulled out, which may still be listed while its removal is reported. One that
// fails to open is tried again at the next change.
void UpdatePad(Backend& backend, int removedId = -1);
int ReadPad(const Backend& backend);  // joypad bits in the view
bool KeyHeld(const Backend& backend, int keyCode);
