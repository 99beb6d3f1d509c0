#include "frame/command_line.h"

#include <charconv>

namespace {

bool ParseSeed(const std::string& text, uint32_t& seed) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
    CommandLine options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--report") {
            options.report = true;
        } else if (arg == "--frame-stats") {
            options.frameStats = true;
        } else if (arg == "--seed") {
            if (!hasValue || !ParseSeed(args[++i], options.seed)) {
                error = "--seed needs a number from 0 to 4294967295";
                return std::nullopt;
            }
        } else if (arg == "--replay") {
            if (!hasValue || args[i + 1].empty()) {
                error = "--replay needs an input script file";
                return std::nullopt;
            }
            options.replayFile = args[++i];
        } else {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
    }
    return options;
}

std::string UsageText() {
    return "usage: quarnel [--seed N] [--replay FILE] [--report] [--frame-stats] [--help] [--version]\n"
           "  --seed N       start the maze generator from seed N (0..4294967295, default 1)\n"
           "  --replay FILE  take all input from an input script, on its virtual clock\n"
           "  --report       print a result line on standard output for every score panel\n"
           "  --frame-stats  at exit, print play frame times (p50, p99, max) and GL draws per frame\n"
           "  --help         show this text\n"
           "  --version      show the version\n"
           "controls:\n"
           "  title: Up/Down choose the algorithm, R re-seeds, Enter (or Z, Space, pad A) starts,\n"
           "         Escape quits\n"
           "  play:  arrows, W A S D, keypad or gamepad to walk and turn, E back to the title,\n"
           "         Escape quits\n"
           "  result: Enter moves on, and from the score panel returns to the title\n"
           "  any screen: Alt+Enter switches between the window and fullscreen\n";
}
