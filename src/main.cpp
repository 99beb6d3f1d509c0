// Program entry: command line, start-up, exit code.
#include <cstdio>
#include <string>
#include <vector>

#include "core/texts.h"
#include "frame/command_line.h"
#include "frame/game.h"
#include "frame/records.h"
#include "platform/dx.h"

namespace {

int PrintRecords() {
    const std::string path = dxPlayerFilePath(RECORDS_FILE);
    Records records;
    if (!path.empty()) LoadRecords(path, records, false);  // only a game that saves sets a damaged file aside
    std::fputs(RecordsReport(records).c_str(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "quarnel: %s\n%s", error.c_str(), UsageText().c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (options->version) {
        std::printf("quarnel %s\n", QUARNEL_VERSION);
        return 0;
    }
    if (options->records) return PrintRecords();
    if (options->controls) {
        std::fputs(dxDescribeControls().c_str(), stdout);
        return 0;
    }
    const bool started = options->replayFile   ? dxUseReplayScript(options->replayFile->c_str(), error)
                         : options->recordFile ? dxRecordInputScript(options->recordFile->c_str(), error)
                                               : true;
    if (!started) {
        std::fprintf(stderr, "quarnel: %s\n", error.c_str());
        return 2;
    }
    if (options->language && !UseLanguage(*options->language, error)) {
        std::fprintf(stderr, "quarnel: %s\n", error.c_str());
        return 2;
    }
    const std::string preferred = options->language ? "" : dxPreferredLanguage();
    if (!preferred.empty() && !UseLanguage(preferred, error))
        std::fprintf(stderr, "quarnel: the controls file's lang line: %s\n", error.c_str());
    if (options->frameStats) dxEnableFrameStats();
    static Game game;  // large grids: not on the stack
    game.random.seed = options->seed;
    game.report = options->report;
    return RunGame(game);
}
