#include <gtest/gtest.h>

#include "platform/common/input_script.h"
#include "platform/dx.h"

namespace {

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
    for (const char* bad : {"-1 up", "1.5 up", "10", "10 up down", "10 up+", "10 +up", "10 UP",
                            "shot", "shot a.jpg", "shot .png x", "99999999999999999999 -", "2000000000 -"})
        ErrorFor(bad);
}

TEST(InputScript, PlayerTicksAndVirtualClock) {
    ScriptPlayer player(Parse("2 up\nshot a.png\n1 -\n1 return\nshot b.png\nshot c.png"));
    EXPECT_EQ(player.HeldKeys(), 0u);  // nothing before the first tick
    EXPECT_EQ(player.NowMs(), 0);
    EXPECT_TRUE(player.TakeDueShots().empty());
    player.Tick();
    player.Tick();
    EXPECT_EQ(player.HeldKeys(), SCRIPT_UP);
    EXPECT_EQ(player.NowMs(), 33);  // floor(2000 / 60)
    EXPECT_EQ(player.TakeDueShots(), std::vector<std::string>{"a.png"});
    EXPECT_TRUE(player.TakeDueShots().empty());  // handed out once
    player.Tick();
    EXPECT_EQ(player.HeldKeys(), 0u);
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

TEST(InputScript, CloseKeyClosesWhileHeld) {
    ScriptPlayer player(Parse("1 close\n1 -"));
    player.Tick();
    EXPECT_TRUE(player.WindowClosed());
}

TEST(InputScript, KeysMapToPadBitsAndKeyCodes) {
    EXPECT_EQ(ScriptKeysToPad(SCRIPT_DOWN | SCRIPT_LEFT | SCRIPT_RIGHT | SCRIPT_UP | SCRIPT_Z), 0x1F);
    EXPECT_EQ(ScriptKeysToPad(SCRIPT_RETURN | SCRIPT_ESCAPE), 0);
    EXPECT_TRUE(ScriptKeysHitKey(SCRIPT_ESCAPE, KEY_INPUT_ESCAPE));
    EXPECT_TRUE(ScriptKeysHitKey(SCRIPT_E, KEY_INPUT_E));
    EXPECT_TRUE(ScriptKeysHitKey(SCRIPT_R, KEY_INPUT_R));
    EXPECT_TRUE(ScriptKeysHitKey(SCRIPT_RETURN, KEY_INPUT_RETURN));
    EXPECT_FALSE(ScriptKeysHitKey(SCRIPT_Z, KEY_INPUT_RETURN));
    EXPECT_FALSE(ScriptKeysHitKey(~0u, 57));
}

}  // namespace
