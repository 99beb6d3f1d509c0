// Keyboard and first gamepad, merged into the game's joypad bits and key codes.
#include "platform/dx.h"
#include "platform/sdl/backend.h"

namespace {

constexpr Sint16 STICK_DEAD_ZONE = 12000;

bool AnyKey(const Uint8* keys, std::initializer_list<SDL_Scancode> codes) {
    for (SDL_Scancode code : codes)
        if (keys[code]) return true;
    return false;
}

int ReadKeyboard() {
    const Uint8* k = SDL_GetKeyboardState(nullptr);
    int bits = 0;
    if (AnyKey(k, {SDL_SCANCODE_DOWN, SDL_SCANCODE_KP_2, SDL_SCANCODE_S})) bits |= PAD_INPUT_DOWN;
    if (AnyKey(k, {SDL_SCANCODE_LEFT, SDL_SCANCODE_KP_4, SDL_SCANCODE_A})) bits |= PAD_INPUT_LEFT;
    if (AnyKey(k, {SDL_SCANCODE_RIGHT, SDL_SCANCODE_KP_6, SDL_SCANCODE_D})) bits |= PAD_INPUT_RIGHT;
    if (AnyKey(k, {SDL_SCANCODE_UP, SDL_SCANCODE_KP_8, SDL_SCANCODE_W})) bits |= PAD_INPUT_UP;
    if (AnyKey(k, {SDL_SCANCODE_Z, SDL_SCANCODE_SPACE})) bits |= PAD_INPUT_1;
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

int ReadPad(const Backend& backend) { return ReadKeyboard() | ReadController(backend.pad); }

bool KeyHeld(const Backend&, int keyCode) {
    const Uint8* k = SDL_GetKeyboardState(nullptr);
    switch (keyCode) {
        case KEY_INPUT_ESCAPE: return k[SDL_SCANCODE_ESCAPE];
        case KEY_INPUT_E: return k[SDL_SCANCODE_E];
        case KEY_INPUT_R: return k[SDL_SCANCODE_R];
        case KEY_INPUT_RETURN: return k[SDL_SCANCODE_RETURN] || k[SDL_SCANCODE_KP_ENTER];
        default: return false;
    }
}
