// Where the input the game reads moves on. The game reads in passes: a screen's frame ends at its
// flip, and a wait that polls without flipping calls dxProcessMessage once a pass. Every read of a
// pass, before its dxProcessMessage or after it, sees one snapshot, taken at the pass's first read
// or dxProcessMessage; one pass is one tick of an input script.
#pragma once

class InputPass {
public:
    // Each is true when the call begins a pass: the backend takes the pass's snapshot then.
    bool AtRead() {
        const bool begins = !open_;
        open_ = true;
        return begins;
    }
    bool AtMessage() {
        const bool begins = !open_ || messaged_;
        open_ = messaged_ = true;
        return begins;
    }
    void AtFlip() { open_ = messaged_ = false; }
    // A dxProcessMessage came since the last flip: the loop polls without flipping.
    bool Polling() const { return messaged_; }

private:
    bool open_ = false;
    bool messaged_ = false;
};
