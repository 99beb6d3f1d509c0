// Held input the game may see after a focus loss or an Alt+Return, and the controller choice as
// pads come and go.
#include <gtest/gtest.h>

#include "platform/common/input_gate.h"
#include "platform/common/pad_choice.h"

namespace {

constexpr int RETURN = 40, UP = 82, Z = 29;

TEST(InputGate, AltReturnHidesReturnUntilReleased) {
    InputGate gate;
    gate.Pressed(RETURN);
    gate.Hide(RETURN);  // it came with Alt
    EXPECT_FALSE(gate.Shows(RETURN, true));
    EXPECT_FALSE(gate.Shows(RETURN, true));  // Alt let go first: still hidden
    EXPECT_TRUE(gate.Shows(UP, true));       // other keys are untouched
    EXPECT_FALSE(gate.Shows(RETURN, false));
    EXPECT_TRUE(gate.Shows(RETURN, true));  // the next press counts
    // A released event shows it again even when the game did not look in between.
    gate.Hide(RETURN);
    gate.Released(RETURN);
    EXPECT_TRUE(gate.Shows(RETURN, true));
}

TEST(InputGate, FocusLossClearsKeysAndPadUntilPressedAnew) {
    InputGate gate;
    gate.HideAll();
    // The keyboard may still report keys held after the focus went away.
    EXPECT_FALSE(gate.Shows(UP, true));
    EXPECT_FALSE(gate.Shows(Z, true));
    EXPECT_EQ(gate.PadBits(0x1 | 0x10), 0);
    gate.Pressed(UP);  // pressed anew
    EXPECT_TRUE(gate.Shows(UP, true));
    EXPECT_FALSE(gate.Shows(Z, true));
    // Pad bits show again one by one once seen released.
    EXPECT_EQ(gate.PadBits(0x10), 0);
    EXPECT_EQ(gate.PadBits(0x1 | 0x10), 0x1);
    EXPECT_EQ(gate.PadBits(0), 0);
    EXPECT_EQ(gate.PadBits(0x1 | 0x10), 0x11);
    // Codes out of range pass through.
    EXPECT_TRUE(gate.Shows(-1, true));
    EXPECT_TRUE(gate.Shows(InputGate::KEY_COUNT, true));
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
