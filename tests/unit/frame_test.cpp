// Start-up, the stage loop, the command line, input scripts and their recording, the settings file
// and the generators.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <sstream>

#include "core/random.h"
#include "frame/command_line.h"
#include "frame/game.h"
#include "frame/settings.h"
#include "platform/common/input_script.h"
#include "platform/common/remainder.h"
#include "platform/common/script_recorder.h"
#include "platform/common/twister.h"
#include "platform/dx.h"
#include "platform/fake/fake_dx.h"

namespace fs = std::filesystem;

namespace {

TEST(CommandLine, OptionsAndErrors) {
    // clang-format off
    const std::pair<const char*, bool CommandLine::*> flags[] = {{"--help", &CommandLine::help},
        {"-h", &CommandLine::help}, {"--version", &CommandLine::version}, {"--report", &CommandLine::report},
        {"--frame-stats", &CommandLine::frameStats}, {"--records", &CommandLine::records}};
    const std::vector<std::string> bad[] = {{"--seed"}, {"--seed", "4294967296"}, {"--seed", "-1"}, {"--seed", "12x"},
        {"--seed", ""}, {"--seed="}, {"--replay"}, {"--replay="}, {"--report=1"}, {"--bogus"}, {"seed"}, {"--record"},
        {"--record", "a", "--replay", "b"}};
    // clang-format on
    std::string error;
    EXPECT_EQ(ParseCommandLine({}, error)->seed, 1u);
    for (const auto& [flag, field] : flags)  // each flag sets its own field and no other
        for (const auto& [other, otherField] : flags)
            EXPECT_EQ(*ParseCommandLine({flag}, error).*otherField, otherField == field) << flag << " " << other;
    auto options = ParseCommandLine({"--seed", "4294967295", "--replay", "walk.txt"}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->seed, 4294967295u);
    EXPECT_EQ(options->replayFile, "walk.txt");
    options = ParseCommandLine({"--seed=7", "--record=a=b.txt"}, error);  // GNU style
    ASSERT_TRUE(options);
    EXPECT_EQ(options->seed, 7u);
    EXPECT_EQ(options->recordFile, "a=b.txt");
    for (const std::vector<std::string>& args : bad) {
        EXPECT_FALSE(ParseCommandLine(args, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

// The script in `text`, or in the file it names.
InputScript Parse(const std::string& text, bool isFile = false) {
    InputScript script;
    std::string error;
    EXPECT_TRUE(isFile ? LoadInputScript(text.c_str(), script, error) : ParseInputScript(text, script, error)) << error;
    return script;
}

TEST(InputScript, ParsesHoldsShotsAndStartValues) {
    const InputScript script = Parse(  // a leading UTF-8 byte-order mark is skipped
        "\xEF\xBB\xBF# a comment\n\n10\t-\nshot title.png   # trailing comment\n  3 up+z  \r\n0 escape\n"
        "2 return+escape+e+r+close+down+left+right\nshot end.png\nseed 7\nrand 9\nbest - 97.3\nclock 500");
    std::vector<std::pair<uint64_t, uint32_t>> holds;  // a zero-tick line holds nothing
    for (const ScriptHold& hold : script.holds) holds.push_back({hold.ticks, hold.keys});
    EXPECT_EQ(holds, (decltype(holds){{10, 0}, {3, SCRIPT_UP | SCRIPT_Z}, {2, 0x3FFu & ~(SCRIPT_UP | SCRIPT_Z)}}));
    EXPECT_EQ(script.shots.at(1).afterTicks, 15u);
    EXPECT_TRUE(ScriptKeysToPad(0x1F) == 0x1F && ScriptKeysToPad(0x3E0) == 0);  // only walking keys and Z are pad bits
    // Shots wait for the ticks before them and are handed out once.
    ScriptPlayer player(Parse("2 up\nshot a.png\n1 close\n1 return\nshot b.png\nshot c.png"));
    std::vector<std::vector<std::string>> due;
    for (int i = 0; i < 5; ++i, player.Tick()) due.push_back(player.TakeDueShots());
    EXPECT_EQ(due, (decltype(due){{}, {}, {"a.png"}, {}, {"b.png", "c.png"}}));
}

TEST(InputScript, MalformedLinesNameTheLine) {
    InputScript script;
    std::string error;
    EXPECT_FALSE(ParseInputScript("1 -\n2 jump\n", script, error));
    EXPECT_EQ(error.substr(0, 7), "line 2:");
    for (const char* bad : {"x up",         "-1 up",      "1.5 up",      "10",
                            "10 up down",   "10 up+",     "10 +up",      "10 UP",
                            "shot",         "shot a.jpg", "shot .png x", "99999999999999999999 -",
                            "2000000000 -", "clock",      "clock x",     "clock 4294967296",
                            "seed -1",      "rand 1 2",   "best 98.1",   "best 98 -",
                            "best 98.12 -", "best x -",   "bestx 1",     "best 1000.0 -"})
        EXPECT_FALSE(ParseInputScript(bad + std::string("\n"), script, error)) << bad;
    EXPECT_FALSE(ParseInputScript(std::string(9000, '#'), script, error));
    EXPECT_EQ(error, "line 1: longer than 8192 characters");
    // A last line cut short, without its newline, is dropped with one warning; the rest plays.
    testing::internal::CaptureStderr();
    EXPECT_TRUE(ParseInputScript("10 -\n5 up+ri", script, error));
    const std::string warned = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(warned.begin(), warned.end(), '\n'), 1) << warned;
    EXPECT_TRUE(script.holds.size() == 1 && script.holds[0].ticks == 10);
}

// Live play as the platform meets it, tick by tick: the keys held, then the clock readings before
// the next tick. Keys are held for a while; the clock is read about once a tick on a pace that
// slips now and then, twice around a picture change, and now and then as the uptime for a re-seed.
std::vector<std::vector<uint32_t>> LivePlay(std::mt19937& chance, int ticks) {
    std::vector<std::vector<uint32_t>> play;
    uint32_t keys = 0;
    double frameStart = 1234.5;
    for (int i = 0; i < ticks; ++i) {
        if (chance() % 20 == 0) keys = chance() % (SCRIPT_CLOSE << 1);
        frameStart += 1000.0 / 60 + (chance() % 30 == 0 ? chance() % 40 : 0);
        const double now = frameStart + chance() % 100 / 1000.0;
        const unsigned kind = chance() % 100;
        play.push_back({keys});
        if (kind < 90) play.back().push_back(uint32_t(now));
        if (kind == 90) play.back().insert(play.back().end(), {uint32_t(now), uint32_t(now + 16.9)});
        if (kind == 91) play.back().insert(play.back().end(), {uint32_t(now), uint32_t(now), uint32_t(now + 17)});
        if (kind == 92) play.back().push_back(2'000'000'000u + uint32_t(now));
    }
    return play;
}

// What live play gave the game comes back from the replay, and the file holds every tick played
// even before it is closed.
TEST(ScriptRecorder, ReplayGivesBackEveryKeyAndClockReading) {
    const std::string path = (fs::temp_directory_path() / ("quarnel_rec_" + std::to_string(getpid()))).string();
    std::mt19937 chance(7);
    const std::vector<std::vector<uint32_t>> play = LivePlay(chance, 5000);
    ScriptRecorder recorder;
    std::string error;
    ASSERT_TRUE(recorder.Open(path.c_str(), error)) << error;
    recorder.StartValue("rand", "42");
    recorder.StartValue("best", "98.1 -");
    size_t reads = 0;
    for (size_t i = 0; i < play.size(); ++i) {
        recorder.Tick(play[i][0]);
        for (size_t k = 1; k < play[i].size(); ++k, ++reads) recorder.ClockRead(play[i][k]);
        if (i == 999) {  // written as play goes
            uint64_t ticks = 0;
            for (const ScriptHold& hold : Parse(path, true).holds) ticks += hold.ticks;
            EXPECT_EQ(ticks, 1000u);
        }
    }
    recorder.Close();

    const InputScript script = Parse(path, true);
    EXPECT_LT(script.clock.size(), reads / 4);  // readings that keep the replay clock's pace need no line
    ScriptPlayer replay(script);
    EXPECT_EQ(replay.RandSeed(), 42u);
    EXPECT_EQ(replay.StartValue("best"), "98.1 -");
    for (size_t i = 0; i < play.size(); ++i) {
        replay.Tick();
        ASSERT_EQ(replay.HeldKeys(), play[i][0]) << "tick " << i + 1;
        for (size_t k = 1; k < play[i].size(); ++k) ASSERT_EQ(replay.ReadClock(), play[i][k]) << "tick " << i + 1;
    }
    replay.Tick();
    EXPECT_TRUE(replay.WindowClosed());
    fs::remove(path);
}

// A recording cut by a full disk (here a file size limit), wherever the cut falls, holds whole
// lines only and plays back.
TEST(ScriptRecorder, ACutRecordingKeepsWholeLines) {
    const std::string path = (fs::temp_directory_path() / ("quarnel_cut_" + std::to_string(getpid()))).string();
    for (rlim_t size = 80; size < 200; size += 3) {
        if (fork() == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            std::freopen("/dev/null", "w", stderr);
            const rlimit limit{size, size};
            setrlimit(RLIMIT_FSIZE, &limit);
            ScriptRecorder recorder;
            std::string error;
            recorder.Open(path.c_str(), error);
            recorder.StartValue("rand", "42");
            for (uint32_t i = 0; i < 300; ++i) {
                recorder.Tick(i / 40 % 2 ? uint32_t(SCRIPT_UP) : 0);
                if (i % 50 == 7) recorder.ClockRead(123456);
            }
            _exit(0);
        }
        wait(nullptr);
        const std::string text = (std::stringstream() << std::ifstream(path).rdbuf()).str();
        EXPECT_TRUE(text.size() <= size && text.back() == '\n') << size << ":\n" << text;
        Parse(path, true);
    }
    fs::remove(path);
}

class StageLoop : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    Game game;
};

TEST_F(StageLoop, StartUpOrderAndQuitAtFirstTitle) {
    const fs::path previous = fs::current_path();
    fs::current_path(QUARNEL_SOURCE_DIR);  // where the game's files are, so that every load succeeds
    fake::SetInputScriptText("1 escape");
    EXPECT_EQ(RunGame(game), 0);
    fs::current_path(previous);
    std::vector<std::string> calls;  // the start-up calls with their text and numbers
    const std::regex startUp("dx(Set|Load|OpenWindow|CloseWindow|ChangeWindowMode|MV1Load|MakeGraph).*");
    const std::regex handleMade("dx(LoadGraph|MV1LoadModel|MakeGraph)");  // numbers that vary: left out
    for (const fake::Call& c : fake::Calls()) {
        if (!std::regex_match(c.name, startUp)) continue;
        std::ostringstream call;
        call << c.name << (c.text.empty() ? "" : " ") << c.text;
        for (size_t i = 0; !std::regex_match(c.name, handleMade) && i < c.args.size(); ++i) call << ' ' << c.args[i];
        calls.push_back(call.str());
    }
    EXPECT_EQ(calls,
              (std::vector<std::string>{
                  "dxSetMainWindowText QUARNEL", "dxSetWindowIconID 102", "dxChangeWindowMode 1",
                  "dxSetGraphMode 800 400 16 60", "dxSetActOnRelease 16 28 19", "dxOpenWindow",
                  "dxSetTransColor 0 255 0", "dxLoadDivGraph res/Player.png 4 4 1 10 10",
                  "dxLoadDivGraph res/d_meter.png 12 12 1 50 60", "dxLoadDivGraph res/counter.png 10 10 1 20 48",
                  "dxLoadGraph res/d_meter_panel.png", "dxLoadGraph res/title_maze.png", "dxLoadGraph res/goal.png",
                  "dxLoadGraph res/start.png", "dxMV1LoadModel res_3d/wall.mqo", "dxMV1LoadModel res_3d/wall_SG.mqo",
                  "dxMV1LoadModel res_3d/wall_ETC.mqo", "dxMakeGraph", "dxCloseWindow"}));
    std::vector<int> loaded;  // each model kept under its wall map code; a failed load matches none
    for (const fake::Call& c : fake::CallsNamed("dxMV1LoadModel"))
        loaded.push_back(c.args[0] < 0 ? -9 : int(c.args[0]));
    const WallModels& models = game.play.models;
    EXPECT_EQ(loaded, (std::vector{models[MAP_PASSAGE].id, models[MAP_SG].id, models[MAP_ETC].id}));
}

TEST_F(StageLoop, StageNumberGrowsByOnePerStage) {
    // Two stages started with Return and left with E, then Escape: the third title shows STAGE 3.
    fake::SetInputScriptText("2 return\n1 -\n1 e\n2 return\n1 -\n1 e\n2 -\n1 escape");
    RunGame(game);
    EXPECT_EQ(fake::CallsNamed("dxDrawFormatString").back().text, "STAGE   3");
    EXPECT_EQ(fake::CallsNamed("dxMV1LoadModel").size(), 3u);  // once for the run, not every stage
}

// Two draws a fraction (16838 * 5758 mod 100000 first). The carving draws its choices in integers;
// they must floor exactly as the fraction times n does.
TEST(Random, FractionsFromSeedOneAndIntegerIndices) {
    Random random;
    EXPECT_EQ((std::vector{RandomFraction(random), RandomFraction(random), RandomFraction(random)}),
              (std::vector{0.53204, 0.29195, 0.23977}));
    for (int n = 1; n <= 24; ++n)
        for (int32_t m = 0; m < FRACTION_DENOMINATOR; ++m)
            ASSERT_EQ(ScaledIndex(m, n), static_cast<int>(static_cast<double>(m) / 100000.0 * n))
                << "numerator " << m << " n " << n;
}

// Replays of the real game draw their decorations from seed 1 and must keep doing so: the
// generator has to give std::mt19937's values, across several refills and for extreme seeds; the
// cached remainder must equal the plain one, also once every factor is replaced.
TEST(LibraryRandom, TwisterAndCachedRemainderGiveTheStandardValues) {
    for (uint32_t seed : {0u, 1u, 5489u, 0x80000000u, 0xFFFFFFFFu}) {
        Twister twister(seed);
        std::mt19937 standard(seed);
        for (int i = 0; i < 3000; ++i) ASSERT_EQ(twister(), standard()) << "seed " << seed << " draw " << i;
    }
    CachedRemainder remainder;
    std::mt19937 values(9);
    for (int round = 0; round < 2; ++round)
        for (uint32_t d : {1u, 2u, 3u, 7u, 10u, 641u, 65536u, 65537u, 1000003u, 0x7FFFFFFFu, 0x80000000u})
            for (uint32_t x :
                 {0u, 1u, d - 1, d, d + 1, 2 * d - 1, 0xFFFFFFFFu - d, 0xFFFFFFFEu, 0xFFFFFFFFu, uint32_t(values())})
                ASSERT_EQ(remainder(x, d), x % d) << x << " mod " << d;
}

// Game folders form a one-way stack: each includes only itself, folders ranked below it and
// platform/dx.h, never SDL, GL or a backend.
TEST(Architecture, GameFoldersIncludeOnlyFoldersBelowAndDxH) {
    const std::map<std::string, int> rank = {{"base", 0}, {"core", 1}, {"maze", 2},  {"title", 2},
                                             {"hud", 3},  {"play", 4}, {"frame", 5}, {"main.cpp", 6}};
    const std::regex include(R"(#\s*include\s*[<"]([^">]+)[">])");
    const std::regex platformLibrary("^(SDL|GL|epoxy|fontconfig|glm|X11)");
    const fs::path src = fs::path(QUARNEL_SOURCE_DIR) / "src";
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const auto relative = fs::relative(entry.path(), src).string();
        const std::string folder = relative.substr(0, relative.find('/'));
        if (!entry.is_regular_file() || folder == "platform") continue;
        ASSERT_TRUE(rank.contains(folder)) << relative << ": a folder with no place in the stack";
        std::ifstream in(entry.path());
        std::smatch match;
        for (std::string line; std::getline(in, line);) {
            if (!std::regex_search(line, match, include)) continue;
            const std::string target = match[1].str().substr(0, match[1].str().find('/'));
            EXPECT_FALSE(std::regex_search(target, platformLibrary)) << relative << ": " << line;
            if (target == match[1] || target == "sys") continue;  // the standard and system libraries
            const bool below = rank.contains(target) && (target == folder || rank.at(target) < rank.at(folder));
            EXPECT_TRUE(below || match[1] == "platform/dx.h") << relative << ": " << line;
        }
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

// Each test runs in a working folder of its own process, so that parallel runs cannot meet.
class Settings : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }
    // The rate the game applies for a file starting with these bytes; 1 when it leaves the scale alone.
    static double RateFor(const std::string& bytes) {
        std::ofstream(SETTINGS_FILE, std::ios::binary) << bytes;
        fake::Reset();
        ReadSettings();
        return fake::WindowSizeRate();
    }
    static std::string FieldOf(std::string bytes) {
        std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
        std::string field = ReadSettingsField(file);
        std::fclose(file);
        return field;
    }

    const fs::path previous_ = fs::current_path();
    const fs::path dir_ = fs::temp_directory_path() / ("quarnel_settings_" + std::to_string(getpid()));
};

TEST_F(Settings, RatesForFileContents) {
    // clang-format off
    const std::pair<std::string, double> cases[] = {
        {"1.5", 1.5},        {"2.5", 2.0},          {"2.0000001", 2.0},    {"0.001", 0.001},   {"&h2", 2.0},
        {"&o7", 2.0},        {"1.25 wide", 1.25},   {"+1.5", 1.5},         {".5", 0.5},        {"1e2", 1.0},
        {" \t 1.5\r\n2", 1.5}, {"1.5\nmore\nlines", 1.5},
        // Left alone: the default rate 1 stays.
        {"0", 1.0},          {"-1", 1.0},           {"word", 1.0},         {"", 1.0},          {"  \t ", 1.0},
        {"\n1.5", 1.0},      {"\"1.5\"", 1.0},       {"&O8", 1.0},          {"&X1", 1.0},       {".", 1.0},
        {"&", 1.0},          {"--2", 1.0},          {"\xEF\xBB\xBF" "1.5", 1.0},
    };
    // clang-format on
    for (const auto& [bytes, rate] : cases) EXPECT_DOUBLE_EQ(RateFor(bytes), rate) << "file: " << bytes;
}

TEST_F(Settings, FieldEndingsHugeFieldsAndNumbers) {
    // A quoted comma stays in the field; a lone CR stays, CR LF ends; a NUL ends it.
    const std::pair<std::string, std::string> fields[] = {{"1.5,2", "1.5"},
                                                          {"\"1,5\",2", "\"1,5\""},
                                                          {"1\r2\r\n3", "1\r2"},
                                                          {std::string("12\0003", 4), "12"},
                                                          {"  a b\tc\nd", "a b\tc"}};
    for (const auto& [bytes, field] : fields) EXPECT_EQ(FieldOf(bytes), field);
    const std::string huge(10'000'000, '7');
    EXPECT_EQ(FieldOf(huge).size(), SETTINGS_FIELD_LIMIT);
    EXPECT_DOUBLE_EQ(RateFor(huge), 2.0);
    // The number: radix, sign, and up to the first character that does not fit.
    const std::pair<const char*, double> numbers[] = {
        {"&HfF", 255}, {"&O17x", 15}, {"-2.5", -2.5}, {"1.2.3", 1.2}, {"\t 7", 7}};
    for (const auto& [text, number] : numbers) EXPECT_DOUBLE_EQ(SettingsNumber(text), number) << text;
}

}  // namespace
