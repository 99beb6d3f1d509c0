#include <gtest/gtest.h>

#include "platform/sdl/letterbox.h"

namespace {

void ExpectRect(ScreenRect r, ScreenRect expected) {
    EXPECT_EQ(r.x, expected.x);
    EXPECT_EQ(r.y, expected.y);
    EXPECT_EQ(r.width, expected.width);
    EXPECT_EQ(r.height, expected.height);
}

TEST(Letterbox, WindowSizesAndOddDrawables) {
    ExpectRect(FitPicture(800, 400), {0, 0, 800, 400});
    ExpectRect(FitPicture(1200, 600), {0, 0, 1200, 600});   // rate 1.5 fills the window
    ExpectRect(FitPicture(1600, 800), {0, 0, 1600, 800});   // rate 2, or a HiDPI drawable
    ExpectRect(FitPicture(1, 1), {0, 0, 1, 1});              // a tiny window still shows something
    ExpectRect(FitPicture(1920, 1080), {0, 60, 1920, 960});  // wide bars above and below
    ExpectRect(FitPicture(801, 1000), {0, 300, 801, 400});
    ExpectRect(FitPicture(1650, 820), {25, 10, 1600, 800});  // close to a whole multiple: keep it crisp
    ExpectRect(FitPicture(0, 400), {0, 0, 0, 0});
}

}  // namespace
