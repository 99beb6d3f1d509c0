// Recorded input scripts: what live play gave the game comes back from the replay, tick by tick and
// reading by reading, and the file holds every tick played even before it is closed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "platform/common/input_script.h"
#include "platform/common/script_recorder.h"

namespace {

struct LiveTick {
    uint32_t keys;
    std::vector<uint32_t> reads;  // clock readings after this tick, before the next
};

// Live play as the platform meets it: keys held for a while, the clock read about once a tick on a
// pace that slips now and then, twice around a picture change, and now and then the system's
// uptime for a re-seed.
std::vector<LiveTick> LivePlay(std::mt19937& chance, int ticks) {
    std::vector<LiveTick> play;
    uint32_t keys = 0;
    double frameStart = 1234.5;
    for (int i = 0; i < ticks; ++i) {
        if (chance() % 20 == 0) keys = chance() % (SCRIPT_CLOSE << 1);
        frameStart += 1000.0 / 60 + (chance() % 30 == 0 ? chance() % 40 : 0);
        const double now = frameStart + chance() % 100 / 1000.0;
        LiveTick tick{keys, {}};
        const unsigned kind = chance() % 100;
        if (kind < 90) tick.reads = {uint32_t(now)};
        if (kind == 90) tick.reads = {uint32_t(now), uint32_t(now + 16.9)};
        if (kind == 91) tick.reads = {uint32_t(now), uint32_t(now), uint32_t(now + 17)};
        if (kind == 92) tick.reads = {2'000'000'000u + uint32_t(now)};
        play.push_back(tick);
    }
    return play;
}

InputScript Load(const std::string& path) {
    InputScript script;
    std::string error;
    EXPECT_TRUE(LoadInputScript(path.c_str(), script, error)) << error;
    return script;
}

TEST(ScriptRecorder, ReplayGivesBackEveryKeyAndClockReading) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("quarnel_rec_" + std::to_string(getpid()))).string();
    std::mt19937 chance(7);
    const std::vector<LiveTick> play = LivePlay(chance, 5000);
    ScriptRecorder recorder;
    std::string error;
    ASSERT_TRUE(recorder.Open(path.c_str(), error)) << error;
    recorder.StartValue("rand", "42");
    recorder.StartValue("best", "98.1 -");
    for (size_t i = 0; i < play.size(); ++i) {
        recorder.Tick(play[i].keys);
        for (uint32_t ms : play[i].reads) recorder.ClockRead(ms);
        if (i == 999) {  // written as play goes
            uint64_t ticks = 0;
            for (const ScriptHold& hold : Load(path).holds) ticks += hold.ticks;
            EXPECT_EQ(ticks, 1000u);
        }
    }
    recorder.Close();

    const InputScript script = Load(path);
    size_t reads = 0;
    for (const LiveTick& tick : play) reads += tick.reads.size();
    EXPECT_LT(script.clock.size(), reads / 4);  // readings that keep the replay clock's pace need no line
    ScriptPlayer replay(script);
    EXPECT_EQ(replay.RandSeed(), 42u);
    EXPECT_EQ(replay.StartValue("best"), "98.1 -");
    for (size_t i = 0; i < play.size(); ++i) {
        replay.Tick();
        ASSERT_EQ(replay.HeldKeys(), play[i].keys) << "tick " << i + 1;
        for (uint32_t ms : play[i].reads) ASSERT_EQ(replay.ReadClock(), ms) << "tick " << i + 1;
    }
    replay.Tick();
    EXPECT_TRUE(replay.WindowClosed());
    std::filesystem::remove(path);
}

TEST(ScriptRecorder, MalformedClockLinesAndStartValuesAreErrors) {
    InputScript script;
    std::string error;
    EXPECT_TRUE(ParseInputScript("seed 7\nrand 9\nbest - 97.3\nclock 500\n", script, error)) << error;
    for (const char* bad : {"clock", "clock x", "clock 4294967296", "seed -1", "rand 1 2", "best 98.1", "best 98 -",
                            "best 98.12 -", "best x -", "bestx 1"})
        EXPECT_FALSE(ParseInputScript(bad, script, error)) << bad;
}

}  // namespace
