// Keyboard (by KeyboardEvent.code, the key's place whatever the layout) and the first standard
// gamepad, merged into the game's joypad bits and key codes as on the desktop. Key events feed the
// backend's HeldInput; the pad, which the browser does not report as events, is sampled each tick.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "platform/common/controls.h"
#include "platform/common/pad_choice.h"
#include "platform/dx.h"
#include "platform/web/backend.h"

namespace {

// The pad's stick past this share of its travel counts as pushed (the desktop's 12000 of 32767).
constexpr double STICK_DEAD_ZONE = 12000.0 / 32767.0;

struct KeyInput {
    const char* code;
    int padBit;
    int keyCode;
};

constexpr KeyInput KEYS[] = {
    {"ArrowUp", PAD_INPUT_UP, 0},
    {"Numpad8", PAD_INPUT_UP, 0},
    {"KeyW", PAD_INPUT_UP, 0},
    {"ArrowDown", PAD_INPUT_DOWN, 0},
    {"Numpad2", PAD_INPUT_DOWN, 0},
    {"KeyS", PAD_INPUT_DOWN, 0},
    {"ArrowLeft", PAD_INPUT_LEFT, 0},
    {"Numpad4", PAD_INPUT_LEFT, 0},
    {"KeyA", PAD_INPUT_LEFT, 0},
    {"ArrowRight", PAD_INPUT_RIGHT, 0},
    {"Numpad6", PAD_INPUT_RIGHT, 0},
    {"KeyD", PAD_INPUT_RIGHT, 0},
    {"KeyZ", PAD_INPUT_1, 0},
    {"Space", PAD_INPUT_1, 0},
    {"Escape", 0, KEY_INPUT_ESCAPE},
    {"KeyE", 0, KEY_INPUT_E},
    {"KeyR", 0, KEY_INPUT_R},
    {"Enter", 0, KEY_INPUT_RETURN},
    {"NumpadEnter", 0, KEY_INPUT_RETURN},
};
constexpr int KEY_COUNT = int(std::size(KEYS));

// The standard gamepad layout's buttons: A (button 1 and Return, as on the desktop), the pad's up,
// down, left, right, and Back (Escape).
constexpr int PAD_BUTTONS[] = {0, 12, 13, 14, 15, 8};
constexpr int PAD_BUTTON_BITS[] = {PAD_INPUT_1, PAD_INPUT_UP, PAD_INPUT_DOWN, PAD_INPUT_LEFT, PAD_INPUT_RIGHT, 0};
constexpr int PAD_BUTTON_KEYS[] = {KEY_INPUT_RETURN, 0, 0, 0, 0, KEY_INPUT_ESCAPE};
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

int KeyCodeOf(int input) {
    if (input < KEY_COUNT) return KEYS[input].keyCode;
    return input < FIRST_STICK ? PAD_BUTTON_KEYS[input - FIRST_BUTTON] : 0;
}

int KeyInputOf(const char* code) {
    for (int i = 0; i < KEY_COUNT; ++i)
        if (std::strcmp(KEYS[i].code, code) == 0) return i;
    return -1;
}

bool IsAltEnter(const EmscriptenKeyboardEvent& key) {
    const int input = KeyInputOf(key.code);
    return key.altKey && input >= 0 && KEYS[input].keyCode == KEY_INPUT_RETURN;
}

// A game key's default action (scrolling the page) is kept from the browser; Alt+Enter, the
// fullscreen switch of the page, is never a Return for the game.
EM_BOOL OnKey(int eventType, const EmscriptenKeyboardEvent* key, void*) {
    Backend& b = TheBackend();
    const int input = KeyInputOf(key->code);
    if (eventType == EMSCRIPTEN_EVENT_KEYDOWN) {
        b.input.Press(key->repeat || IsAltEnter(*key) ? -1 : input);
    } else {
        b.input.Release(input);
    }
    return input >= 0 && !key->altKey && !key->ctrlKey && !key->metaKey;
}

// The browser cannot tell which keys held through a focus change were let go elsewhere: every
// such key counts as let go.
EM_BOOL OnFocus(int eventType, const EmscriptenFocusEvent*, void*) {
    Backend& b = TheBackend();
    if (eventType == EMSCRIPTEN_EVENT_BLUR) {
        b.input.FocusLost();
    } else {
        b.input.FocusGained();
        for (int i = 0; i < KEY_COUNT; ++i) b.input.LetGoElsewhere(i);
    }
    return false;
}

void LosePadInputs(Backend& b) {
    for (int input = FIRST_BUTTON; input < INPUT_COUNT; ++input) b.input.SourceLost(input);
}

// The pad read, re-chosen as pads come and go (see ChoosePad).
void ChooseGamepad(Backend& b) {
    std::vector<PluggedDevice> plugged;
    const int count = emscripten_get_num_gamepads();
    for (int i = 0; i < count; ++i) {
        EmscriptenGamepadEvent state;
        if (emscripten_get_gamepad_status(i, &state) != EMSCRIPTEN_RESULT_SUCCESS || !state.connected) continue;
        plugged.push_back({state.index, std::strcmp(state.mapping, "standard") == 0});
    }
    const int chosen = ChoosePad(b.pad, plugged);
    const int pad = chosen >= 0 ? plugged[chosen].instanceId : -1;
    if (pad == b.pad) return;
    LosePadInputs(b);
    b.pad = pad;
}

void Follow(Backend& b, int input, bool down, bool wasDown) {
    if (down && !wasDown) b.input.Press(input);
    if (!down && wasDown) b.input.Release(input);
}

}  // namespace

int dxSetActOnRelease(int padBits, const std::vector<int>& keyCodes) {
    Backend& b = TheBackend();
    for (int input = 0; input < INPUT_COUNT; ++input) {
        const int keyCode = KeyCodeOf(input);
        if ((PadBitOf(input) & padBits) ||
            (keyCode != 0 && std::find(keyCodes.begin(), keyCodes.end(), keyCode) != keyCodes.end()))
            b.input.ActsOnRelease(input);
    }
    return 0;
}

void StartInput(Backend&) {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, OnKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, OnKey);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, OnFocus);
    emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, OnFocus);
}

void PollPad(Backend& b) {
    static bool down[INPUT_COUNT] = {};
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
    const int before = b.pad;
    ChooseGamepad(b);
    if (b.pad != before)
        for (int input = FIRST_BUTTON; input < INPUT_COUNT; ++input) down[input] = false;
    EmscriptenGamepadEvent state;
    if (b.pad < 0 || emscripten_get_gamepad_status(b.pad, &state) != EMSCRIPTEN_RESULT_SUCCESS) return;
    bool now[INPUT_COUNT] = {};
    for (int i = 0; i < BUTTON_COUNT; ++i)
        now[FIRST_BUTTON + i] = PAD_BUTTONS[i] < state.numButtons && state.digitalButton[PAD_BUTTONS[i]];
    const double x = state.numAxes > 1 ? state.axis[0] : 0, y = state.numAxes > 1 ? state.axis[1] : 0;
    const bool stick[4] = {y<-STICK_DEAD_ZONE, y> STICK_DEAD_ZONE, x<-STICK_DEAD_ZONE, x> STICK_DEAD_ZONE};
    for (int i = 0; i < 4; ++i) now[FIRST_STICK + i] = stick[i];
    for (int input = FIRST_BUTTON; input < INPUT_COUNT; ++input) {
        Follow(b, input, now[input], down[input]);
        down[input] = now[input];
    }
}

int ReadPad(const Backend& b) {
    int bits = 0;
    for (int input = 0; input < INPUT_COUNT; ++input)
        if (b.input.Held(input)) bits |= PadBitOf(input);
    return bits;
}

bool KeyHeld(const Backend& b, int keyCode) {
    for (int input = 0; input < FIRST_STICK; ++input)
        if (KeyCodeOf(input) == keyCode && keyCode != 0 && b.input.Held(input)) return true;
    return false;
}

std::string dxDescribeControls() {
    return "# the browser reads the default keys and pad buttons\n" + ControlsText(DefaultControls());
}

// The browser has no controls file: the screen texts are the game's own.
std::string dxPreferredLanguage() { return ""; }
