// What the game sees of the keys and pad buttons it reads. The view is taken once a tick (every
// dxProcessMessage) and read until the next one:
// - a press since the last tick reads as held in that tick, even when it was let go before it, so a
//   quick tap is never lost;
// - a focus change is never a press or a release for the game. An input held through it keeps
//   reading as the game last saw it until the player lets it go in the game's window (inputs the
//   game acts on when let go, such as the start keys), or reads as let go from the focus loss until
//   it is let go and pressed anew (inputs the game acts on while held, such as walking).
#pragma once

#include <bitset>
#include <vector>

class HeldInput {
public:
    static constexpr int MAX_INPUTS = 64;  // inputs are numbered 0..MAX_INPUTS-1 by the backend

    // The game acts on this input's release (starting a stage, re-seeding); by default it acts
    // while an input is held.
    void ActsOnRelease(int input);

    void Press(int input);  // a fresh press, not a key repeat
    void Release(int input);
    // The window lost the focus. Releases reported just before it, with nothing (not even a tick)
    // in between, are the window system letting go of every key for the window, not the player.
    void FocusLost();
    void FocusGained();
    // The device behind a held input went away or changed (a pad pulled out): for this input, as a
    // focus loss.
    void SourceLost(int input);
    // An input held through a focus change was let go while the window had no focus (learnt when
    // it came back). An input acted on while held counts from now as never pressed.
    void LetGoElsewhere(int input);
    // Any event other than a release: the run of releases a focus loss may take back ends here.
    void OtherEvent();

    void Tick();                 // takes the view
    bool Held(int input) const;  // in the view

private:
    enum class Away : unsigned char { No, KeptHeld, Hidden };

    bool Known(int input) const { return input >= 0 && input < MAX_INPUTS; }

    std::bitset<MAX_INPUTS> actsOnRelease_;
    std::bitset<MAX_INPUTS> down_;     // as the window system last reported it
    std::bitset<MAX_INPUTS> pressed_;  // pressed since the last tick
    std::bitset<MAX_INPUTS> view_;
    Away away_[MAX_INPUTS] = {};
    std::vector<int> releasedJustNow_;
    bool focused_ = true;
};
