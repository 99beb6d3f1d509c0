#include "platform/common/held_input.h"

void HeldInput::ActsOnRelease(int input) {
    if (Known(input)) actsOnRelease_.set(input);
}

void HeldInput::Press(int input) {
    releasedJustNow_.clear();
    if (!Known(input)) return;
    down_.set(input);
    if (away_[input] == Away::No) pressed_.set(input);
}

void HeldInput::Release(int input) {
    if (!Known(input)) return;
    down_.reset(input);
    releasedJustNow_.push_back(input);
    // Let go in the window ends a hold through a focus change; let go elsewhere, only a hidden one.
    if (focused_ || away_[input] == Away::Hidden) away_[input] = Away::No;
}

void HeldInput::FocusLost() {
    for (int input : releasedJustNow_) down_.set(input);
    releasedJustNow_.clear();
    focused_ = false;
    for (int input = 0; input < MAX_INPUTS; ++input) SourceLost(input);
}

void HeldInput::SourceLost(int input) {
    if (!Known(input) || !down_[input]) return;
    if (away_[input] == Away::No) away_[input] = actsOnRelease_[input] ? Away::KeptHeld : Away::Hidden;
    down_.reset(input);
}

void HeldInput::FocusGained() {
    releasedJustNow_.clear();
    focused_ = true;
}

void HeldInput::LetGoElsewhere(int input) {
    if (Known(input) && away_[input] == Away::Hidden) away_[input] = Away::No;
}

void HeldInput::OtherEvent() { releasedJustNow_.clear(); }

void HeldInput::Tick() {
    for (int input = 0; input < MAX_INPUTS; ++input) {
        const Away away = away_[input];
        view_[input] = away == Away::KeptHeld || (away == Away::No && (down_[input] || pressed_[input]));
    }
    pressed_.reset();
    releasedJustNow_.clear();  // the window system's releases come in the same pump as its focus loss
}

bool HeldInput::Held(int input) const { return Known(input) && view_[input]; }
