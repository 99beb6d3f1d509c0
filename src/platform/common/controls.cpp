#include "platform/common/controls.h"

#include <filesystem>

namespace {

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

int ActionNamed(std::string_view name) {
    for (int action = 0; action < ACTION_COUNT; ++action)
        if (name == ACTION_NAMES[action]) return action;
    return -1;
}

// The keys of one line's right side, or the reason they cannot be used.
bool ParseKeys(std::string_view list, const std::function<bool(const std::string&)>& known,
               std::vector<std::string>& keys, std::string& reason) {
    while (true) {
        const size_t comma = list.find(',');
        const std::string key(Trimmed(list.substr(0, comma)));
        if (key.empty()) {
            reason = "a key name is missing";
            return false;
        }
        if (!known(key)) {
            reason = "unknown key '" + key + "'";
            return false;
        }
        keys.push_back(key);
        if (comma == std::string_view::npos) return true;
        list.remove_prefix(comma + 1);
    }
}

constexpr std::string_view LANGUAGE_NAME = "lang";

// Each line of the file without its comment and outer blanks, with its number.
void ForEachLine(std::string_view text, const std::function<void(std::string_view line, int number)>& take) {
    for (int number = 1; !text.empty(); ++number) {
        const size_t end = text.find('\n');
        take(Trimmed(text.substr(0, std::min(end, text.find('#')))), number);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

// Applies one line; false with the reason when it cannot be used.
bool ReadLine(std::string_view line, const std::string& origin, const std::function<bool(const std::string&)>& known,
              Controls& controls, std::string& reason) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        reason = "expected ACTION = KEY, KEY, ...";
        return false;
    }
    const std::string_view name = Trimmed(line.substr(0, equals));
    if (name == LANGUAGE_NAME) return true;
    const int action = ActionNamed(name);
    if (action < 0) {
        reason = "unknown action '" + std::string(name) + "'";
        return false;
    }
    std::vector<std::string> keys;
    if (!ParseKeys(line.substr(equals + 1), known, keys, reason)) return false;
    controls[action] = {keys, origin};
    return true;
}

}  // namespace

Controls DefaultControls() {
    Controls controls;
    const std::vector<std::string> keys[ACTION_COUNT] = {
        {"Up", "Keypad 8", "W", "pad dpup"},
        {"Down", "Keypad 2", "S", "pad dpdown"},
        {"Left", "Keypad 4", "A", "pad dpleft"},
        {"Right", "Keypad 6", "D", "pad dpright"},
        {"Return", "Keypad Enter", "Z", "Space", "pad a"},
        {"R"},
        {"E"},
        {"Escape", "pad back"},
    };
    for (int action = 0; action < ACTION_COUNT; ++action) controls[action] = {keys[action], "default"};
    return controls;
}

void ReadControls(std::string_view text, const std::string& fileName,
                  const std::function<bool(const std::string& key)>& known, Controls& controls,
                  std::vector<std::string>& errors) {
    ForEachLine(text, [&](std::string_view line, int number) {
        const std::string origin = fileName + ":" + std::to_string(number);
        std::string reason;
        if (!line.empty() && !ReadLine(line, origin, known, controls, reason)) errors.push_back(origin + ": " + reason);
    });
}

std::string LanguageLine(std::string_view text) {
    std::string language;
    ForEachLine(text, [&](std::string_view line, int) {
        const size_t equals = line.find('=');
        if (equals != std::string_view::npos && Trimmed(line.substr(0, equals)) == LANGUAGE_NAME)
            language = Trimmed(line.substr(equals + 1));
    });
    return language;
}

std::string ControlsFilePath(const char* xdgConfigHome, const char* home) {
    namespace fs = std::filesystem;
    if (xdgConfigHome && fs::path(xdgConfigHome).is_absolute())
        return (fs::path(xdgConfigHome) / "quarnel/controls.txt").string();
    if (home && *home) return (fs::path(home) / ".config/quarnel/controls.txt").string();
    return "";
}

std::string ControlsText(const Controls& controls) {
    std::string text;
    for (int action = 0; action < ACTION_COUNT; ++action) {
        text += ACTION_NAMES[action];
        text += " =";
        for (size_t i = 0; i < controls[action].keys.size(); ++i) text += (i ? ", " : " ") + controls[action].keys[i];
        text += "  # " + controls[action].origin + "\n";
    }
    return text;
}
