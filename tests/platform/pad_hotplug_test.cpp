// Game controllers through SDL's virtual joysticks: the first is read, a second does not take over,
// pulling out the one in use moves to the next, with none left nothing reads as held; and a button
// or stick flick let go before the game looks is still seen once.
#include <gtest/gtest.h>

#include "platform/dx.h"
#include "platform/sdl/backend.h"

namespace {

class PadHotplug : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        StartInput(backend_);
    }
    void TearDown() override {
        if (backend_.pad) SDL_GameControllerClose(backend_.pad);
        for (SDL_Joystick* handle : handles_) SDL_JoystickClose(handle);
        while (SDL_NumJoysticks() > 0) SDL_JoystickDetachVirtual(0);
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    static int IndexOf(int id) {
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
        return -1;
    }
    int Plug(SDL_JoystickType type = SDL_JOYSTICK_TYPE_GAMECONTROLLER) {
        const int index = SDL_JoystickAttachVirtual(type, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
        EXPECT_GE(index, 0) << SDL_GetError();
        const int id = SDL_JoystickGetDeviceInstanceID(index);
        handles_.push_back(SDL_JoystickOpen(index));  // to press its buttons
        return id;
    }
    void Pull(int id) {
        for (auto it = handles_.begin(); it != handles_.end(); ++it) {
            if (SDL_JoystickInstanceID(*it) == id) {
                SDL_JoystickClose(*it);
                handles_.erase(it);
                break;
            }
        }
        SDL_JoystickDetachVirtual(IndexOf(id));
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
