#include "platform/common/input_script.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "base/words.h"
#include "platform/dx.h"

namespace {

// A script key: its name, and what the game sees of it (a joypad bit or a key code; close neither).
struct KeyName {
    std::string_view name;
    uint32_t bit;
    int padBit;
    int keyCode;
};
constexpr KeyName KEY_NAMES[] = {
    {"up", SCRIPT_UP, PAD_INPUT_UP, 0},
    {"down", SCRIPT_DOWN, PAD_INPUT_DOWN, 0},
    {"left", SCRIPT_LEFT, PAD_INPUT_LEFT, 0},
    {"right", SCRIPT_RIGHT, PAD_INPUT_RIGHT, 0},
    {"z", SCRIPT_Z, PAD_INPUT_1, 0},
    {"return", SCRIPT_RETURN, 0, KEY_INPUT_RETURN},
    {"escape", SCRIPT_ESCAPE, 0, KEY_INPUT_ESCAPE},
    {"e", SCRIPT_E, 0, KEY_INPUT_E},
    {"r", SCRIPT_R, 0, KEY_INPUT_R},
    {"close", SCRIPT_CLOSE, 0, 0},
};

// A script longer than this is certainly a mistake and would take days to replay.
constexpr uint64_t MAX_TICKS_PER_LINE = 1'000'000'000;

bool ParseKeys(std::string_view text, uint32_t& keys) {
    keys = 0;
    if (text == "-") return true;
    while (true) {
        const size_t plus = text.find('+');
        const std::string_view name = text.substr(0, plus);
        bool found = false;
        for (const KeyName& k : KEY_NAMES)
            if (k.name == name) {
                keys |= k.bit;
                found = true;
            }
        if (!found) return false;
        if (plus == std::string_view::npos) return true;
        text.remove_prefix(plus + 1);
    }
}

bool IsPngName(std::string_view file) { return file.size() > 4 && file.substr(file.size() - 4) == ".png"; }

// "-" or a total as the score panel shows it: digits, a point, one digit.
bool IsTotal(std::string_view word) {
    int32_t ignored = 0;
    return word == "-" || ParseTenths(word, ignored);
}

// The lines other than holds; `words` holds at least two. Returns what is wrong, or "".
std::string ParseNamedLine(const std::vector<std::string_view>& words, InputScript& script, uint64_t ticksSoFar) {
    const std::string_view name = words[0];
    const bool best = name == "best";
    if (words.size() != (best ? 3u : 2u))
        return best ? "expected 'best <total|-> <total|->'" : "expected '<ticks> <keys>' or '<instruction> <value>'";
    if (best) {
        if (!IsTotal(words[1]) || !IsTotal(words[2])) return "a best total is '-' or like 98.1";
        script.startValues["best"] = std::string(words[1]) + " " + std::string(words[2]);
        return "";
    }
    if (name == "shot") {
        if (!IsPngName(words[1])) return "a shot must name a .png file";
        script.shots.push_back({ticksSoFar, std::string(words[1])});
        return "";
    }
    uint64_t value = 0;
    if (!ParseUnsigned(words[1], value, UINT32_MAX)) return "bad number '" + std::string(words[1]) + "'";
    if (name == "clock") {
        script.clock.push_back({ticksSoFar, uint32_t(value)});
    } else if (name == "rand" || name == "seed") {
        script.startValues[std::string(name)] = std::to_string(value);
    } else {
        return "unknown instruction '" + std::string(name) + "'";
    }
    return "";
}

// One line without its comment. Returns an empty string on success, else what is wrong.
std::string ParseLine(std::string_view line, InputScript& script, uint64_t& ticksSoFar) {
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.empty()) return "";
    if (words.size() < 2) return "expected '<ticks> <keys>' or '<instruction> <value>'";
    const bool hold = words[0][0] >= '0' && words[0][0] <= '9';
    if (!hold) return ParseNamedLine(words, script, ticksSoFar);
    if (words.size() != 2) return "expected '<ticks> <keys>'";
    uint64_t ticks = 0;
    if (!ParseUnsigned(words[0], ticks, MAX_TICKS_PER_LINE)) return "bad tick count '" + std::string(words[0]) + "'";
    uint32_t keys = 0;
    if (!ParseKeys(words[1], keys)) return "bad keys '" + std::string(words[1]) + "'";
    if (ticks > 0) script.holds.push_back({ticks, keys});
    ticksSoFar += ticks;
    return "";
}

}  // namespace

bool ParseInputScript(std::string_view text, InputScript& script, std::string& error) {
    script = {};
    uint64_t ticksSoFar = 0;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        line = line.substr(0, line.find('#'));
        const std::string problem = ParseLine(line, script, ticksSoFar);
        if (!problem.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
    }
    return true;
}

bool LoadInputScript(const char* path, InputScript& script, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::string("cannot read input script ") + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (!ParseInputScript(text.str(), script, error)) {
        error = std::string(path) + ": " + error;
        return false;
    }
    return true;
}

ScriptPlayer::ScriptPlayer(InputScript script) : script_(std::move(script)) {}

void ScriptPlayer::Tick() {
    ++ticks_;
    if (ended_) return;
    if (holdIndex_ < script_.holds.size() && ticksIntoHold_ == script_.holds[holdIndex_].ticks) {
        ++holdIndex_;
        ticksIntoHold_ = 0;
    }
    if (holdIndex_ >= script_.holds.size()) {
        ended_ = true;
        held_ = 0;
        return;
    }
    held_ = script_.holds[holdIndex_].keys;
    ++ticksIntoHold_;
}

int ScriptPlayer::NowMs() const { return static_cast<int>(clock_.Read(ticks_)); }

uint32_t ScriptPlayer::ReadClock() {
    if (clockTaken_ < script_.clock.size() && script_.clock[clockTaken_].afterTicks <= ticks_)
        clock_ = {script_.clock[clockTaken_++].ms, ticks_};
    return clock_.Read(ticks_);
}

std::optional<std::string> ScriptPlayer::StartValue(std::string_view name) const {
    const auto found = script_.startValues.find(name);
    if (found == script_.startValues.end()) return std::nullopt;
    return found->second;
}

uint32_t ScriptPlayer::RandSeed() const { return uint32_t(std::stoul(StartValue("rand").value_or("1"))); }

std::vector<std::string> ScriptPlayer::TakeDueShots() {
    std::vector<std::string> due;
    while (shotsTaken_ < script_.shots.size() && script_.shots[shotsTaken_].afterTicks <= ticks_)
        due.push_back(script_.shots[shotsTaken_++].file);
    return due;
}

int ScriptKeysToPad(uint32_t keys) {
    int pad = 0;
    for (const KeyName& k : KEY_NAMES)
        if (keys & k.bit) pad |= k.padBit;
    return pad;
}

bool ScriptKeysHitKey(uint32_t keys, int keyCode) {
    for (const KeyName& k : KEY_NAMES)
        if ((keys & k.bit) && k.keyCode != 0 && k.keyCode == keyCode) return true;
    return false;
}

uint32_t ScriptKeysOf(int pad, const std::function<bool(int keyCode)>& keyHeld) {
    uint32_t keys = 0;
    for (const KeyName& k : KEY_NAMES)
        if ((pad & k.padBit) || (k.keyCode != 0 && keyHeld(k.keyCode))) keys |= k.bit;
    return keys;
}

std::string ScriptKeysText(uint32_t keys) {
    std::string text;
    for (const KeyName& k : KEY_NAMES) {
        if (!(keys & k.bit)) continue;
        if (!text.empty()) text += '+';
        text += k.name;
    }
    return text.empty() ? "-" : text;
}
