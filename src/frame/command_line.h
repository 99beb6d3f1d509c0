// The game's command line: --seed N, --replay FILE, --record FILE, --records, --controls, --lang LANG, --report,
// --frame-stats, --help, --version.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CommandLine {
    uint32_t seed = 1;
    std::optional<std::string> replayFile;
    std::optional<std::string> recordFile;
    std::optional<std::string> language;  // the screen texts' language; Japanese without it
    bool records = false;                 // print the player's records and exit
    bool controls = false;                // print the controls in force and exit
    bool report = false;
    bool frameStats = false;
    bool help = false;
    bool version = false;
};

// One option as typed: its name, and its value when it came after '=' ("--seed=5").
struct TypedOption {
    std::string name;
    std::optional<std::string> value;
};
TypedOption SplitOption(const std::string& arg);

// Parses the arguments after the program name. On an unknown option or a bad value returns
// nothing and says what is wrong in `error`.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

// The usage text, options and controls, for --help and for errors.
std::string UsageText();
