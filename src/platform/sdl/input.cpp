// Keyboard and first gamepad, merged into the game's joypad bits and key codes. Their events feed
// the backend's HeldInput, whose view, taken once a tick, is all the game reads.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/common/pad_choice.h"
#include "platform/dx.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/x11_desktop.h"

namespace {

constexpr Sint16 STICK_DEAD_ZONE = 12000;

constexpr int STICK_BITS[] = {PAD_INPUT_UP, PAD_INPUT_DOWN, PAD_INPUT_LEFT, PAD_INPUT_RIGHT};
constexpr int STICK_COUNT = int(std::size(STICK_BITS));
constexpr int MAX_BOUND = HeldInput::MAX_INPUTS - STICK_COUNT;

int FirstStick(const Backend& b) { return int(b.bound.size()); }
int InputCount(const Backend& b) { return FirstStick(b) + STICK_COUNT; }

int PadBitOf(const Backend& b, int input) {
    return input < FirstStick(b) ? b.bound[input].padBits : STICK_BITS[input - FirstStick(b)];
}

bool HasKeyCode(const Backend& b, int input, int keyCode) {
    if (input >= FirstStick(b)) return false;
    const std::vector<int>& codes = b.bound[input].keyCodes;
    return std::find(codes.begin(), codes.end(), keyCode) != codes.end();
}

int BoundInputOf(const Backend& b, bool pad, int code) {
    for (int i = 0; i < FirstStick(b); ++i)
        if (b.bound[i].pad == pad && b.bound[i].code == code) return i;
    return -1;
}

int PadInstance(const Backend& b) { return b.pad ? SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(b.pad)) : -1; }

// The stick's four directions as bits of STICK_BITS' order, past the dead zone.
unsigned StickDirections(Sint16 x, Sint16 y) {
    return (y < -STICK_DEAD_ZONE ? 1u : 0u) | (y > STICK_DEAD_ZONE ? 2u : 0u) | (x < -STICK_DEAD_ZONE ? 4u : 0u) |
           (x > STICK_DEAD_ZONE ? 8u : 0u);
}

void MoveStick(Backend& b, const SDL_ControllerAxisEvent& axis) {
    if (axis.axis == SDL_CONTROLLER_AXIS_LEFTX) b.stickX = axis.value;
    if (axis.axis == SDL_CONTROLLER_AXIS_LEFTY) b.stickY = axis.value;
    const unsigned now = StickDirections(b.stickX, b.stickY);
    for (int i = 0; i < int(std::size(STICK_BITS)); ++i) {
        const unsigned bit = 1u << i;
        if ((now & bit) && !(b.stickDirections & bit)) b.input.Press(FirstStick(b) + i);
        if (!(now & bit) && (b.stickDirections & bit)) b.input.Release(FirstStick(b) + i);
    }
    b.stickDirections = now;
}

// A Return that came with Alt stays no Return for the game, even when Alt is let go first.
void KeyDown(Backend& b, const SDL_KeyboardEvent& key) {
    b.input.Press(key.repeat || IsAltEnter(key) ? -1 : BoundInputOf(b, false, key.keysym.scancode));
}

void PadButton(Backend& b, const SDL_ControllerButtonEvent& button) {
    const int input = button.which == PadInstance(b) ? BoundInputOf(b, true, button.button) : -1;
    if (button.state == SDL_PRESSED) {
        b.input.Press(input);
    } else {
        b.input.Release(input);
    }
}

// Pad inputs held when the pad changes count as held through a focus change.
void LosePadInputs(Backend& b) {
    for (int input = 0; input < InputCount(b); ++input)
        if (input >= FirstStick(b) || b.bound[input].pad) b.input.SourceLost(input);
    b.stickX = b.stickY = 0;
    b.stickDirections = 0;
}

}  // namespace

bool IsAltEnter(const SDL_KeyboardEvent& key) {
    const SDL_Scancode code = key.keysym.scancode;
    return (code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER) && (key.keysym.mod & KMOD_ALT);
}

void StartInput(Backend& b) {
    if (b.inputStarted) return;
    b.inputStarted = true;
    std::string source;
    b.bound = BindControls(b.replay ? DefaultControls() : LoadControls(source));
    if (int(b.bound.size()) > MAX_BOUND) {
        std::fprintf(stderr, "quarnel: only the first %d keys and buttons of the controls are read\n", MAX_BOUND);
        b.bound.resize(MAX_BOUND);
    }
}

void SetActOnRelease(Backend& b, int padBits, const std::vector<int>& keyCodes) {
    StartInput(b);
    for (int input = 0; input < InputCount(b); ++input) {
        bool acts = PadBitOf(b, input) & padBits;
        for (int keyCode : keyCodes) acts = acts || HasKeyCode(b, input, keyCode);
        if (acts) b.input.ActsOnRelease(input);
    }
}

int dxSetActOnRelease(int padBits, const std::vector<int>& keyCodes) {
    SetActOnRelease(TheBackend(), padBits, keyCodes);
    return 0;
}

void HandleInputEvent(Backend& b, const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN: KeyDown(b, event.key); break;
        case SDL_KEYUP: b.input.Release(BoundInputOf(b, false, event.key.keysym.scancode)); break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: PadButton(b, event.cbutton); break;
        case SDL_CONTROLLERAXISMOTION:
            if (event.caxis.which == PadInstance(b)) MoveStick(b, event.caxis);
            b.input.OtherEvent();
            break;
        case SDL_CONTROLLERDEVICEADDED: UpdatePad(b); break;
        case SDL_CONTROLLERDEVICEREMOVED: UpdatePad(b, event.cdevice.which); break;
        default: b.input.OtherEvent(); break;
    }
}

// Keys held through a focus change and let go in another window read as never pressed from now;
// where the window system cannot tell, every such key does.
void LetGoKeysReleasedElsewhere(Backend& b) {
    std::vector<int> held;
    for (const BoundInput& input : b.bound) held.push_back(input.pad ? -1 : input.linuxCode);
    const std::vector<bool> down = KeysDownNow(b.window, held);
    for (int i = 0; i < FirstStick(b); ++i)
        if (!b.bound[i].pad && (down.empty() || !down[i] || held[i] < 0)) b.input.LetGoElsewhere(i);
}

void UpdatePad(Backend& b, int removedId) {
    std::vector<PluggedDevice> plugged;
    std::vector<int> deviceIndex;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (id < 0 || id == removedId) continue;
        plugged.push_back({id, SDL_IsGameController(i) == SDL_TRUE});
        deviceIndex.push_back(i);
    }
    const int current = PadInstance(b);
    const int chosen = ChoosePad(current, plugged);
    if (chosen >= 0 && plugged[chosen].instanceId == current) return;
    if (b.pad) SDL_GameControllerClose(b.pad);
    LosePadInputs(b);
    b.pad = chosen >= 0 ? SDL_GameControllerOpen(deviceIndex[chosen]) : nullptr;
}

int ReadPad(const Backend& b) {
    int bits = 0;
    for (int input = 0; input < InputCount(b); ++input)
        if (b.input.Held(input)) bits |= PadBitOf(b, input);
    return bits;
}

bool KeyHeld(const Backend& b, int keyCode) {
    for (int input = 0; input < FirstStick(b); ++input)
        if (keyCode != 0 && HasKeyCode(b, input, keyCode) && b.input.Held(input)) return true;
    return false;
}
