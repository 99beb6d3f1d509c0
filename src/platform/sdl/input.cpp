// Keyboard and first gamepad, merged into the game's joypad bits and key codes. Their events feed
// the backend's HeldInput, whose view, taken once a tick, is all the game reads.
#include <linux/input-event-codes.h>

#include <algorithm>
#include <vector>

#include "platform/common/pad_choice.h"
#include "platform/dx.h"
#include "platform/sdl/backend.h"
#include "platform/sdl/x11_desktop.h"

namespace {

constexpr Sint16 STICK_DEAD_ZONE = 12000;

// A key the game reads: what it stands for (a joypad bit or a key code), and its Linux key code,
// which is how the X server numbers it too (plus 8).
struct KeyInput {
    SDL_Scancode scancode;
    int linuxCode;
    int padBit;
    int keyCode;
};

constexpr KeyInput KEYS[] = {
    {SDL_SCANCODE_UP, KEY_UP, PAD_INPUT_UP, 0},
    {SDL_SCANCODE_KP_8, KEY_KP8, PAD_INPUT_UP, 0},
    {SDL_SCANCODE_W, KEY_W, PAD_INPUT_UP, 0},
    {SDL_SCANCODE_DOWN, KEY_DOWN, PAD_INPUT_DOWN, 0},
    {SDL_SCANCODE_KP_2, KEY_KP2, PAD_INPUT_DOWN, 0},
    {SDL_SCANCODE_S, KEY_S, PAD_INPUT_DOWN, 0},
    {SDL_SCANCODE_LEFT, KEY_LEFT, PAD_INPUT_LEFT, 0},
    {SDL_SCANCODE_KP_4, KEY_KP4, PAD_INPUT_LEFT, 0},
    {SDL_SCANCODE_A, KEY_A, PAD_INPUT_LEFT, 0},
    {SDL_SCANCODE_RIGHT, KEY_RIGHT, PAD_INPUT_RIGHT, 0},
    {SDL_SCANCODE_KP_6, KEY_KP6, PAD_INPUT_RIGHT, 0},
    {SDL_SCANCODE_D, KEY_D, PAD_INPUT_RIGHT, 0},
    {SDL_SCANCODE_Z, KEY_Z, PAD_INPUT_1, 0},
    {SDL_SCANCODE_SPACE, KEY_SPACE, PAD_INPUT_1, 0},
    {SDL_SCANCODE_ESCAPE, KEY_ESC, 0, KEY_INPUT_ESCAPE},
    {SDL_SCANCODE_E, KEY_E, 0, KEY_INPUT_E},
    {SDL_SCANCODE_R, KEY_R, 0, KEY_INPUT_R},
    {SDL_SCANCODE_RETURN, KEY_ENTER, 0, KEY_INPUT_RETURN},
    {SDL_SCANCODE_KP_ENTER, KEY_KPENTER, 0, KEY_INPUT_RETURN},
};
constexpr int KEY_COUNT = int(std::size(KEYS));

// The pad's controls follow the keys in HeldInput's numbering.
constexpr SDL_GameControllerButton PAD_BUTTONS[] = {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_DPAD_UP,
                                                    SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                                                    SDL_CONTROLLER_BUTTON_DPAD_RIGHT};
constexpr int PAD_BUTTON_BITS[] = {PAD_INPUT_1, PAD_INPUT_UP, PAD_INPUT_DOWN, PAD_INPUT_LEFT, PAD_INPUT_RIGHT};
constexpr int BUTTON_COUNT = int(std::size(PAD_BUTTONS));
constexpr int STICK_BITS[] = {PAD_INPUT_UP, PAD_INPUT_DOWN, PAD_INPUT_LEFT, PAD_INPUT_RIGHT};
constexpr int FIRST_BUTTON = KEY_COUNT;
constexpr int FIRST_STICK = FIRST_BUTTON + BUTTON_COUNT;
constexpr int INPUT_COUNT = FIRST_STICK + int(std::size(STICK_BITS));
static_assert(INPUT_COUNT <= HeldInput::MAX_INPUTS);

int PadBitOf(int input) {
    if (input < KEY_COUNT) return KEYS[input].padBit;
    if (input < FIRST_STICK) return PAD_BUTTON_BITS[input - FIRST_BUTTON];
    return STICK_BITS[input - FIRST_STICK];
}

int KeyCodeOf(int input) { return input < KEY_COUNT ? KEYS[input].keyCode : 0; }

int KeyInputOf(SDL_Scancode scancode) {
    for (int i = 0; i < KEY_COUNT; ++i)
        if (KEYS[i].scancode == scancode) return i;
    return -1;
}

int ButtonInputOf(Uint8 button) {
    for (int i = 0; i < BUTTON_COUNT; ++i)
        if (PAD_BUTTONS[i] == button) return FIRST_BUTTON + i;
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
        if ((now & bit) && !(b.stickDirections & bit)) b.input.Press(FIRST_STICK + i);
        if (!(now & bit) && (b.stickDirections & bit)) b.input.Release(FIRST_STICK + i);
    }
    b.stickDirections = now;
}

// A Return that came with Alt stays no Return for the game, even when Alt is let go first.
void KeyDown(Backend& b, const SDL_KeyboardEvent& key) {
    b.input.Press(key.repeat || IsAltEnter(key) ? -1 : KeyInputOf(key.keysym.scancode));
}

void PadButton(Backend& b, const SDL_ControllerButtonEvent& button) {
    const int input = button.which == PadInstance(b) ? ButtonInputOf(button.button) : -1;
    if (button.state == SDL_PRESSED) {
        b.input.Press(input);
    } else {
        b.input.Release(input);
    }
}

// Pad inputs held when the pad changes count as held through a focus change.
void LosePadInputs(Backend& b) {
    for (int input = FIRST_BUTTON; input < INPUT_COUNT; ++input) b.input.SourceLost(input);
    b.stickX = b.stickY = 0;
    b.stickDirections = 0;
}

}  // namespace

bool IsAltEnter(const SDL_KeyboardEvent& key) {
    const SDL_Scancode code = key.keysym.scancode;
    return (code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER) && (key.keysym.mod & KMOD_ALT);
}

void SetActOnRelease(Backend& b, int padBits, const std::vector<int>& keyCodes) {
    for (int input = 0; input < INPUT_COUNT; ++input) {
        const int keyCode = KeyCodeOf(input);
        if ((PadBitOf(input) & padBits) || (keyCode != 0 && std::ranges::count(keyCodes, keyCode) > 0))
            b.input.ActsOnRelease(input);
    }
}

int dxSetActOnRelease(int padBits, const std::vector<int>& keyCodes) {
    SetActOnRelease(TheBackend(), padBits, keyCodes);
    return 0;
}

void HandleInputEvent(Backend& b, const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN: KeyDown(b, event.key); break;
        case SDL_KEYUP: b.input.Release(KeyInputOf(event.key.keysym.scancode)); break;
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
    for (const KeyInput& key : KEYS) held.push_back(key.linuxCode);
    const std::vector<bool> down = KeysDownNow(b.window, held);
    for (int i = 0; i < KEY_COUNT; ++i)
        if (down.empty() || !down[i]) b.input.LetGoElsewhere(i);
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
    for (int input = 0; input < INPUT_COUNT; ++input)
        if (b.input.Held(input)) bits |= PadBitOf(input);
    return bits;
}

bool KeyHeld(const Backend& b, int keyCode) {
    for (int input = 0; input < KEY_COUNT; ++input)
        if (KEYS[input].keyCode == keyCode && keyCode != 0 && b.input.Held(input)) return true;
    return false;
}
