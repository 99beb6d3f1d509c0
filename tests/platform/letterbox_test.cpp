#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sdl/letterbox.h"

namespace {

void ExpectRect(ScreenRect r, ScreenRect expected) {
    EXPECT_EQ(r.x, expected.x);
    EXPECT_EQ(r.y, expected.y);
    EXPECT_EQ(r.width, expected.width);
    EXPECT_EQ(r.height, expected.height);
}

TEST(Letterbox, WindowSizesFillTheWindow) {
    ExpectRect(FitPicture(800, 400), {0, 0, 800, 400});
    ExpectRect(FitPicture(1200, 600), {0, 0, 1200, 600});  // size rate 1.5
    ExpectRect(FitPicture(1600, 800), {0, 0, 1600, 800});  // size rate 2
    ExpectRect(FitPicture(1, 1), {0, 0, 1, 1});            // a tiny window still shows something
    ExpectRect(FitPicture(0, 400), {0, 0, 0, 0});
    ExpectRect(FitPicture(800, -1), {0, 0, 0, 0});
}

TEST(Letterbox, FullscreenWholeMultiplesWhereTheyCoverMostOfTheScreen) {
    ExpectRect(FitPicture(2560, 1440), {80, 120, 2400, 1200});  // 3x leaves narrow side bars
    ExpectRect(FitPicture(1650, 820), {25, 10, 1600, 800});
    ExpectRect(FitPicture(850, 2000), {25, 800, 800, 400});     // tall: the bars are above and below
    ExpectRect(FitPicture(801, 1000), {0, 300, 800, 400});
    // Too far from a whole multiple: smooth, touching two edges.
    ExpectRect(FitPicture(1920, 1080), {0, 60, 1920, 960});
    ExpectRect(FitPicture(1920, 1200), {0, 120, 1920, 960});
    ExpectRect(FitPicture(3840, 2160), {0, 120, 3840, 1920});
    ExpectRect(FitPicture(1366, 768), {0, 42, 1366, 683});      // odd leftover: the extra pixel goes below
    ExpectRect(FitPicture(799, 399), {0, 0, 798, 399});         // smaller than the picture
    ExpectRect(FitPicture(1000, 3), {497, 0, 6, 3});
}

// Over many sizes: inside the drawable, centred, 2:1 within a pixel, and either a whole multiple
// or touching two opposite edges.
TEST(Letterbox, EveryPlacementIsCentredAndFaithful) {
    for (int w = 1; w <= 4000; w += 37) {
        for (int h = 1; h <= 2500; h += 29) {
            const ScreenRect r = FitPicture(w, h);
            SCOPED_TRACE(testing::Message() << w << "x" << h);
            ASSERT_GE(r.x, 0);
            ASSERT_GE(r.y, 0);
            ASSERT_LE(r.x + r.width, w);
            ASSERT_LE(r.y + r.height, h);
            ASSERT_EQ(r.x, (w - r.width) / 2);
            ASSERT_EQ(r.y, (h - r.height) / 2);
            if (r.width >= 2) {
                ASSERT_LE(std::abs(r.width - 2 * r.height), 2);
            }
            const bool whole = r.width % 800 == 0 && r.height == r.width / 2;
            const bool touches = r.width == w || r.height == h;
            ASSERT_TRUE(whole || touches);
            if (whole && !touches) {
                ASSERT_GE(r.width * 8, std::min(w, 2 * h) * 7 - 16);
            }
        }
    }
}

}  // namespace
