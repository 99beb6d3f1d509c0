// quarnel-maze: prints the mazes the game would carve for a seed, or draws the last one as a picture.
//   quarnel-maze [--seed N] [--algorithm 1|2] [--count K] [--format text|png] [--output FILE]
//   quarnel-maze [--seed N] --script ALGS [--shots PREFIX]   an input script that plays the stages

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/random.h"
#include "frame/command_line.h"
#include "maze/generate.h"
#include "maze/maze_picture.h"
#include "maze/maze_text.h"
#include "platform/fake/fake_dx.h"
#include "walk_script.h"

namespace {

constexpr const char* USAGE =
    "usage: quarnel-maze [--seed N] [--algorithm 1|2] [--count K] [--format text|png] [--output FILE]\n"
    "  --seed N        first random seed, 0..4294967295 (default 1)\n"
    "  --algorithm A   1 for DadiZider 1, 2 for DadiZider 2 (default 1)\n"
    "  --count K       successive stages from the one generator, 1..100000 (default 1)\n"
    "  --format F      text (default) prints every maze; png draws the last one\n"
    "  --output FILE   the picture file, required with --format png\n"
    "  --script ALGS   print an input script that plays stages with these algorithms, e.g. 1,2,2\n"
    "  --shots PREFIX  with --script: save pictures of every stage as PREFIX<stage>_<what>.png\n";

struct Options {
    uint32_t seed = 1;
    int algorithm = 1;
    long count = 1;
    bool png = false;
    std::string output;
    std::vector<int> script;  // algorithms of the stages to play, when a script is asked for
    std::string shots;
    std::string mazeOption;  // --algorithm or --count when given: they choose the printed mazes
};

// "1,2,2" -> {1, 2, 2}; false on anything else.
bool ParseAlgorithms(const char* text, std::vector<int>& algorithms) {
    algorithms.clear();
    for (const char* p = text;; p += 2) {
        if ((p[0] != '1' && p[0] != '2') || algorithms.size() >= 10000) return false;
        algorithms.push_back(p[0] - '0');
        if (p[1] == '\0') return true;
        if (p[1] != ',') return false;
    }
}

bool ParseNumber(const std::string& text, unsigned long long min, unsigned long long max, unsigned long long& value) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= min && value <= max;
}

// Sets one option from its value; the reason when the value is not understood.
std::string SetOption(Options& options, const std::string& name, const std::string& value) {
    unsigned long long number = 0;
    if (name == "--seed") {
        if (!ParseNumber(value, 0, UINT32_MAX, number)) return "--seed needs a number from 0 to 4294967295";
        options.seed = static_cast<uint32_t>(number);
    } else if (name == "--algorithm") {
        if (!ParseNumber(value, 1, 2, number)) return "--algorithm needs 1 or 2";
        options.algorithm = static_cast<int>(number);
        options.mazeOption = name;
    } else if (name == "--count") {
        if (!ParseNumber(value, 1, 100000, number)) return "--count needs a number from 1 to 100000";
        options.count = static_cast<long>(number);
        options.mazeOption = name;
    } else if (name == "--format") {
        if (value != "text" && value != "png") return "--format needs text or png";
        options.png = value == "png";
    } else if (name == "--output" || name == "--shots") {
        if (value.empty()) return name + " needs a file name";
        (name == "--output" ? options.output : options.shots) = value;
    } else if (!ParseAlgorithms(value.c_str(), options.script)) {
        return "--script needs algorithms such as 1,2,2";
    }
    return {};
}

// Options that only make sense together.
std::string CheckCombination(const Options& options) {
    if (!options.script.empty() && options.png) return "--script prints a script, not a picture";
    if (!options.script.empty() && !options.mazeOption.empty())
        return options.mazeOption + " does not go with --script, which plays the algorithms of its list";
    if (options.script.empty() && !options.shots.empty()) return "--shots needs --script";
    if (options.png && options.output.empty()) return "--format png needs --output FILE";
    if (!options.png && !options.output.empty()) return "--output needs --format png";
    return {};
}

bool IsOption(const std::string& name) {
    for (const char* known : {"--seed", "--algorithm", "--count", "--format", "--output", "--script", "--shots"})
        if (name == known) return true;
    return false;
}

// Empty when the command line is understood, else the reason.
std::string ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        TypedOption option = SplitOption(argv[i]);
        if (!IsOption(option.name)) return "unknown option '" + option.name + "'";
        if (!option.value && i + 1 < argc) option.value = argv[++i];
        if (!option.value) return option.name + " needs a value";
        const std::string error = SetOption(options, option.name, *option.value);
        if (!error.empty()) return error;
    }
    return CheckCombination(options);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(USAGE, stdout);
        return 0;
    }
    Options options;
    const std::string error = ParseOptions(argc, argv, options);
    if (!error.empty()) {
        std::fprintf(stderr, "quarnel-maze: %s\n%s", error.c_str(), USAGE);
        return 2;
    }
    fake::Reset();
    fake::SetRecording(false);
    if (!options.script.empty()) {
        std::fputs(WalkScript(options.seed, options.script, options.shots).c_str(), stdout);
        return 0;
    }
    Random random{options.seed};
    static MazeState state;
    const uint8_t choice = options.algorithm == 1 ? 0 : 1;
    for (long k = 0; k < options.count; ++k) {
        GenerateMaze(state, random, choice);
        if (!options.png) std::fputs(MazeText(state).c_str(), stdout);
    }
    if (!options.png) return 0;
    DrawMazePicture(MazeWithRoute(state));
    if (!fake::SaveCanvasPng(options.output.c_str(), MAZE_PICTURE_WIDTH, MAZE_PICTURE_HEIGHT)) {
        std::fprintf(stderr, "quarnel-maze: cannot write %s\n", options.output.c_str());
        return 1;
    }
    return 0;
}
