#include "platform/common/input_script.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "platform/dx.h"

namespace {

struct KeyName {
    std::string_view name;
    uint32_t bit;
};
constexpr KeyName KEY_NAMES[] = {
    {"up", SCRIPT_UP},         {"down", SCRIPT_DOWN},     {"left", SCRIPT_LEFT},
    {"right", SCRIPT_RIGHT},   {"z", SCRIPT_Z},           {"return", SCRIPT_RETURN},
    {"escape", SCRIPT_ESCAPE}, {"e", SCRIPT_E},           {"r", SCRIPT_R},
    {"close", SCRIPT_CLOSE},
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

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
        if (j > i) words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

bool IsPngName(std::string_view file) {
    return file.size() > 4 && file.substr(file.size() - 4) == ".png";
}

// One line without its comment. Returns an empty string on success, else what is wrong.
std::string ParseLine(std::string_view line, InputScript& script, uint64_t& ticksSoFar) {
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.empty()) return "";
    if (words.size() != 2) return "expected '<ticks> <keys>' or 'shot <file>.png'";
    if (words[0] == "shot") {
        if (!IsPngName(words[1])) return "a shot must name a .png file";
        script.shots.push_back({ticksSoFar, std::string(words[1])});
        return "";
    }
    uint64_t ticks = 0;
    const auto [end, ec] = std::from_chars(words[0].data(), words[0].data() + words[0].size(), ticks);
    if (ec != std::errc() || end != words[0].data() + words[0].size() || ticks > MAX_TICKS_PER_LINE)
        return "bad tick count '" + std::string(words[0]) + "'";
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

int ScriptPlayer::NowMs() const { return static_cast<int>(ticks_ * 1000 / 60); }

std::vector<std::string> ScriptPlayer::TakeDueShots() {
    std::vector<std::string> due;
    while (shotsTaken_ < script_.shots.size() && script_.shots[shotsTaken_].afterTicks <= ticks_)
        due.push_back(script_.shots[shotsTaken_++].file);
    return due;
}

int ScriptKeysToPad(uint32_t keys) {
    int pad = 0;
    if (keys & SCRIPT_DOWN) pad |= PAD_INPUT_DOWN;
    if (keys & SCRIPT_LEFT) pad |= PAD_INPUT_LEFT;
    if (keys & SCRIPT_RIGHT) pad |= PAD_INPUT_RIGHT;
    if (keys & SCRIPT_UP) pad |= PAD_INPUT_UP;
    if (keys & SCRIPT_Z) pad |= PAD_INPUT_1;
    return pad;
}

bool ScriptKeysHitKey(uint32_t keys, int keyCode) {
    switch (keyCode) {
        case KEY_INPUT_ESCAPE: return (keys & SCRIPT_ESCAPE) != 0;
        case KEY_INPUT_E: return (keys & SCRIPT_E) != 0;
        case KEY_INPUT_R: return (keys & SCRIPT_R) != 0;
        case KEY_INPUT_RETURN: return (keys & SCRIPT_RETURN) != 0;
        default: return false;
    }
}
