// The player's controls turned into the keys and pad buttons the backend reads.
#include <linux/input-event-codes.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/dx.h"
#include "platform/sdl/backend.h"

namespace {

// What the game sees of each action: joypad bits and key codes.
constexpr int ACTION_PAD_BITS[ACTION_COUNT] = {
    PAD_INPUT_UP, PAD_INPUT_DOWN, PAD_INPUT_LEFT, PAD_INPUT_RIGHT, PAD_INPUT_1, 0, 0, 0};
constexpr int ACTION_KEY_CODES[ACTION_COUNT] = {
    0, 0, 0, 0, KEY_INPUT_RETURN, KEY_INPUT_R, KEY_INPUT_E, KEY_INPUT_ESCAPE};

// Linux key codes (the X server's less 8) of the keys a player may name, so that a key held through
// a focus change can be asked about; a key missing here counts as let go elsewhere.
#define SAME(name) \
    { SDL_SCANCODE_##name, KEY_##name }
constexpr std::pair<SDL_Scancode, int> LINUX_CODES[] = {
    SAME(A),
    SAME(B),
    SAME(C),
    SAME(D),
    SAME(E),
    SAME(F),
    SAME(G),
    SAME(H),
    SAME(I),
    SAME(J),
    SAME(K),
    SAME(L),
    SAME(M),
    SAME(N),
    SAME(O),
    SAME(P),
    SAME(Q),
    SAME(R),
    SAME(S),
    SAME(T),
    SAME(U),
    SAME(V),
    SAME(W),
    SAME(X),
    SAME(Y),
    SAME(Z),
    SAME(1),
    SAME(2),
    SAME(3),
    SAME(4),
    SAME(5),
    SAME(6),
    SAME(7),
    SAME(8),
    SAME(9),
    SAME(0),
    SAME(F1),
    SAME(F2),
    SAME(F3),
    SAME(F4),
    SAME(F5),
    SAME(F6),
    SAME(F7),
    SAME(F8),
    SAME(F9),
    SAME(F10),
    SAME(F11),
    SAME(F12),
    SAME(UP),
    SAME(DOWN),
    SAME(LEFT),
    SAME(RIGHT),
    SAME(SPACE),
    SAME(TAB),
    SAME(BACKSPACE),
    SAME(HOME),
    SAME(END),
    SAME(INSERT),
    SAME(DELETE),
    SAME(PAGEUP),
    SAME(PAGEDOWN),
    SAME(MINUS),
    SAME(COMMA),
    SAME(SLASH),
    SAME(SEMICOLON),
    SAME(APOSTROPHE),
    SAME(GRAVE),
    SAME(BACKSLASH),
    {SDL_SCANCODE_RETURN, KEY_ENTER},
    {SDL_SCANCODE_ESCAPE, KEY_ESC},
    {SDL_SCANCODE_EQUALS, KEY_EQUAL},
    {SDL_SCANCODE_PERIOD, KEY_DOT},
    {SDL_SCANCODE_LEFTBRACKET, KEY_LEFTBRACE},
    {SDL_SCANCODE_RIGHTBRACKET, KEY_RIGHTBRACE},
    {SDL_SCANCODE_LSHIFT, KEY_LEFTSHIFT},
    {SDL_SCANCODE_RSHIFT, KEY_RIGHTSHIFT},
    {SDL_SCANCODE_LCTRL, KEY_LEFTCTRL},
    {SDL_SCANCODE_RCTRL, KEY_RIGHTCTRL},
    {SDL_SCANCODE_LALT, KEY_LEFTALT},
    {SDL_SCANCODE_RALT, KEY_RIGHTALT},
    {SDL_SCANCODE_KP_0, KEY_KP0},
    {SDL_SCANCODE_KP_1, KEY_KP1},
    {SDL_SCANCODE_KP_2, KEY_KP2},
    {SDL_SCANCODE_KP_3, KEY_KP3},
    {SDL_SCANCODE_KP_4, KEY_KP4},
    {SDL_SCANCODE_KP_5, KEY_KP5},
    {SDL_SCANCODE_KP_6, KEY_KP6},
    {SDL_SCANCODE_KP_7, KEY_KP7},
    {SDL_SCANCODE_KP_8, KEY_KP8},
    {SDL_SCANCODE_KP_9, KEY_KP9},
    {SDL_SCANCODE_KP_ENTER, KEY_KPENTER},
    {SDL_SCANCODE_KP_PLUS, KEY_KPPLUS},
    {SDL_SCANCODE_KP_MINUS, KEY_KPMINUS},
    {SDL_SCANCODE_KP_PERIOD, KEY_KPDOT},
    {SDL_SCANCODE_KP_DIVIDE, KEY_KPSLASH},
    {SDL_SCANCODE_KP_MULTIPLY, KEY_KPASTERISK},
};
#undef SAME

int LinuxCodeOf(SDL_Scancode scancode) {
    for (const auto& [sdl, linux] : LINUX_CODES)
        if (sdl == scancode) return linux;
    return -1;
}

// The key or button a name stands for; false for a name SDL does not know.
bool Resolve(const std::string& name, BoundInput& input) {
    const bool pad = name.size() > PAD_PREFIX.size() && SDL_strncasecmp(name.c_str(), PAD_PREFIX.data(), 4) == 0;
    if (pad) {
        const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str() + 4);
        input = {true, int(button), -1, 0, {}};
        return button != SDL_CONTROLLER_BUTTON_INVALID;
    }
    const SDL_Scancode scancode = SDL_GetScancodeFromName(name.c_str());
    input = {false, int(scancode), LinuxCodeOf(scancode), 0, {}};
    return scancode != SDL_SCANCODE_UNKNOWN;
}

// Without a start line in the controls file each default start key keeps the meaning it always
// had: Return and Keypad Enter are the Return key (they also leave the result screens), the other
// keys button 1 (the title's start alone). A pad button, or a key the player binds, is both.
bool DefaultStartKeyIsReturnOnly(const ActionControls& start, const BoundInput& input, const std::string& name) {
    return start.origin == "default" && !input.pad && (name == "Return" || name == "Keypad Enter");
}

bool DefaultStartKeyIsButtonOnly(const ActionControls& start, const BoundInput& input, const std::string& name) {
    return start.origin == "default" && !input.pad && !DefaultStartKeyIsReturnOnly(start, input, name);
}

}  // namespace

bool KnownControlName(const std::string& name) {
    BoundInput ignored;
    return Resolve(name, ignored);
}

std::vector<BoundInput> BindControls(const Controls& controls) {
    std::vector<BoundInput> bound;
    for (int action = 0; action < ACTION_COUNT; ++action) {
        for (const std::string& name : controls[action].keys) {
            BoundInput input;
            if (!Resolve(name, input)) continue;
            auto same = std::find_if(bound.begin(), bound.end(),
                                     [&](const BoundInput& b) { return b.pad == input.pad && b.code == input.code; });
            if (same == bound.end()) same = bound.insert(bound.end(), input);
            const bool onlyReturn =
                action == ACTION_START && DefaultStartKeyIsReturnOnly(controls[action], input, name);
            const bool onlyButton =
                action == ACTION_START && DefaultStartKeyIsButtonOnly(controls[action], input, name);
            if (!onlyReturn) same->padBits |= ACTION_PAD_BITS[action];
            if (ACTION_KEY_CODES[action] && !onlyButton) same->keyCodes.push_back(ACTION_KEY_CODES[action]);
        }
    }
    return bound;
}

// The player's controls file: its path, and its text when it can be read.
std::string ControlsFile(std::string& path, bool& read) {
    path = ControlsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    read = bool(file);
    return text.str();
}

Controls LoadControls(std::string& source) {
    Controls controls = DefaultControls();
    std::string path;
    bool read = false;
    const std::string text = ControlsFile(path, read);
    source = read ? path : "no controls file" + (path.empty() ? std::string() : " at " + path);
    if (!read) return controls;
    std::vector<std::string> errors;
    ReadControls(text, path, KnownControlName, controls, errors);
    for (const std::string& error : errors) std::fprintf(stderr, "quarnel: %s (line ignored)\n", error.c_str());
    return controls;
}

std::string dxDescribeControls() {
    std::string source;
    const Controls controls = LoadControls(source);
    return "# " + source + "\n" + ControlsText(controls);
}

std::string dxPreferredLanguage() {
    std::string path;
    bool read = false;
    return LanguageLine(ControlsFile(path, read));
}
