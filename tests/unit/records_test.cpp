// The records file: its lines, the comparison, a damaged file set aside, the all-or-nothing write.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "frame/records.h"

namespace fs = std::filesystem;

namespace {

const std::string LINE_1 =
    "algorithm=1 total=98.1 distance=50.0 time=48.1 time_ms=126583 steps=190 route=190 date=2025-06-01";
const std::string LINE_2 =
    "algorithm=2 total=100.0 distance=50.0 time=50.0 time_ms=61000 steps=146 route=146 date=2025-06-02";

std::string Read(const fs::path& path) { return (std::stringstream() << std::ifstream(path).rdbuf()).str(); }

Records Parsed(const std::string& text) {
    Records records;
    std::string error;
    EXPECT_TRUE(ParseRecords(text, records, error)) << error;
    return records;
}

TEST(Records, LinesReadBackAsWrittenAndAnythingElseIsAnError) {
    const Records records = Parsed("# comment\n\n" + LINE_2 + "\r\n" + LINE_1 + "  # kept\n");
    ASSERT_TRUE(records.best[0] && records.best[1]);
    EXPECT_EQ(records.best[0]->total, 981);
    EXPECT_EQ(records.best[0]->elapsedMs, 126583u);
    EXPECT_EQ(FormatRecords(records),
              "# QUARNEL personal records: the best stage of each algorithm\n" + LINE_1 + "\n" + LINE_2 + "\n");
    const std::string& good = LINE_1;
    for (const std::string& bad :
         {good + " extra", good.substr(0, good.size() - 1), "algorithm=3" + good.substr(11),
          good.substr(0, 12) + "total=98" + good.substr(22), good.substr(0, 12) + "total=-8.1" + good.substr(22),
          "time=48.1 " + good, good + "\n" + good, std::string("garbage"), good.substr(0, good.find(" date")),
          good.substr(0, 12) + "total=100.1" + good.substr(22),
          good.substr(0, 22) + " distance=50.1" + good.substr(36)}) {
        Records ignored;
        std::string error;
        EXPECT_FALSE(ParseRecords(bad, ignored, error)) << bad;
        EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
    }
}

TEST(Records, OnlyAHigherTotalIsKeptAndTheTitleShowsEachAlgorithmsBest) {
    Records records;
    EXPECT_EQ(BestLine(records), "");
    EXPECT_EQ(BestTotals(records), "- -");
    EXPECT_TRUE(KeepIfBest(records, 1, {973, 500, 473, 1, 2, 3, "2025-01-01"}));
    EXPECT_EQ(BestLine(records), "BEST  DadiZider 2  97.3");
    EXPECT_FALSE(KeepIfBest(records, 1, {973, 490, 483, 1, 2, 3, "2025-01-02"}));
    EXPECT_TRUE(KeepIfBest(records, 0, {981, 500, 481, 1, 2, 3, "2025-01-03"}));
    EXPECT_TRUE(KeepIfBest(records, 1, {1000, 500, 500, 1, 2, 3, "2025-01-04"}));
    EXPECT_EQ(records.best[1]->date, "2025-01-04");
    EXPECT_EQ(BestLine(records), "BEST  DadiZider 1  98.1   DadiZider 2 100.0");
    EXPECT_EQ(BestTotals(records), "98.1 100.0");
    EXPECT_EQ(BestLine(RecordsFromTotals("- 97.3")), "BEST  DadiZider 2  97.3");
}

class RecordsFile : public ::testing::Test {
protected:
    void SetUp() override { fs::remove_all(folder); }
    void TearDown() override { fs::remove_all(folder); }
    // Loads, and returns what was said on stderr.
    std::string Load(Records& records) {
        testing::internal::CaptureStderr();
        EXPECT_TRUE(LoadRecords(path, records));
        return testing::internal::GetCapturedStderr();
    }
    const fs::path folder = fs::temp_directory_path() / ("quarnel_records_" + std::to_string(getpid()));
    const std::string path = (folder / "quarnel" / RECORDS_FILE).string();
};

// Missing, the file is no records; each damaged one is kept under a name of its own and said in one
// line, and new records start.
TEST_F(RecordsFile, DamagedFilesAreSetAsideNeverOverwritten) {
    Records records;
    EXPECT_EQ(Load(records), "");
    records = Parsed(LINE_1);
    ASSERT_TRUE(SaveRecords(path, records));  // making the folder
    for (const std::string& damaged : {std::string("not records\n"), LINE_1 + "\n" + LINE_1, std::string(70000, '#')}) {
        std::ofstream(path) << damaged;
        const std::string said = Load(records);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(path), std::string::npos) << said;
        EXPECT_FALSE(records.best[0] || records.best[1]);
        EXPECT_FALSE(fs::exists(path));
    }
    EXPECT_EQ(Read(path + ".bad"), "not records\n");
    EXPECT_EQ(Read(path + ".bad.1"), LINE_1 + "\n" + LINE_1);
    EXPECT_EQ(Read(path + ".bad.2").size(), 70000u);
}

// A write cut short (here by a file size limit, as a full disk would) never reaches the rename:
// the old file stays whole, no temporary file is left, and the title marks the total not saved.
TEST_F(RecordsFile, InterruptedWriteLeavesTheOldFile) {
    Records records = Parsed(LINE_1);
    ASSERT_TRUE(SaveRecords(path, records));
    const std::string old = Read(path);
    records = Parsed(LINE_1 + "\n" + LINE_2);
    if (fork() == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        std::freopen("/dev/null", "w", stderr);
        const rlimit limit{80, 80};
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool saved = SaveRecords(path, records);
        _exit(!saved && BestLine(records) == "BEST  DadiZider 1  98.1   DadiZider 2 100.0 NOT SAVED" ? 1 : 0);
    }
    int status = 0;
    wait(&status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(Read(path), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "quarnel"), fs::directory_iterator()), 2);  // and the lock
}

// Games saving side by side, each keeping its own stages' bests as play does: every save merges
// under the lock, so the file never goes back to a lower total and every algorithm's highest
// survives; a game's records become what the file keeps.
TEST_F(RecordsFile, GamesSavingSideBySideLoseNoBest) {
    constexpr int GAMES = 3, STAGES = 120;
    const auto total = [](int game, int stage) {
        return int32_t(stage * 3 + std::minstd_rand(game * 99 + stage)() % 300);
    };
    const auto totalOf = [](const Records& records, size_t a) { return records.best[a] ? records.best[a]->total : 0; };
    for (int g = 0; g < GAMES; ++g) {
        if (fork() != 0) continue;
        Records records;
        for (int s = 0; s < STAGES; ++s)
            if (KeepIfBest(records, s % 2, {total(g, s), 0, 0, 0, 0, 0, "2025-01-01"})) SaveRecords(path, records);
        _exit(0);
    }
    std::array<int32_t, 2> seen{}, highest{};
    bool wentBack = false;
    for (int running = GAMES; running > 0;) {
        running -= waitpid(-1, nullptr, WNOHANG) > 0;
        Records now;
        std::string error;
        for (size_t a = 0; a < 2 && ParseRecords(Read(path), now, error); ++a) {
            wentBack = wentBack || totalOf(now, a) < seen[a];
            seen[a] = totalOf(now, a);
        }
    }
    EXPECT_FALSE(wentBack) << "a total went back to a lower one";
    for (int g = 0; g < GAMES; ++g)
        for (int s = 0; s < STAGES; ++s) highest[s % 2] = std::max(highest[s % 2], total(g, s));
    Records records;
    ASSERT_TRUE(SaveRecords(path, records));
    EXPECT_EQ(FormatRecords(records), Read(path));
    for (size_t a = 0; a < 2; ++a) EXPECT_EQ(totalOf(records, a), highest[a]);
}

}  // namespace
