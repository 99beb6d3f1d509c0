#include "platform/common/input_script.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

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
// Far above real scripts (an hour recorded live is a few MiB, a line at most a shot's path), and
// low enough that any file, /dev/zero included, is refused in little memory and time.
constexpr size_t MAX_LINE = 8192;
constexpr uint64_t MAX_SCRIPT_BYTES = 16 << 20;
constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";

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

// Parses a script line by line as its text comes, so that a file need not be held whole.
class ScriptReader {
public:
    ScriptReader(InputScript& script, std::string name) : script_(script), name_(std::move(name)) { script_ = {}; }

    // Takes the text that follows; false once a line is malformed or too long.
    bool Take(std::string_view text) {
        while (error_.empty()) {
            const size_t newline = text.find('\n');
            if (newline == std::string_view::npos) {
                if (pending_.size() + text.size() > MAX_LINE) return Fail(lineNumber_ + 1, TooLong());
                pending_ += text;
                break;
            }
            if (pending_.empty()) {
                Line(text.substr(0, newline));
            } else {
                pending_ += text.substr(0, newline);
                Line(pending_);
                pending_.clear();
            }
            text.remove_prefix(newline + 1);
        }
        return error_.empty();
    }

    // At the end of the text, a last line without its newline that does not parse is taken for a
    // recording cut short: it is dropped with a warning, and what came before it plays.
    bool Finish() {
        if (!error_.empty() || pending_.empty() || Line(pending_)) return error_.empty();
        std::fprintf(stderr, "quarnel: %s%s, in a last line without its end: played the lines before it\n",
                     name_.c_str(), error_.c_str());
        error_.clear();
        return true;
    }

    const std::string& Error() const { return error_; }

private:
    bool Fail(int lineNumber, const std::string& problem) {
        error_ = "line " + std::to_string(lineNumber) + ": " + problem;
        return false;
    }
    static std::string TooLong() { return "longer than " + std::to_string(MAX_LINE) + " characters"; }

    bool Line(std::string_view line) {
        if (++lineNumber_ == 1 && line.substr(0, BYTE_ORDER_MARK.size()) == BYTE_ORDER_MARK)
            line.remove_prefix(BYTE_ORDER_MARK.size());
        if (line.size() > MAX_LINE) return Fail(lineNumber_, TooLong());
        const std::string problem = ParseLine(line.substr(0, line.find('#')), script_, ticksSoFar_);
        return problem.empty() || Fail(lineNumber_, problem);
    }

    InputScript& script_;
    std::string name_;     // "FILE: " before a warning, or ""
    std::string pending_;  // the start of a line whose end has not come yet
    uint64_t ticksSoFar_ = 0;
    int lineNumber_ = 0;
    std::string error_;
};

// Feeds the file to `reader` in pieces; "" or why it cannot be read.
std::string ReadScriptFile(int fd, ScriptReader& reader) {
    struct stat info {};
    if (fstat(fd, &info) != 0) return std::strerror(errno);
    if (S_ISDIR(info.st_mode)) return "it is a folder";
    const std::string tooLong = "longer than " + std::to_string(MAX_SCRIPT_BYTES >> 20) + " MiB";
    if (S_ISREG(info.st_mode) && uint64_t(info.st_size) > MAX_SCRIPT_BYTES) return tooLong;
    char buffer[65536];
    for (uint64_t total = 0;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::strerror(errno);
        if (got == 0) return "";
        total += uint64_t(got);
        if (total > MAX_SCRIPT_BYTES) return tooLong;
        if (!reader.Take(std::string_view(buffer, size_t(got)))) return "";
    }
}

}  // namespace

bool ParseInputScript(std::string_view text, InputScript& script, std::string& error) {
    ScriptReader reader(script, "");
    if (reader.Take(text) && reader.Finish()) return true;
    error = reader.Error();
    return false;
}

bool LoadInputScript(const char* path, InputScript& script, std::string& error) {
    ScriptReader reader(script, std::string(path) + ": ");
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    const std::string unread = fd < 0 ? std::strerror(errno) : ReadScriptFile(fd, reader);
    if (fd >= 0) close(fd);
    if (!unread.empty()) {
        error = std::string("cannot read input script ") + path + ": " + unread;
        return false;
    }
    if (reader.Error().empty() && reader.Finish()) return true;
    error = std::string(path) + ": " + reader.Error();
    return false;
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
