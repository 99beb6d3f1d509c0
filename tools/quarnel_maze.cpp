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

#include "frame/random.h"
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
    const char* output = nullptr;
    std::vector<int> script;  // algorithms of the stages to play, when a script is asked for
    std::string shots;
};

// "1,2,2" -> {1, 2, 2}; false on anything else.
bool ParseAlgorithms(const char* text, std::vector<int>& algorithms) {
    if (!text) return false;
    algorithms.clear();
    for (const char* p = text;; p += 2) {
        if ((p[0] != '1' && p[0] != '2') || algorithms.size() >= 10000) return false;
        algorithms.push_back(p[0] - '0');
        if (p[1] == '\0') return true;
        if (p[1] != ',') return false;
    }
}

bool ParseNumber(const char* text, unsigned long long max, unsigned long long& value) {
    if (!text || !*text || *text == '-' || *text == '+') return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text, &end, 10);
    return errno == 0 && *end == '\0' && value <= max;
}

// False on anything it does not understand.
bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long long number = 0;
        if (name == "--seed" && ParseNumber(value, UINT32_MAX, number)) {
            options.seed = static_cast<uint32_t>(number);
        } else if (name == "--algorithm" && ParseNumber(value, 2, number) && number >= 1) {
            options.algorithm = static_cast<int>(number);
        } else if (name == "--count" && ParseNumber(value, 100000, number) && number >= 1) {
            options.count = static_cast<long>(number);
        } else if (name == "--format" && value && (!std::strcmp(value, "text") || !std::strcmp(value, "png"))) {
            options.png = !std::strcmp(value, "png");
        } else if (name == "--output" && value && *value) {
            options.output = value;
        } else if (name == "--script" && ParseAlgorithms(value, options.script)) {
        } else if (name == "--shots" && value && *value) {
            options.shots = value;
        } else {
            return false;
        }
        ++i;
    }
    if (!options.script.empty()) return !options.png;
    return options.png == (options.output != nullptr) && options.shots.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(USAGE, stdout);
        return 0;
    }
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(USAGE, stderr);
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
    if (!fake::SaveCanvasPng(options.output, MAZE_PICTURE_WIDTH, MAZE_PICTURE_HEIGHT)) {
        std::fprintf(stderr, "quarnel-maze: cannot write %s\n", options.output);
        return 1;
    }
    return 0;
}
