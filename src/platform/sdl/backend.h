// State shared by the files of the real backend. One instance, alive from dxOpenWindow to
// dxCloseWindow.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/controls.h"
#include "platform/common/held_input.h"
#include "platform/common/input_pass.h"
#include "platform/gl/gl_backend.h"

// A key (by scancode) or pad button the game reads, and what the game sees of it.
struct BoundInput {
    bool pad = false;
    int code = 0;        // SDL_Scancode or SDL_GameControllerButton
    int linuxCode = -1;  // a key's Linux key code, -1 where unknown
    int padBits = 0;
    std::vector<int> keyCodes;
};

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
    std::vector<BoundInput> bound;      // HeldInput's first inputs; the stick's four follow
    bool inputStarted = false;          // `bound` read from the controls
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
// Reads the player's controls (bad lines said on stderr) unless a replay gives the input; once.
void StartInput(Backend& backend);
// The inputs behind these joypad bits and key codes are acted on when let go (see dxSetActOnRelease).
void SetActOnRelease(Backend& backend, int padBits, const std::vector<int>& keyCodes);
bool KnownControlName(const std::string& name);  // a scancode name, or "pad " and a button name
// Each key or button named once, with the meanings of every action that names it.
std::vector<BoundInput> BindControls(const Controls& controls);
// The player's controls over the defaults; `source` says which file they came from.
Controls LoadControls(std::string& source);
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
