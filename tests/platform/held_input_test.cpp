// What the game sees of its keys: quick taps, focus changes, a pad pulled out; and the controller
// choice as pads come and go.
#include <gtest/gtest.h>

#include "platform/common/held_input.h"
#include "platform/common/pad_choice.h"

namespace {

constexpr int UP = 0, DOWN = 1, RETURN = 2, R = 3;

class Held : public testing::Test {
protected:
    void SetUp() override {
        input_.ActsOnRelease(RETURN);
        input_.ActsOnRelease(R);
    }
    // The view of the next tick, as "Up Down Return R" flags.
    std::string Tick() {
        input_.Tick();
        std::string view;
        for (int key : {UP, DOWN, RETURN, R}) view += input_.Held(key) ? '1' : '0';
        return view;
    }
    // A focus loss as the window system reports it: every held key let go, then the loss.
    void LoseFocus(std::initializer_list<int> held) {
        for (int key : held) input_.Release(key);
        input_.FocusLost();
    }

    HeldInput input_;
};

TEST_F(Held, TapBetweenTwoTicksReadsHeldForOneTick) {
    input_.Press(DOWN);
    input_.Release(DOWN);
    input_.Press(UP);
    EXPECT_EQ(Tick(), "1100");
    EXPECT_EQ(Tick(), "1000");
    input_.Release(UP);
    input_.Press(UP);  // a second tap while the first one is still in the view
    input_.Release(UP);
    EXPECT_EQ(Tick(), "1000");
    EXPECT_EQ(Tick(), "0000");
    input_.Press(-1);  // keys the game does not read change nothing
    input_.Release(HeldInput::MAX_INPUTS);
    EXPECT_EQ(Tick(), "0000");
}

TEST_F(Held, StartKeyHeldThroughAFocusChangeCountsOnlyWhenLetGoInTheWindow) {
    input_.Press(RETURN);
    input_.Press(R);
    EXPECT_EQ(Tick(), "0011");
    LoseFocus({RETURN, R});
    EXPECT_EQ(Tick(), "0011");
    input_.FocusGained();
    input_.LetGoElsewhere(RETURN);  // only walking keys are given up that way
    EXPECT_EQ(Tick(), "0011");
    input_.Press(R);  // the key repeat resumes in the window
    input_.Release(R);
    EXPECT_EQ(Tick(), "0010");
    // Return was let go in the other window: held until its next press and release here.
    input_.OtherEvent();
    input_.Press(RETURN);
    EXPECT_EQ(Tick(), "0010");
    input_.Release(RETURN);
    EXPECT_EQ(Tick(), "0000");
}

TEST_F(Held, WalkingKeyHeldThroughAFocusChangeStaysLetGoUntilPressedAnew) {
    input_.Press(UP);
    EXPECT_EQ(Tick(), "1000");
    LoseFocus({UP});
    EXPECT_EQ(Tick(), "0000");
    input_.FocusGained();
    input_.Press(UP);  // still held: the key repeat in the window is no new press
    EXPECT_EQ(Tick(), "0000");
    input_.Release(UP);
    input_.Press(UP);
    EXPECT_EQ(Tick(), "1000");
    // Let go in another window, which the window system tells at the focus gain: the next press counts.
    LoseFocus({UP});
    input_.FocusGained();
    input_.LetGoElsewhere(UP);
    EXPECT_EQ(Tick(), "0000");
    input_.Press(UP);
    EXPECT_EQ(Tick(), "1000");
}

TEST_F(Held, OnlyReleasesRightBeforeTheFocusLossAreTheWindowSystems) {
    input_.Press(RETURN);
    input_.Release(RETURN);  // the player's own release...
    input_.OtherEvent();     // ...with something between it and the focus loss
    input_.FocusLost();
    EXPECT_EQ(Tick(), "0010");  // the tap is still seen once
    EXPECT_EQ(Tick(), "0000");
}

TEST_F(Held, PadPulledOutWhileHeldIsNoRelease) {
    input_.Press(RETURN);
    input_.Press(DOWN);
    input_.SourceLost(RETURN);
    input_.SourceLost(DOWN);
    input_.SourceLost(UP);  // not held: nothing to keep
    EXPECT_EQ(Tick(), "0010");
    input_.Press(RETURN);  // the next pad's button
    input_.Release(RETURN);
    EXPECT_EQ(Tick(), "0000");
}

TEST(PadChoice, FirstControllerKeptUntilPulledOut) {
    const PluggedDevice stick{5, false}, padA{7, true}, padB{9, true};
    EXPECT_EQ(ChoosePad(-1, {}), -1);
    EXPECT_EQ(ChoosePad(-1, {stick}), -1);  // a joystick without a controller layout is not used
    EXPECT_EQ(ChoosePad(-1, {stick, padA}), 1);
    EXPECT_EQ(ChoosePad(-1, {stick, padA, padB}), 1);
    // Another pad plugged in, even ahead in the list, does not take over.
    EXPECT_EQ(ChoosePad(9, {padA, padB}), 1);
    EXPECT_EQ(ChoosePad(7, {stick, padB, padA}), 2);
    // The one in use pulled out: the next still plugged in, or none.
    EXPECT_EQ(ChoosePad(7, {stick, padB}), 1);
    EXPECT_EQ(ChoosePad(7, {stick}), -1);
    EXPECT_EQ(ChoosePad(5, {stick, padB}), 1);  // a current id that is no controller is dropped
}

}  // namespace
