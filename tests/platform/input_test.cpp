// What the game sees of its keys and pads: quick taps, focus changes, pads coming and going, alone
// and through SDL's virtual joysticks.
#include <gtest/gtest.h>

#include "platform/common/held_input.h"
#include "platform/common/pad_choice.h"
#include "platform/dx.h"
#include "platform/sdl/backend.h"

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
    void Tap(int key) {
        input_.Press(key);
        input_.Release(key);
    }

    HeldInput input_;
};

TEST_F(Held, TapBetweenTwoTicksReadsHeldForOneTick) {
    Tap(DOWN);
    input_.Press(UP);
    EXPECT_EQ(Tick(), "1100");
    EXPECT_EQ(Tick(), "1000");
    input_.Release(UP);
    Tap(UP);  // a second tap while the first one is still in the view
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
    Tap(R);  // the key repeat resumes in the window
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
    Tap(RETURN);          // the player's own release...
    input_.OtherEvent();  // ...with something between it and the focus loss
    input_.FocusLost();
    EXPECT_EQ(Tick(), "0010");  // the tap is still seen once
    EXPECT_EQ(Tick(), "0000");
    input_.FocusGained();
    Tap(R);  // ...or ticks between them
    EXPECT_EQ(Tick(), "0001");
    EXPECT_EQ(Tick(), "0000");
    input_.FocusLost();
    EXPECT_EQ(Tick(), "0000");
}

TEST_F(Held, PadPulledOutWhileHeldIsNoRelease) {
    input_.Press(RETURN);
    input_.Press(DOWN);
    input_.SourceLost(RETURN);
    input_.SourceLost(DOWN);
    input_.SourceLost(UP);  // not held: nothing to keep
    EXPECT_EQ(Tick(), "0010");
    Tap(RETURN);  // the next pad's button
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

class PadHotplug : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        SetActOnRelease(backend_, PAD_INPUT_1, {});
    }
    void TearDown() override {
        if (backend_.pad) SDL_GameControllerClose(backend_.pad);
        for (SDL_Joystick* handle : handles_) SDL_JoystickClose(handle);
        while (SDL_NumJoysticks() > 0) SDL_JoystickDetachVirtual(0);
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    int Plug() {
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                    SDL_CONTROLLER_BUTTON_MAX, 0);
        EXPECT_GE(index, 0) << SDL_GetError();
        handles_.push_back(SDL_JoystickOpen(index));  // to press its buttons
        return SDL_JoystickInstanceID(handles_.back());
    }
    void Pull(int id) {
        SDL_Joystick* handle = SDL_JoystickFromInstanceID(id);
        std::erase(handles_, handle);
        SDL_JoystickClose(handle);
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
    void PressSouth(int id, bool down) {
        SDL_JoystickSetVirtualButton(SDL_JoystickFromInstanceID(id), SDL_CONTROLLER_BUTTON_A, down ? 1 : 0);
        SDL_JoystickUpdate();
    }
    void PushStick(int id, Sint16 y) {
        SDL_JoystickSetVirtualAxis(SDL_JoystickFromInstanceID(id), SDL_CONTROLLER_AXIS_LEFTY, y);
        SDL_JoystickUpdate();
    }
    // One tick of the game: the events so far, then the joypad bits it reads.
    int ReadPad() {
        SDL_Event event;
        while (SDL_PollEvent(&event)) HandleInputEvent(backend_, event);
        backend_.input.Tick();
        return ::ReadPad(backend_);
    }
    int ReadId() const {
        return backend_.pad ? SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(backend_.pad)) : -1;
    }

    Backend backend_;
    std::vector<SDL_Joystick*> handles_;
};

TEST_F(PadHotplug, FirstIsReadUntilPulledOutThenTheNext) {
    UpdatePad(backend_);
    EXPECT_EQ(backend_.pad, nullptr);
    EXPECT_EQ(ReadPad(), 0);
    const int first = Plug();
    UpdatePad(backend_);
    ASSERT_EQ(ReadId(), first);
    const int second = Plug();
    UpdatePad(backend_);
    EXPECT_EQ(ReadId(), first);
    PressSouth(second, true);
    EXPECT_EQ(ReadPad() & PAD_INPUT_1, 0);  // only the pad in use counts
    PressSouth(first, true);
    EXPECT_EQ(ReadPad() & PAD_INPUT_1, PAD_INPUT_1);
    // The removal is reported while the device may still be listed. The button held on the pad
    // pulled out is not let go for the game (that would start a stage): it ends with a release on
    // the new pad.
    UpdatePad(backend_, first);
    EXPECT_EQ(ReadId(), second);
    Pull(first);
    UpdatePad(backend_, first);
    EXPECT_EQ(ReadId(), second);
    EXPECT_EQ(ReadPad() & PAD_INPUT_1, PAD_INPUT_1);
    PressSouth(second, false);
    EXPECT_EQ(ReadPad(), 0);
    Pull(second);
    UpdatePad(backend_, second);
    EXPECT_EQ(backend_.pad, nullptr);
    EXPECT_EQ(ReadPad(), 0);
    const int third = Plug();
    UpdatePad(backend_);
    EXPECT_EQ(ReadId(), third);
}

TEST_F(PadHotplug, TapsBetweenTwoReadsAreSeenOnce) {
    const int pad = Plug();
    UpdatePad(backend_);
    ReadPad();
    PressSouth(pad, true);
    PressSouth(pad, false);
    PushStick(pad, 32767);
    PushStick(pad, 0);
    EXPECT_EQ(ReadPad(), PAD_INPUT_1 | PAD_INPUT_DOWN);
    EXPECT_EQ(ReadPad(), 0);
    PushStick(pad, -20000);
    EXPECT_EQ(ReadPad(), PAD_INPUT_UP);
    EXPECT_EQ(ReadPad(), PAD_INPUT_UP);  // held across reads
    PushStick(pad, -100);                // inside the dead zone
    EXPECT_EQ(ReadPad(), 0);
}

}  // namespace
