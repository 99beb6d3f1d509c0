// Keeps the game at 60 frames a second on any display. Vsync is trusted only while the measured
// swap interval really is a 60 Hz one; otherwise swaps go unsynchronised and a sleep-then-spin
// limiter holds the pace. Plain logic on an injected clock, so it can be tested without a display.
#pragma once

#include <array>
#include <cstdint>

class FramePacer {
public:
    enum class Mode { Probe, Vsync, Limiter };

    static constexpr int64_t FRAME_NS = 1'000'000'000 / 60;

    explicit FramePacer(bool vsyncAvailable);

    // Called when a swap has returned, with the clock then. Returns the time until which the
    // caller must wait before the next frame begins (at most one frame ahead).
    int64_t AfterSwap(int64_t nowNs);
    // The same for a frame that showed nothing new and did not swap: it waits out its frame on
    // the limiter's grid, and the swap interval it spans is no measure of the display.
    int64_t AfterSkip(int64_t nowNs);
    // While the display is measured every frame must swap.
    bool MaySkip() const { return mode_ != Mode::Probe; }

    Mode mode() const { return mode_; }
    bool WantsVsync() const { return mode_ != Mode::Limiter; }

private:
    static constexpr int PROBE_FRAMES = 12;
    static constexpr int WINDOW = 15;

    int64_t MedianInterval() const;
    int64_t LimiterDeadline(int64_t nowNs);

    Mode mode_;
    int64_t lastSwap_ = -1;
    int64_t deadline_ = -1;  // the start of the frame under way (the last swap's end with vsync)
    std::array<int64_t, WINDOW> intervals_{};
    int count_ = 0;  // intervals recorded so far (capped reads use the last WINDOW)
};
