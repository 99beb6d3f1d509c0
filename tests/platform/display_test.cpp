// Pure pieces of the window and the 3-D pass: where the picture lands, the frame pacer on simulated
// displays, and the camera's projection.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

#include "platform/gl/letterbox.h"
#include "platform/gl/scene_camera.h"
#include "platform/sdl/pacer.h"

namespace {

TEST(Letterbox, PlacementsForWindowsAndScreens) {
    // clang-format off
    const std::pair<std::array<int, 2>, std::array<int, 4>> cases[] = {  // screen, then x, y, width, height
        // A window at any size rate is filled; a tiny one still shows something.
        {{800, 400}, {0, 0, 800, 400}},     {{1200, 600}, {0, 0, 1200, 600}},  {{1, 1}, {0, 0, 1, 1}},
        {{0, 400}, {0, 0, 0, 0}},           {{800, -1}, {0, 0, 0, 0}},
        // A whole multiple where it covers most of the screen; the bars are beside or above and below.
        {{2560, 1440}, {80, 120, 2400, 1200}}, {{1650, 820}, {25, 10, 1600, 800}}, {{850, 2000}, {25, 800, 800, 400}},
        {{801, 1000}, {0, 300, 800, 400}},
        // Too far from a whole multiple: smooth, touching two edges; an odd leftover pixel goes below.
        {{1920, 1080}, {0, 60, 1920, 960}}, {{1920, 1200}, {0, 120, 1920, 960}}, {{1366, 768}, {0, 42, 1366, 683}},
        {{799, 399}, {0, 0, 798, 399}},     {{1000, 3}, {497, 0, 6, 3}},
    };
    // clang-format on
    for (const auto& [screen, placed] : cases) {
        const ScreenRect r = FitPicture(screen[0], screen[1]);
        EXPECT_EQ((std::array{r.x, r.y, r.width, r.height}), placed) << screen[0] << "x" << screen[1];
    }
}

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

// `stillRun` frames in a row after each presented one show nothing new and, once the pacer lets
// them, do not swap.
PacedRun Simulate(Display display, bool vsyncAvailable, int64_t workNs = 2 * MS, int64_t stallAtNs = -1,
                  int stillRun = 0) {
    FramePacer pacer(vsyncAvailable);
    const int64_t refresh = int64_t(1e9 / display.hz);
    PacedRun run;
    int64_t t = 0, previousStart = -1;
    for (int frame = 0; t < 3000 * MS; ++frame) {
        const int64_t start = t;
        if (start >= 2000 * MS) ++run.framesInThirdSecond;
        if (previousStart >= 1000 * MS) run.longestGap = std::max(run.longestGap, start - previousStart);
        previousStart = start;
        t += workNs;
        if (stallAtNs >= 0 && start >= stallAtNs && start < stallAtNs + 20 * MS) t += 100 * MS;
        if (frame % (stillRun + 1) != 0 && pacer.MaySkip()) {
            t = std::max(t, pacer.AfterSkip(t));
            continue;
        }
        if (pacer.WantsVsync() && display.swapBlocks) t = (t / refresh + 1) * refresh;
        t = std::max(t, pacer.AfterSwap(t));
    }
    run.mode = pacer.mode();
    return run;
}

// Every display gets 60 frames a second, with vsync trusted on a 60 Hz one alone; a still screen
// (every other frame, or nine in ten, showing nothing new) changes neither the choice nor the pace.
TEST(FramePacer, SixtyFramesOnEveryDisplay) {
    using enum FramePacer::Mode;
    const std::tuple<Display, bool, FramePacer::Mode> cases[] = {
        // the display, vsync available, the choice
        {{60, true}, true, Vsync},     {{59.94, true}, true, Vsync}, {{75, true}, true, Limiter},
        {{120, true}, true, Limiter},  {{144, true}, true, Limiter}, {{50, true}, true, Limiter},
        {{60, false}, true, Limiter},   // swaps never block: vsync is not trusted
        {{144, true}, false, Limiter},  // no vsync at all
    };
    for (const auto& [display, vsync, mode] : cases)
        for (const int stillRun : {0, 1, 9}) {
            const PacedRun run = Simulate(display, vsync, 2 * MS, -1, stillRun);
            EXPECT_NEAR(run.framesInThirdSecond, 60, 1) << display.hz << " Hz, still " << stillRun;
            EXPECT_LE(run.longestGap, FramePacer::FRAME_NS + MS) << display.hz << " Hz, still " << stillRun;
            EXPECT_EQ(run.mode, mode) << display.hz << " Hz, blocks " << display.swapBlocks << ", still " << stillRun;
        }
}

// Slow frames run as fast as they can, and a stall is followed by the normal pace rather than a
// burst that catches up.
TEST(FramePacer, LimiterWithoutVsync) {
    EXPECT_NEAR(Simulate({60, false}, false, 25 * MS).framesInThirdSecond, 40, 1);
    const PacedRun stalled = Simulate({60, false}, false, 2 * MS, 1500 * MS);
    EXPECT_NEAR(stalled.framesInThirdSecond, 60, 1);
    EXPECT_GE(stalled.longestGap, 100 * MS);  // the stall itself
}

// Centre of cell (x, y) at eye height, as the maze places cells in the world.
VECTOR Cell(float x, float y) { return {y * 1000, 500, x * 1000}; }

SceneCamera Looking(VECTOR eye, VECTOR d) { return {eye, {eye.x + d.x, eye.y + d.y, eye.z + d.z}}; }

// Where the point lands on the picture; NaN for both when it is off it or behind the eye, which
// fails every comparison made with it.
std::pair<float, float> OnScreen(const SceneCamera& camera, VECTOR point) {
    float x = 0, y = 0;
    if (!ProjectToScreen(camera, point, x, y)) return {NAN, NAN};
    return {x, y};
}

TEST(SceneCamera, WhatLiesLeftOnTheMapIsDrawnOnTheLeft) {
    // At the entrance (2, 1) looking along +X, toward (2, 2): the map's x + 1 side is the left.
    const SceneCamera start = Looking(Cell(2, 1), {1, 0, 0});
    EXPECT_NEAR(OnScreen(start, Cell(2, 3)).first, 400, 0.5f);
    EXPECT_NEAR(OnScreen(start, Cell(2, 3)).second, 200, 0.5f);
    EXPECT_LT(OnScreen(start, Cell(3, 2)).first, 200);
    EXPECT_GT(OnScreen(start, Cell(1, 2)).first, 600);
    // A quarter turn to the left (view angle pi/2): the cell that was on the left is ahead, the one
    // that was ahead-left is now ahead-right.
    const float angle = 1.5707963705062866f;
    const SceneCamera turned = Looking(Cell(2, 1), {std::cos(angle), 0, std::sin(angle)});
    EXPECT_NEAR(OnScreen(turned, Cell(4, 1)).first, 400, 0.5f);
    EXPECT_GT(OnScreen(turned, Cell(3, 2)).first, 600);
    EXPECT_TRUE(std::isnan(OnScreen(turned, Cell(1, 1)).first));  // behind
    // Looking straight down still gives a picture.
    EXPECT_NEAR(OnScreen(Looking({0, 500, 0}, {0, -1, 0}), {0, 0, 0}).second, 200, 0.5f);
}

TEST(SceneCamera, UpFieldOfViewDepthAndUnusableCameras) {
    SceneCamera camera = Looking({0, 500, 0}, {1, 0, 0});
    EXPECT_LT(OnScreen(camera, {1000, 1000, 0}).second, 200);
    // 60 degrees from top to bottom: 29 degrees up is on the screen, 31 is not.
    const float d = 1000;
    EXPECT_NEAR(OnScreen(camera, {d, 500 + d * std::tan(0.506f), 0}).second, 0, 12);
    EXPECT_TRUE(std::isnan(OnScreen(camera, {d, 500 + d * std::tan(0.541f), 0}).second));
    // The screen is twice as wide as high: a point 45 degrees aside is still on it.
    EXPECT_FALSE(std::isnan(OnScreen(camera, {d, 500, d * 0.99f}).first));
    // A narrower lens puts the same point further out.
    const float wide = OnScreen(camera, {d, 700, 0}).second;
    camera.fieldOfView = 0.5f;
    EXPECT_LT(OnScreen(camera, {d, 700, 0}).second, wide);
    // Deep enough for the longest corridor, but nothing right at the eye.
    camera = Looking(Cell(1, 1), {0, 0, 1});
    EXPECT_FALSE(std::isnan(OnScreen(camera, Cell(80, 1)).first));
    EXPECT_FALSE(std::isnan(OnScreen(camera, {1000, 500, 1000 + 20}).first));
    EXPECT_TRUE(std::isnan(OnScreen(camera, {1000, 500, 1000 + 5}).first));
    EXPECT_TRUE(CameraIsUsable({0, 0, 0}, {0, 0, 1}) && FieldOfViewIsUsable(1.0471975803375244f));
    EXPECT_FALSE(CameraIsUsable({1, 2, 3}, {1, 2, 3}) || CameraIsUsable({0, 0, 0}, {NAN, 0, 1}));
    EXPECT_FALSE(FieldOfViewIsUsable(0) || FieldOfViewIsUsable(3.2f) || FieldOfViewIsUsable(NAN));
}

}  // namespace
