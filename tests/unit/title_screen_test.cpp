#include <gtest/gtest.h>

#include <string>

#include "platform/dx.h"
#include "platform/fake/fake_dx.h"
#include "title/colour.h"
#include "title/title_screen.h"

namespace {

constexpr unsigned WHITE = 0xFFFFFF;
constexpr unsigned GREY = 0x808080;
constexpr unsigned YELLOW = 0xFFFF00;

struct TitleRun {
    uint8_t result;
    TitleOptions options;
    Random random;
};

GameImages TestImages() {
    GameImages images;
    images.titleMaze = {70};
    images.start = {71};
    return images;
}

TitleRun RunTitle(const std::string& script, TitleOptions options = {}, int stage = 1) {
    fake::Reset();
    fake::SetInputScriptText(script);
    TitleRun run{0, options, Random{}};
    run.result = TitleScreen(run.options, run.random, stage, TestImages());
    return run;
}

// The strings drawn in the last frame that drew any, in order.
std::vector<fake::Call> LastFrameTexts() {
    std::vector<fake::Call> last, frame;
    for (const fake::Call& c : fake::Calls()) {
        if (c.name == "dxClearDrawScreen") frame.clear();
        if (c.name == "dxDrawString" || c.name == "dxDrawFormatString") frame.push_back(c);
        if (c.name == "dxScreenFlip" && !frame.empty()) last = frame;
    }
    return last;
}

bool StartPictureShown() {
    const auto draws = fake::CallsNamed("dxDrawGraph");
    return !draws.empty() && draws.back().args == std::vector<double>{255, 100, 71, 1};
}

TEST(TitleScreen, FirstVisitDrawsEveryLine) {
    const TitleRun run = RunTitle("3 -\n2 return\n1 -");
    EXPECT_EQ(run.result, TITLE_START);
    const auto texts = LastFrameTexts();
    ASSERT_EQ(texts.size(), 5u);
    const struct {
        int x, y;
        const char* text;
        unsigned colour;
    } expected[] = {
        {280, 180, "STAGE   1", WHITE},
        {280, 220, "[↑]    DadiZider 1", WHITE},
        {280, 240, "[↓]    DadiZider 2", GREY},
        {280, 260, "[R]     乱数の初期化(Randomize)", WHITE},
        {280, 300, "[Enter] ゲームを開始します", WHITE},
    };
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].args[0], expected[i].x);
        EXPECT_EQ(texts[i].args[1], expected[i].y);
        EXPECT_EQ(texts[i].text, expected[i].text);
        EXPECT_EQ(unsigned(texts[i].args[2]), expected[i].colour) << expected[i].text;
    }
    const auto graphs = fake::CallsNamed("dxDrawGraph");
    EXPECT_EQ(graphs.front().args, (std::vector<double>{175, 60, 70, 1}));
    EXPECT_TRUE(StartPictureShown());
}

TEST(TitleScreen, StageNumberField) {
    const struct {
        int stage;
        const char* line;
    } cases[] = {{1, "STAGE   1"}, {12, "STAGE  12"}, {123, "STAGE  123"}, {1234, "STAGE  1234"}};
    for (const auto& c : cases) {
        RunTitle("1 -\n1 return\n1 -", {}, c.stage);
        EXPECT_EQ(LastFrameTexts().front().text, c.line);
    }
}

TEST(TitleScreen, StartsOnReleaseNotPress) {
    // Return held for many frames keeps the title up; the release starts.
    TitleRun run = RunTitle("100 return\n1 -\n50 -");
    EXPECT_EQ(run.result, TITLE_START);
    EXPECT_EQ(fake::Ticks(), 101u);
    // Button 1 the same way.
    run = RunTitle("40 z\n1 -\n50 -");
    EXPECT_EQ(run.result, TITLE_START);
    EXPECT_EQ(fake::Ticks(), 42u);  // the pad is read before the tick of its frame
    EXPECT_TRUE(StartPictureShown());
}

TEST(TitleScreen, QuitPaths) {
    // Escape and Return going down together: quit, no start picture.
    TitleRun run = RunTitle("1 -\n1 escape+return");
    EXPECT_EQ(run.result, TITLE_QUIT);
    EXPECT_FALSE(StartPictureShown());
    // Escape while Return is held from an earlier frame: quit, but the start picture shows once.
    run = RunTitle("1 -\n3 return\n1 return+escape");
    EXPECT_EQ(run.result, TITLE_QUIT);
    EXPECT_TRUE(StartPictureShown());
    // Escape already down on entry: quit on the first frame without drawing.
    run = RunTitle("5 escape");
    EXPECT_EQ(run.result, TITLE_QUIT);
    EXPECT_EQ(fake::FlipCount(), 0);
    // A closed window, or the end of the input, quits.
    EXPECT_EQ(RunTitle("2 -\n1 close").result, TITLE_QUIT);
    EXPECT_EQ(RunTitle("2 -").result, TITLE_QUIT);
}

TEST(TitleScreen, AlgorithmChoice) {
    // Up and down pressed in the same frame: down wins.
    EXPECT_EQ(RunTitle("1 up+down\n1 -\n1 return\n1 -").options.algorithmChoice, 1);
    // Holding up, pressing down, releasing down while up stays held: still 1.
    EXPECT_EQ(RunTitle("2 up\n2 up+down\n2 up\n1 up+return\n1 up").options.algorithmChoice, 1);
    // Holding down, pressing and letting go of up: up chooses, down held on does not choose again.
    EXPECT_EQ(RunTitle("2 down\n2 down+up\n2 down\n1 down+return\n1 down").options.algorithmChoice, 0);
    // The same key pressed a second time chooses again.
    EXPECT_EQ(RunTitle("2 up\n2 -\n2 down\n2 -\n2 up\n1 return\n1 -").options.algorithmChoice, 0);
    // The chosen line is white, the other grey, in the frame after a press.
    RunTitle("2 down\n1 -", {});
    const auto texts = LastFrameTexts();
    EXPECT_EQ(unsigned(texts[1].args[2]), GREY);
    EXPECT_EQ(unsigned(texts[2].args[2]), WHITE);
}

TEST(TitleScreen, ReseedOnReleaseEveryTime) {
    TitleRun run = RunTitle("60 -\n5 r\n1 -");  // released at tick 66
    EXPECT_EQ(run.options.reseeded, 1);
    EXPECT_EQ(run.random.seed, 66u * 1000 / 60);
    auto texts = LastFrameTexts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(unsigned(texts[3].args[2]), YELLOW);
    EXPECT_EQ(texts[4].text, "済");
    EXPECT_EQ(texts[4].args[0], 580);
    EXPECT_EQ(unsigned(texts[4].args[2]), YELLOW);

    run = RunTitle("5 r\n1 -\n100 -\n5 r\n1 -");  // a second release re-seeds again
    EXPECT_EQ(run.random.seed, 112u * 1000 / 60);

    // Holding R re-seeds nothing yet.
    run = RunTitle("50 r");
    EXPECT_EQ(run.options.reseeded, 0);
    EXPECT_EQ(run.random.seed, 1u);

    // A later visit remembers the re-seed: yellow line and the mark from the first frame.
    RunTitle("1 -", TitleOptions{0, 1});
    texts = LastFrameTexts();
    EXPECT_EQ(unsigned(texts[3].args[2]), YELLOW);
    EXPECT_EQ(texts[4].text, "済");
}

TEST(TitleScreen, ReturnHeldOnEntryCountsAsPress) {
    const TitleRun run = RunTitle("3 return\n1 -\n5 -");
    EXPECT_EQ(run.result, TITLE_START);
    EXPECT_EQ(fake::Ticks(), 4u);
}

TEST(Colours, TableAndOutOfRange) {
    const unsigned expected[] = {0x000000, 0x0000FF, 0xFF0000, 0xFF00FF, 0x00FF00, 0x00FFFF, 0xFFFF00, 0xFFFFFF};
    for (int n = 0; n < 8; ++n) EXPECT_EQ(ColourByNumber(n), expected[n]);
    EXPECT_EQ(ColourByNumber(-1), 0u);
    EXPECT_EQ(ColourByNumber(8), 0u);
    EXPECT_EQ(ColourByNumber(99), 0u);
}

}  // namespace
