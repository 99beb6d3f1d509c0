// Start-up, the stage loop, the command line and the fixed tables.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "frame/command_line.h"
#include "frame/game.h"
#include "frame/tables.h"
#include "platform/fake/fake_dx.h"

namespace {

TEST(Tables, DirectionPermutationsAndFacings) {
    using Row = std::array<int16_t, 4>;
    EXPECT_EQ(DIR_PERMUTATIONS[0], (Row{0, 1, 2, 3}));
    EXPECT_EQ(DIR_PERMUTATIONS[1], (Row{0, 1, 3, 2}));
    EXPECT_EQ(DIR_PERMUTATIONS[5], (Row{0, 3, 2, 1}));
    EXPECT_EQ(DIR_PERMUTATIONS[6], (Row{1, 0, 2, 3}));
    EXPECT_EQ(DIR_PERMUTATIONS[22], (Row{3, 2, 0, 1}));
    EXPECT_EQ(DIR_PERMUTATIONS[23], (Row{3, 2, 1, 0}));
    for (int p = 0; p < 24; ++p) {
        EXPECT_EQ(DIR_PERMUTATIONS[p][0], p / 6);
        if (p > 0) {
            EXPECT_LT(DIR_PERMUTATIONS[p - 1], DIR_PERMUTATIONS[p]);
        }
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
    EXPECT_TRUE(ParseCommandLine({"--report", "--frame-stats"}, error)->frameStats);
    options = ParseCommandLine({"--seed=7", "--replay=a=b.txt"}, error);  // GNU style
    ASSERT_TRUE(options);
    EXPECT_EQ(options->seed, 7u);
    EXPECT_EQ(*options->replayFile, "a=b.txt");
    options = ParseCommandLine({"--record=run.txt", "--records"}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(*options->recordFile, "run.txt");
    EXPECT_TRUE(options->records);

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--seed"}, {"--seed", "4294967296"}, {"--seed", "-1"}, {"--seed", "12x"}, {"--seed", ""},
             {"--seed="}, {"--replay"}, {"--replay="}, {"--report=1"}, {"--bogus"}, {"seed"},
             {"--record"}, {"--record", "a", "--replay", "b"}}) {
        EXPECT_FALSE(ParseCommandLine(bad, error));
        EXPECT_FALSE(error.empty());
    }
}

class StageLoop : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    Game game;
};

TEST_F(StageLoop, StartUpOrderAndQuitAtFirstTitle) {
    fake::SetInputScriptText("1 escape");
    EXPECT_EQ(RunGame(game), 0);
    std::vector<std::string> names;
    for (const fake::Call& c : fake::Calls())
        if (c.name.rfind("dxSet", 0) == 0 || c.name == "dxChangeWindowMode" || c.name == "dxOpenWindow" || c.name == "dxCloseWindow" ||
            c.name.rfind("dxLoad", 0) == 0)
            names.push_back(c.name);
    const std::vector<std::string> expected = {
        "dxSetMainWindowText", "dxSetWindowIconID", "dxChangeWindowMode", "dxSetGraphMode", "dxOpenWindow",
        "dxSetTransColor", "dxLoadDivGraph", "dxLoadDivGraph", "dxLoadDivGraph", "dxLoadGraph",
        "dxLoadGraph", "dxLoadGraph", "dxLoadGraph", "dxCloseWindow"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(fake::WindowTitle(), "QUARNEL");
    EXPECT_EQ(fake::CallsNamed("dxSetGraphMode")[0].args, (std::vector<double>{800, 400, 16, 60}));
    EXPECT_EQ(fake::CallsNamed("dxSetTransColor")[0].args, (std::vector<double>{0, 255, 0}));
    EXPECT_EQ(game.stageNumber, 1);
    std::vector<std::string> files;
    for (const fake::Call& c : fake::Calls())
        if (c.name.rfind("dxLoad", 0) == 0) files.push_back(c.text);
    EXPECT_EQ(files, (std::vector<std::string>{"res/Player.png", "res/d_meter.png", "res/counter.png",
                                               "res/d_meter_panel.png", "res/title_maze.png", "res/goal.png",
                                               "res/start.png"}));
    const auto div = fake::CallsNamed("dxLoadDivGraph");
    EXPECT_EQ(div[0].args, (std::vector<double>{4, 4, 1, 10, 10}));
    EXPECT_EQ(div[1].args, (std::vector<double>{12, 12, 1, 50, 60}));
    EXPECT_EQ(div[2].args, (std::vector<double>{10, 10, 1, 20, 48}));
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
    std::vector<std::string> stages;
    for (const fake::Call& c : fake::CallsNamed("dxDrawFormatString")) stages.push_back(c.text);
    EXPECT_EQ(stages.front(), "STAGE   1");
    EXPECT_EQ(stages.back(), "STAGE   3");
}

// Game code reaches the outside only through platform/dx.h.
TEST(Architecture, GameCodeIncludesNoPlatformHeaders) {
    const std::regex forbidden(R"(#\s*include\s*[<"](SDL|GL/|epoxy|fontconfig|glm|platform/(sdl|fake|common|mqo)))");
    const std::filesystem::path src = std::filesystem::path(QUARNEL_SOURCE_DIR) / "src";
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
        const auto relative = std::filesystem::relative(entry.path(), src).string();
        if (!entry.is_regular_file() || relative.rfind("platform/", 0) == 0 || relative == "main.cpp") continue;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) EXPECT_FALSE(std::regex_search(line, forbidden)) << relative << ": " << line;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

}  // namespace
