// Start-up, the stage loop, the command line and its input scripts, the settings file, the fixed
// tables and the generators.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

#include "frame/command_line.h"
#include "frame/game.h"
#include "frame/random.h"
#include "frame/settings.h"
#include "frame/tables.h"
#include "platform/common/input_script.h"
#include "platform/common/remainder.h"
#include "platform/common/twister.h"
#include "platform/dx.h"
#include "platform/fake/fake_dx.h"

namespace fs = std::filesystem;

namespace {

// 24 rising rows, each a permutation of 0..3: the permutations in lexicographic order.
TEST(Tables, DirectionPermutationsAndFacings) {
    const std::array<int16_t, 4> first = {0, 1, 2, 3};
    for (int p = 0; p < 24; ++p) {
        EXPECT_TRUE(std::is_permutation(first.begin(), first.end(), DIR_PERMUTATIONS[p].begin())) << p;
        EXPECT_TRUE(p == 0 || DIR_PERMUTATIONS[p - 1] < DIR_PERMUTATIONS[p]) << p;
    }
    for (int f = 0; f < 4; ++f) EXPECT_EQ(FACING_TO_DIR[f], 3 - f);
}

TEST(CommandLine, OptionsAndErrors) {
    std::string error;
    auto options = ParseCommandLine({}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->seed, 1u);
    EXPECT_FALSE(options->replayFile);
    options = ParseCommandLine({"--seed", "4294967295", "--replay", "walk.txt"}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->seed, 4294967295u);
    EXPECT_EQ(*options->replayFile, "walk.txt");
    EXPECT_TRUE(ParseCommandLine({"--help"}, error)->help);
    EXPECT_TRUE(ParseCommandLine({"--version"}, error)->version);
    options = ParseCommandLine({"--report", "--frame-stats"}, error);
    EXPECT_TRUE(options->report && options->frameStats);
    options = ParseCommandLine({"--seed=7", "--replay=a=b.txt"}, error);  // GNU style
    ASSERT_TRUE(options);
    EXPECT_EQ(options->seed, 7u);
    EXPECT_EQ(*options->replayFile, "a=b.txt");
    options = ParseCommandLine({"--record=run.txt", "--records"}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(*options->recordFile, "run.txt");
    EXPECT_TRUE(options->records);
    // clang-format off
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--seed"}, {"--seed", "4294967296"}, {"--seed", "-1"}, {"--seed", "12x"}, {"--seed", ""},
             {"--seed="}, {"--replay"}, {"--replay="}, {"--report=1"}, {"--bogus"}, {"seed"},
             {"--record"}, {"--record", "a", "--replay", "b"}}) {
        // clang-format on
        EXPECT_FALSE(ParseCommandLine(bad, error));
        EXPECT_FALSE(error.empty());
    }
}

InputScript Parse(const std::string& text) {
    InputScript script;
    std::string error;
    EXPECT_TRUE(ParseInputScript(text, script, error)) << error;
    return script;
}

std::string ErrorFor(const std::string& text) {
    InputScript script;
    std::string error;
    EXPECT_FALSE(ParseInputScript(text, script, error)) << text;
    return error;
}

TEST(InputScript, ParsesHoldsShotsAndComments) {
    const InputScript script = Parse(
        "# a comment\n"
        "\n"
        "10 -\n"
        "shot title.png   # trailing comment\n"
        "  3 up+z  \r\n"
        "0 escape\n"
        "2 return+escape+e+r+close+down+left+right\n"
        "shot end.png");
    ASSERT_EQ(script.holds.size(), 3u);  // a zero-tick line holds nothing
    EXPECT_EQ(script.holds[0].ticks, 10u);
    EXPECT_EQ(script.holds[0].keys, 0u);
    EXPECT_EQ(script.holds[1].keys, SCRIPT_UP | SCRIPT_Z);
    EXPECT_EQ(script.holds[2].keys, 0x3FFu & ~(SCRIPT_UP | SCRIPT_Z));
    ASSERT_EQ(script.shots.size(), 2u);
    EXPECT_EQ(script.shots[0].afterTicks, 10u);
    EXPECT_EQ(script.shots[0].file, "title.png");
    EXPECT_EQ(script.shots[1].afterTicks, 15u);
}

TEST(InputScript, MalformedLinesNameTheLine) {
    EXPECT_EQ(ErrorFor("1 -\n2 jump").substr(0, 7), "line 2:");
    EXPECT_EQ(ErrorFor("x up").substr(0, 7), "line 1:");
    for (const char* bad : {"-1 up", "1.5 up", "10", "10 up down", "10 up+", "10 +up", "10 UP", "shot", "shot a.jpg",
                            "shot .png x", "99999999999999999999 -", "2000000000 -"})
        ErrorFor(bad);
}

TEST(InputScript, PlayerTicksAndVirtualClock) {
    ScriptPlayer player(Parse("2 up\nshot a.png\n1 close\n1 return\nshot b.png\nshot c.png"));
    EXPECT_EQ(player.HeldKeys(), 0u);  // nothing before the first tick
    EXPECT_EQ(player.NowMs(), 0);
    EXPECT_TRUE(player.TakeDueShots().empty());
    player.Tick();
    player.Tick();
    EXPECT_EQ(player.HeldKeys(), SCRIPT_UP);
    EXPECT_EQ(player.NowMs(), 33);  // floor(2000 / 60)
    EXPECT_EQ(player.TakeDueShots(), std::vector<std::string>{"a.png"});
    EXPECT_TRUE(player.TakeDueShots().empty());  // handed out once
    EXPECT_FALSE(player.WindowClosed());
    player.Tick();
    EXPECT_TRUE(player.WindowClosed());  // while close is held
    player.Tick();
    EXPECT_EQ(player.HeldKeys(), SCRIPT_RETURN);
    EXPECT_FALSE(player.WindowClosed());
    EXPECT_EQ(player.TakeDueShots(), (std::vector<std::string>{"b.png", "c.png"}));
    player.Tick();  // used up: the window counts as closed from now on
    EXPECT_TRUE(player.WindowClosed());
    EXPECT_EQ(player.HeldKeys(), 0u);
    for (int i = 0; i < 55; ++i) player.Tick();
    EXPECT_EQ(player.NowMs(), 1000);
    EXPECT_TRUE(player.WindowClosed());
}

TEST(InputScript, KeysMapToPadBitsAndKeyCodes) {
    EXPECT_EQ(ScriptKeysToPad(SCRIPT_DOWN | SCRIPT_LEFT | SCRIPT_RIGHT | SCRIPT_UP | SCRIPT_Z), 0x1F);
    EXPECT_EQ(ScriptKeysToPad(SCRIPT_RETURN | SCRIPT_ESCAPE), 0);
    for (auto [key, code] : {std::pair{SCRIPT_ESCAPE, KEY_INPUT_ESCAPE},
                             {SCRIPT_E, KEY_INPUT_E},
                             {SCRIPT_R, KEY_INPUT_R},
                             {SCRIPT_RETURN, KEY_INPUT_RETURN}})
        EXPECT_TRUE(ScriptKeysHitKey(key, code) && !ScriptKeysHitKey(~key, code)) << code;  // ~key: all the others
    EXPECT_FALSE(ScriptKeysHitKey(~0u, 57));
}

class StageLoop : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    Game game;
};

TEST_F(StageLoop, StartUpOrderAndQuitAtFirstTitle) {
    fake::SetInputScriptText("1 escape");
    EXPECT_EQ(RunGame(game), 0);
    EXPECT_EQ(game.stageNumber, 1);
    std::vector<std::string> calls;  // the start-up calls with their text and numbers
    for (const fake::Call& c : fake::Calls()) {
        if (!std::regex_match(c.name, std::regex("dx(Set|Load|OpenWindow|CloseWindow|ChangeWindowMode).*"))) continue;
        std::ostringstream call;
        call << c.name << (c.text.empty() ? "" : " ") << c.text;
        for (size_t i = 0; c.name != "dxLoadGraph" && i < c.args.size(); ++i) call << ' ' << c.args[i];
        calls.push_back(call.str());
    }
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "dxSetMainWindowText QUARNEL", "dxSetWindowIconID 102", "dxChangeWindowMode 1",
                         "dxSetGraphMode 800 400 16 60", "dxOpenWindow", "dxSetTransColor 0 255 0",
                         "dxLoadDivGraph res/Player.png 4 4 1 10 10", "dxLoadDivGraph res/d_meter.png 12 12 1 50 60",
                         "dxLoadDivGraph res/counter.png 10 10 1 20 48", "dxLoadGraph res/d_meter_panel.png",
                         "dxLoadGraph res/title_maze.png", "dxLoadGraph res/goal.png", "dxLoadGraph res/start.png",
                         "dxCloseWindow"}));
}

TEST_F(StageLoop, FailedStartReturnsMinusOneAndLoadsNothing) {
    fake::SetInitFails(true);
    EXPECT_EQ(RunGame(game), -1);
    EXPECT_TRUE(fake::CallsNamed("dxLoadGraph").empty());
    EXPECT_TRUE(fake::CallsNamed("dxCloseWindow").empty());
}

TEST_F(StageLoop, StageNumberGrowsByOnePerStage) {
    // Two stages started with Return and left with E, then Escape: the third title shows STAGE 3.
    fake::SetInputScriptText("2 return\n1 -\n1 e\n2 return\n1 -\n1 e\n2 -\n1 escape");
    EXPECT_EQ(RunGame(game), 0);
    EXPECT_EQ(game.stageNumber, 3);
    EXPECT_EQ(fake::CallsNamed("dxDrawFormatString").front().text, "STAGE   1");
    EXPECT_EQ(fake::CallsNamed("dxDrawFormatString").back().text, "STAGE   3");
}

TEST(Random, SequenceFromSeedOne) {
    Random random;
    std::vector<int> draws;
    for (int i = 0; i < 4; ++i) draws.push_back(NextRandom(random));
    EXPECT_EQ(draws, (std::vector<int>{16838, 5758, 10113, 17515}));
    Random fresh;  // two draws a fraction: 16838 * 5758 mod 100000 first
    EXPECT_EQ((std::vector{RandomFraction(fresh), RandomFraction(fresh), RandomFraction(fresh)}),
              (std::vector{0.53204, 0.29195, 0.23977}));
}

// The carving draws its choices in integers; they must floor exactly as the fraction times n does.
TEST(Random, IntegerIndexMatchesTheFractionForEveryNumerator) {
    for (int n = 1; n <= 24; ++n)
        for (int32_t m = 0; m < FRACTION_DENOMINATOR; ++m)
            ASSERT_EQ(ScaledIndex(m, n), static_cast<int>(static_cast<double>(m) / 100000.0 * n))
                << "numerator " << m << " n " << n;
    Random a{77}, b{77};
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(RandomIndex(a, 24), static_cast<int>(RandomFraction(b) * 24));
}

// Replays of the real game draw their decorations from seed 1 and must keep doing so: the
// generator has to give std::mt19937's values, across several refills and for extreme seeds.
TEST(LibraryRandom, TwisterGivesTheStandardSequence) {
    for (uint32_t seed : {0u, 1u, 5489u, 0x80000000u, 0xFFFFFFFFu}) {
        Twister twister(seed);
        std::mt19937 standard(seed);
        for (int i = 0; i < 3000; ++i) ASSERT_EQ(twister(), standard()) << "seed " << seed << " draw " << i;
    }
    Twister twister(5489u);
    for (int i = 1; i < 10000; ++i) twister();
    EXPECT_EQ(twister(), 4123659995u);  // the standard's own check value
}

TEST(LibraryRandom, CachedRemainderEqualsTheRemainder) {
    CachedRemainder remainder;
    const std::vector<uint32_t> divisors = {1, 2, 3, 7, 10, 641, 65536, 65537, 1000003, 0x7FFFFFFFu, 0x80000000u};
    std::mt19937 values(9);
    for (int round = 0; round < 2; ++round) {  // the second round finds every factor replaced
        for (uint32_t d : divisors) {
            for (uint32_t x : {0u, 1u, d - 1, d, d + 1, 2 * d - 1, 0xFFFFFFFFu - d, 0xFFFFFFFEu, 0xFFFFFFFFu})
                ASSERT_EQ(remainder(x, d), x % d) << x << " mod " << d;
            for (int i = 0; i < 20000; ++i) {
                const uint32_t x = values();
                ASSERT_EQ(remainder(x, d), x % d) << x << " mod " << d;
            }
        }
    }
}

TEST(Architecture, GameCodeIncludesNoPlatformHeaders) {
    const std::regex forbidden(R"(#\s*include\s*[<"](SDL|GL/|epoxy|fontconfig|glm|platform/(sdl|fake|common|mqo)))");
    const fs::path src = fs::path(QUARNEL_SOURCE_DIR) / "src";
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const auto relative = fs::relative(entry.path(), src).string();
        if (!entry.is_regular_file() || relative.rfind("platform/", 0) == 0 || relative == "main.cpp") continue;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) EXPECT_FALSE(std::regex_search(line, forbidden)) << relative << ": " << line;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

std::string FieldOf(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    std::string field = ReadSettingsField(file);
    std::fclose(file);
    return field;
}

// Each test runs in a working folder of its own process, so that parallel runs cannot meet.
class Settings : public testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir_);
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
        fs::remove(SETTINGS_FILE);
        return fake::WindowSizeRate();
    }
    // What ReadSettings writes on standard error; the scale must stay alone.
    static std::string ReadSettingsErrors() {
        fake::Reset();
        testing::internal::CaptureStderr();
        ReadSettings();
        EXPECT_TRUE(fake::CallsNamed("dxSetWindowSizeExtendRate").empty());
        return testing::internal::GetCapturedStderr();
    }

    const fs::path previous_ = fs::current_path();
    const fs::path dir_ = fs::temp_directory_path() / ("quarnel_settings_" + std::to_string(getpid()));
};

TEST_F(Settings, RatesForFileContents) {
    // clang-format off
    const std::pair<std::string, double> cases[] = {
        {"1.5", 1.5},          {"2.5", 2.0},        {"3", 2.0},          {"0.5", 0.5},
        {"2", 2.0},            {"2.0000001", 2.0},  {"0.001", 0.001},    {"&H2", 2.0},
        {"&h1", 1.0},          {"&O1", 1.0},        {"&o7", 2.0},        {"1,5", 1.0},
        {"1.25 wide", 1.25},   {"+1.5", 1.5},       {".5", 0.5},         {"1.", 1.0},
        {"1e2", 1.0},          {" \t 1.5\r\n2", 1.5}, {"1\t2", 1.0},     {"1.5\nmore\nlines", 1.5},
        // Left alone: the default rate 1 stays.
        {"0", 1.0},            {"-1", 1.0},         {"word", 1.0},       {"", 1.0},
        {"  \t ", 1.0},        {"\n1.5", 1.0},      {"\"1.5\"", 1.0},    {"&O8", 1.0},
        {"&X1", 1.0},          {"\xEF\xBB\xBF" "1.5", 1.0}, {"\"1,5\"", 1.0}, {".", 1.0},
        {"-", 1.0},            {"&", 1.0},
    };
    // clang-format on
    for (const auto& [bytes, rate] : cases) EXPECT_DOUBLE_EQ(RateFor(bytes), rate) << "file: " << bytes;
}

// A missing file is normal and says nothing; one that is there but cannot be read (here a folder of
// that name) is ignored with one line naming it.
TEST_F(Settings, MissingFileIsSilentAndAnUnreadableOneIsReportedOnce) {
    EXPECT_EQ(ReadSettingsErrors(), "");
    fs::create_directory(SETTINGS_FILE);
    const std::string err = ReadSettingsErrors();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find(SETTINGS_FILE), std::string::npos) << err;
}

TEST_F(Settings, FieldEndingsAndHugeFields) {
    EXPECT_EQ(FieldOf("1.5,2"), "1.5");
    EXPECT_EQ(FieldOf("\"1,5\",2"), "\"1,5\"");  // a quoted comma stays in the field
    EXPECT_EQ(FieldOf("1\r2\r\n3"), "1\r2");     // a lone CR stays, CR LF ends
    EXPECT_EQ(FieldOf(std::string("12\0"
                                  "3",
                                  4)),
              "12");
    EXPECT_EQ(FieldOf("  a b\tc\nd"), "a b\tc");
    EXPECT_EQ(FieldOf(""), "");
    EXPECT_EQ(ReadSettingsField(nullptr), "");
    const std::string huge(10'000'000, '7');
    EXPECT_EQ(FieldOf(huge).size(), SETTINGS_FIELD_LIMIT);
    EXPECT_DOUBLE_EQ(RateFor(huge), 2.0);
}

TEST(SettingsNumber, RadixSignAndTheFirstCharacterThatDoesNotFit) {
    EXPECT_DOUBLE_EQ(SettingsNumber("&HfF"), 255.0);
    EXPECT_DOUBLE_EQ(SettingsNumber("&O17x"), 15.0);
    EXPECT_DOUBLE_EQ(SettingsNumber("-2.5"), -2.5);
    EXPECT_DOUBLE_EQ(SettingsNumber("--2"), 0.0);
    EXPECT_DOUBLE_EQ(SettingsNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(SettingsNumber("\t 7"), 7.0);
}

}  // namespace
