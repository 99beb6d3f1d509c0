#include "platform/common/input_gate.h"

namespace {

bool Known(int key) { return key >= 0 && key < InputGate::KEY_COUNT; }

}  // namespace

void InputGate::HideAll() {
    hidden_.set();
    hiddenPad_ = ~0;
}

void InputGate::Hide(int key) {
    if (Known(key)) hidden_.set(key);
}

void InputGate::Pressed(int key) {
    if (Known(key)) hidden_.reset(key);
}

void InputGate::Released(int key) { Pressed(key); }

bool InputGate::Shows(int key, bool held) {
    if (!Known(key)) return held;
    if (!held) hidden_.reset(key);
    return held && !hidden_[key];
}

int InputGate::PadBits(int held) {
    hiddenPad_ &= held;
    return held & ~hiddenPad_;
}
