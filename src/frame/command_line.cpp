#include "frame/command_line.h"

#include <charconv>

namespace {

bool ParseSeed(const std::string& text, uint32_t& seed) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
    return ec == std::errc() && end == text.data() + text.size();
}

bool IsFlag(const std::string& name) {
    return name == "--help" || name == "-h" || name == "--version" || name == "--report" || name == "--frame-stats" ||
           name == "--records" || name == "--controls";
}

bool TakesFile(const std::string& name) { return name == "--replay" || name == "--record"; }
bool TakesValue(const std::string& name) { return name == "--seed" || name == "--lang" || TakesFile(name); }

void SetFlag(CommandLine& options, const std::string& name) {
    if (name == "--help" || name == "-h") options.help = true;
    if (name == "--version") options.version = true;
    if (name == "--report") options.report = true;
    if (name == "--frame-stats") options.frameStats = true;
    if (name == "--records") options.records = true;
    if (name == "--controls") options.controls = true;
}

// Sets the option that takes a value; false with the reason in `error` when the value is bad.
bool SetValue(CommandLine& options, const std::string& name, const std::optional<std::string>& value,
              std::string& error) {
    if (name == "--seed") {
        if (value && ParseSeed(*value, options.seed)) return true;
        error = "--seed needs a number from 0 to 4294967295";
        return false;
    }
    if (name == "--lang") {
        if (value && !value->empty()) options.language = *value;
        error = "--lang needs a language, such as en";
        return value && !value->empty();
    }
    if (value && !value->empty()) {
        (name == "--replay" ? options.replayFile : options.recordFile) = *value;
        return true;
    }
    error = name + " needs an input script file";
    return false;
}

}  // namespace

TypedOption SplitOption(const std::string& arg) {
    const size_t equals = arg.find('=');
    if (arg.rfind("--", 0) != 0 || equals == std::string::npos) return {arg, std::nullopt};
    return {arg.substr(0, equals), arg.substr(equals + 1)};
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
    CommandLine options;
    for (size_t i = 0; i < args.size(); ++i) {
        TypedOption option = SplitOption(args[i]);
        if (IsFlag(option.name) && !option.value) {
            SetFlag(options, option.name);
            continue;
        }
        if (IsFlag(option.name)) {
            error = option.name + " takes no value";
            return std::nullopt;
        }
        if (!TakesValue(option.name)) {
            error = "unknown option '" + args[i] + "'";
            return std::nullopt;
        }
        if (!option.value && i + 1 < args.size()) option.value = args[++i];
        if (!SetValue(options, option.name, option.value, error)) return std::nullopt;
    }
    if (options.replayFile && options.recordFile) {
        error = "--record plays live: it cannot go with --replay";
        return std::nullopt;
    }
    return options;
}

std::string UsageText() {
    return "usage: quarnel [--seed N] [--replay FILE | --record FILE] [--lang LANG] [--report] [--frame-stats]\n"
           "               [--records] [--controls] [--help] [--version]\n"
           "  (an option's value may also follow it after '=', as in --seed=5)\n"
           "  --seed N       start the maze generator from seed N (0..4294967295, default 1)\n"
           "  --replay FILE  take all input from an input script, on its virtual clock\n"
           "  --record FILE  play, and write an input script that --replay plays back the same\n"
           "  --lang LANG    draw the screen texts in another language: en (English)\n"
           "  --records      print the best stage of each algorithm and exit\n"
           "  --controls     print the controls in force and the file they came from, and exit\n"
           "  --report       print a result line on standard output for every score panel\n"
           "  --frame-stats  at exit, print play frame times (p50, p99, max) and GL draws per frame\n"
           "  --help         show this text\n"
           "  --version      show the version\n"
           "controls:\n"
           "  title: Up/Down choose the algorithm, R re-seeds, Enter (or Z, Space, pad A) starts,\n"
           "         Escape (pad Back) quits\n"
           "  play:  arrows, W A S D, keypad or gamepad to walk and turn (31 frames each; keys pressed\n"
           "         meanwhile are not taken), E or Escape (pad Back) back to the title (Escape still held there\n"
           "         quits)\n"
           "  result: Enter (pad A) moves on, and from the score panel returns to the title\n"
           "  any screen: Alt+Enter switches between the window and fullscreen\n";
}
