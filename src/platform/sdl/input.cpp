// Keyboard and first gamepad, merged into the game's joypad bits and key codes. Everything read
// passes the backend's gate, which hides keys held through a focus loss or an Alt+Return.
#include <vector>

#include "platform/common/pad_choice.h"
#include "platform/dx.h"
#include "platform/sdl/backend.h"

namespace {

constexpr Sint16 STICK_DEAD_ZONE = 12000;

bool AnyKey(Backend& b, const Uint8* keys, std::initializer_list<SDL_Scancode> codes) {
    bool held = false;
    for (SDL_Scancode code : codes) held = b.gate.Shows(code, keys[code] != 0) || held;
    return held;
}

int ReadKeyboard(Backend& b) {
    const Uint8* k = SDL_GetKeyboardState(nullptr);
    int bits = 0;
    if (AnyKey(b, k, {SDL_SCANCODE_DOWN, SDL_SCANCODE_KP_2, SDL_SCANCODE_S})) bits |= PAD_INPUT_DOWN;
    if (AnyKey(b, k, {SDL_SCANCODE_LEFT, SDL_SCANCODE_KP_4, SDL_SCANCODE_A})) bits |= PAD_INPUT_LEFT;
    if (AnyKey(b, k, {SDL_SCANCODE_RIGHT, SDL_SCANCODE_KP_6, SDL_SCANCODE_D})) bits |= PAD_INPUT_RIGHT;
    if (AnyKey(b, k, {SDL_SCANCODE_UP, SDL_SCANCODE_KP_8, SDL_SCANCODE_W})) bits |= PAD_INPUT_UP;
    if (AnyKey(b, k, {SDL_SCANCODE_Z, SDL_SCANCODE_SPACE})) bits |= PAD_INPUT_1;
    return bits;
}

int ReadController(SDL_GameController* pad) {
    if (!pad) return 0;
    auto button = [pad](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(pad, b) != 0; };
    const Sint16 x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    const Sint16 y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    int bits = 0;
    if (button(SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y > STICK_DEAD_ZONE) bits |= PAD_INPUT_DOWN;
    if (button(SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x < -STICK_DEAD_ZONE) bits |= PAD_INPUT_LEFT;
    if (button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x > STICK_DEAD_ZONE) bits |= PAD_INPUT_RIGHT;
    if (button(SDL_CONTROLLER_BUTTON_DPAD_UP) || y < -STICK_DEAD_ZONE) bits |= PAD_INPUT_UP;
    if (button(SDL_CONTROLLER_BUTTON_A)) bits |= PAD_INPUT_1;
    return bits;
}

}  // namespace

void UpdatePad(Backend& b, int removedId) {
    std::vector<PluggedDevice> plugged;
    std::vector<int> deviceIndex;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (id < 0 || id == removedId) continue;
        plugged.push_back({id, SDL_IsGameController(i) == SDL_TRUE});
        deviceIndex.push_back(i);
    }
    const int current = b.pad ? SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(b.pad)) : -1;
    const int chosen = ChoosePad(current, plugged);
    if (chosen >= 0 && plugged[chosen].instanceId == current) return;
    if (b.pad) SDL_GameControllerClose(b.pad);
    b.pad = chosen >= 0 ? SDL_GameControllerOpen(deviceIndex[chosen]) : nullptr;
}

int ReadPad(Backend& b) { return ReadKeyboard(b) | b.gate.PadBits(ReadController(b.pad)); }

bool KeyHeld(Backend& b, int keyCode) {
    const Uint8* k = SDL_GetKeyboardState(nullptr);
    auto held = [&](SDL_Scancode code) { return b.gate.Shows(code, k[code] != 0); };
    switch (keyCode) {
        case KEY_INPUT_ESCAPE: return held(SDL_SCANCODE_ESCAPE);
        case KEY_INPUT_E: return held(SDL_SCANCODE_E);
        case KEY_INPUT_R: return held(SDL_SCANCODE_R);
        case KEY_INPUT_RETURN: {
            const bool main = held(SDL_SCANCODE_RETURN);
            return held(SDL_SCANCODE_KP_ENTER) || main;
        }
        default: return false;
    }
}
