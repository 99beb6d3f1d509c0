// The player's controls: which keys and pad buttons stand for each action, read from a plain text
// file over the defaults. Keys are named by their place on the keyboard (SDL's scancode names, so
// "W" is the same key on QWERTY and AZERTY), pad buttons by SDL's game-controller names after
// "pad " ("pad a", "pad start"). Which names exist is the backend's to say.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum ControlAction {
    ACTION_UP,
    ACTION_DOWN,
    ACTION_LEFT,
    ACTION_RIGHT,
    ACTION_START,
    ACTION_RESEED,
    ACTION_GIVEUP,
    ACTION_QUIT,
    ACTION_COUNT
};

inline constexpr const char* ACTION_NAMES[ACTION_COUNT] = {"up",    "down",   "left",   "right",
                                                           "start", "reseed", "giveup", "quit"};
inline constexpr std::string_view PAD_PREFIX = "pad ";

struct ActionControls {
    std::vector<std::string> keys;  // as written: "Keypad 8", "pad a"
    std::string origin;             // "default", or the file and line that set them
};
using Controls = std::array<ActionControls, ACTION_COUNT>;

Controls DefaultControls();

// The file's lines over `controls`: "ACTION = KEY, KEY, ..." with '#' starting a comment. A line
// that names an unknown action or a key `known` refuses changes nothing and adds one message,
// "FILE:LINE: reason", to `errors`.
void ReadControls(std::string_view text, const std::string& fileName,
                  const std::function<bool(const std::string& key)>& known, Controls& controls,
                  std::vector<std::string>& errors);

// The language the file's "lang = LANG" line asks the screen texts in; "" without one. That line is
// no action: ReadControls passes over it.
std::string LanguageLine(std::string_view text);

// The controls file: xdgConfigHome/quarnel/controls.txt when that is an absolute path, else
// home/.config/quarnel/controls.txt; "" when neither can be used.
std::string ControlsFilePath(const char* xdgConfigHome, const char* home);

// One line an action, as the file writes it, each followed by where it came from.
std::string ControlsText(const Controls& controls);
