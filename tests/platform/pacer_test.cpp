// The pacer on simulated displays: a swap with vsync on waits for the next refresh when the display
// really blocks; the game must see 60 frames a second whatever the display does.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/sdl/pacer.h"

namespace {

constexpr int64_t MS = 1'000'000;

struct Display {
    double hz;
    bool swapBlocks;  // false: vsync is ignored, as under Xvfb or with a driver override
};

struct PacedRun {
    int framesInThirdSecond = 0;
    FramePacer::Mode mode = FramePacer::Mode::Probe;
    int64_t longestGap = 0;  // between frame starts, after the first second
};

PacedRun Simulate(Display display, bool vsyncAvailable, int64_t workNs = 2 * MS, int64_t stallAtNs = -1) {
    FramePacer pacer(vsyncAvailable);
    const int64_t refresh = int64_t(1e9 / display.hz);
    PacedRun run;
    int64_t t = 0, previousStart = -1;
    while (t < 3000 * MS) {
        const int64_t start = t;
        if (start >= 2000 * MS) ++run.framesInThirdSecond;
        if (previousStart >= 1000 * MS) run.longestGap = std::max(run.longestGap, start - previousStart);
        previousStart = start;
        t += workNs;
        if (stallAtNs >= 0 && start >= stallAtNs && start < stallAtNs + 20 * MS) t += 100 * MS;
        if (pacer.WantsVsync() && display.swapBlocks) t = (t / refresh + 1) * refresh;
        t = std::max(t, pacer.AfterSwap(t));
    }
    run.mode = pacer.mode();
    return run;
}

TEST(FramePacer, SixtyFramesOnEveryDisplay) {
    const struct {
        Display display;
        FramePacer::Mode mode;
    } cases[] = {
        {{60, true}, FramePacer::Mode::Vsync},     {{59.94, true}, FramePacer::Mode::Vsync},
        {{75, true}, FramePacer::Mode::Limiter},   {{120, true}, FramePacer::Mode::Limiter},
        {{144, true}, FramePacer::Mode::Limiter},  {{50, true}, FramePacer::Mode::Limiter},
        {{60, false}, FramePacer::Mode::Limiter},  // swaps never block: vsync is not trusted
    };
    for (const auto& c : cases) {
        const PacedRun run = Simulate(c.display, true);
        EXPECT_NEAR(run.framesInThirdSecond, 60, 1) << c.display.hz << " Hz, blocks " << c.display.swapBlocks;
        EXPECT_EQ(run.mode, c.mode) << c.display.hz << " Hz";
    }
}

TEST(FramePacer, LimiterWithoutVsync) {
    const PacedRun run = Simulate({144, true}, false);
    EXPECT_EQ(run.mode, FramePacer::Mode::Limiter);
    EXPECT_NEAR(run.framesInThirdSecond, 60, 1);
    // Slow frames run as fast as they can, without piling up a debt.
    EXPECT_NEAR(Simulate({60, false}, false, 25 * MS).framesInThirdSecond, 40, 1);
}

TEST(FramePacer, StallDoesNotCauseABurst) {
    const PacedRun run = Simulate({60, false}, false, 2 * MS, 1500 * MS);
    EXPECT_NEAR(run.framesInThirdSecond, 60, 1);
    EXPECT_GE(run.longestGap, 100 * MS);  // the stall itself
    // After the stall the pace resumes at once instead of rushing to catch up.
    const PacedRun steady = Simulate({60, false}, false);
    EXPECT_LE(steady.longestGap, FramePacer::FRAME_NS + MS);
}

}  // namespace
