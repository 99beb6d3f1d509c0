// What the game sees of its keys and pads: quick taps, focus changes, pads coming and going, alone
// and through SDL's virtual joysticks.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/common/held_input.h"
#include "platform/common/pad_choice.h"
#include "platform/dx.h"
#include "platform/sdl/backend.h"

namespace {

// Plays events on Up, Down, Return and R (the last two act on their release) and gives the view of
// each tick as "Up Down Return R" flags. Events: +k press, -k release, *k tap (press and release),
// ek let go in another window, sk its pad pulled out, L focus lost, G focus gained, o any other
// event, t a tick; k is one of u d n r, or x and X for inputs the game does not read.
std::string Views(const std::string& events) {
    HeldInput input;
    input.ActsOnRelease(2);
    input.ActsOnRelease(3);
    std::string views;
    std::istringstream in(events);
    for (std::string e; in >> e;) {
        const int key = e.size() < 2 ? -1 : e[1] == 'X' ? HeldInput::MAX_INPUTS : int(std::string("udnr").find(e[1]));
        if (e[0] == '+' || e[0] == '*') input.Press(key);
        if (e[0] == '-' || e[0] == '*') input.Release(key);
        if (e[0] == 'e') input.LetGoElsewhere(key);
        if (e[0] == 's') input.SourceLost(key);
        if (e == "L") input.FocusLost();
        if (e == "G") input.FocusGained();
        if (e == "o") input.OtherEvent();
        if (e != "t") continue;
        input.Tick();
        views += views.empty() ? "" : " ";
        for (int k = 0; k < 4; ++k) views += input.Held(k) ? '1' : '0';
    }
    return views;
}

// A focus loss as the window system reports it comes right after the release of every held key.
TEST(HeldInput, TapsFocusChangesAndPadsPulledOut) {
    const std::pair<const char*, const char*> cases[] = {
        // A tap between two ticks reads held for one tick, a second tap while the first is still in
        // the view adds nothing, and keys the game does not read change nothing.
        {"*d +u t t -u *u t t +x -X t", "1100 1000 1000 0000 0000"},
        // A start key held through a focus change counts only when let go in the window: letting go
        // elsewhere gives up walking keys alone, and the key repeat resumes in the window.
        {"+n +r t -n -r L t G en t *r t o +n t -n t", "0011 0011 0011 0010 0010 0000"},
        // A walking key held through a focus change stays let go until pressed anew (a key repeat
        // in the window is no new press); let go in another window, the next press counts.
        {"+u t -u L t G +u t -u +u t -u L G eu t +u t", "1000 0000 0000 1000 0000 1000"},
        // Only releases right before the focus loss are the window system's: the player's own tap
        // with another event, or ticks, between it and the loss is seen once.
        {"*n o L t t G *r t t L t", "0010 0000 0001 0000 0000"},
        // A pad pulled out while a button is held is no release; the next pad's button lets it go.
        {"+n +d sn sd su t *n t", "0010 0000"},
    };
    for (const auto& [events, views] : cases) EXPECT_EQ(Views(events), views) << events;
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
        backend_.bound = BindControls(DefaultControls());  // never the tester's own controls file
        backend_.inputStarted = true;
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
        UpdatePad(backend_);                          // as the game does when a device is added
        return SDL_JoystickInstanceID(handles_.back());
    }
    void Pull(int id) {
        SDL_Joystick* handle = SDL_JoystickFromInstanceID(id);
        std::erase(handles_, handle);
        SDL_JoystickClose(handle);
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
    void PressSouth(int id, bool down, int button = SDL_CONTROLLER_BUTTON_A) {
        SDL_JoystickSetVirtualButton(SDL_JoystickFromInstanceID(id), button, down ? 1 : 0);
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
    ASSERT_EQ(ReadId(), first);
    const int second = Plug();
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
    EXPECT_EQ(ReadId(), third);
}

// The south button is Return as well as button 1 and Back is Escape: the pad alone leaves every screen.
TEST_F(PadHotplug, TapsBetweenTwoReadsAreSeenOnce) {
    const int pad = Plug();
    ReadPad();
    PressSouth(pad, true);
    PressSouth(pad, false);
    PushStick(pad, 32767);
    PushStick(pad, 0);
    EXPECT_EQ(ReadPad(), PAD_INPUT_1 | PAD_INPUT_DOWN);
    EXPECT_TRUE(KeyHeld(backend_, KEY_INPUT_RETURN) && !KeyHeld(backend_, KEY_INPUT_ESCAPE));
    PressSouth(pad, true, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(ReadPad(), 0);
    EXPECT_TRUE(KeyHeld(backend_, KEY_INPUT_ESCAPE) && !KeyHeld(backend_, KEY_INPUT_RETURN));
    PressSouth(pad, false, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(ReadPad(), 0);
    PushStick(pad, -20000);
    EXPECT_EQ(ReadPad(), PAD_INPUT_UP);
    EXPECT_EQ(ReadPad(), PAD_INPUT_UP);  // held across reads
    PushStick(pad, -100);                // inside the dead zone
    EXPECT_EQ(ReadPad(), 0);
}

}  // namespace
