#include "platform/sdl/pacer.h"

#include <algorithm>

namespace {

// A swap interval within these bounds comes from a 60 Hz display (57 to 63 Hz).
constexpr int64_t VSYNC_MIN_NS = 15'870'000;
constexpr int64_t VSYNC_MAX_NS = 17'540'000;

}  // namespace

FramePacer::FramePacer(bool vsyncAvailable) : mode_(vsyncAvailable ? Mode::Probe : Mode::Limiter) {}

int64_t FramePacer::MedianInterval() const {
    const int n = std::min(count_, WINDOW);
    std::array<int64_t, WINDOW> sorted = intervals_;
    std::nth_element(sorted.begin(), sorted.begin() + n / 2, sorted.begin() + n);
    return sorted[n / 2];
}

int64_t FramePacer::LimiterDeadline(int64_t nowNs) {
    const int64_t next = deadline_ + FRAME_NS;
    // First frame, or more than a frame late: start afresh from now instead of rushing to catch up.
    deadline_ = deadline_ < 0 || nowNs > next + FRAME_NS ? nowNs : next;
    return deadline_;
}

int64_t FramePacer::AfterSwap(int64_t nowNs) {
    if (mode_ == Mode::Limiter) return LimiterDeadline(nowNs);
    if (lastSwap_ >= 0) intervals_[count_++ % WINDOW] = nowNs - lastSwap_;
    lastSwap_ = nowNs;
    const bool enough = mode_ == Mode::Probe ? count_ >= PROBE_FRAMES : count_ >= WINDOW;
    if (enough) {
        const int64_t median = MedianInterval();
        const bool paces60 = median >= VSYNC_MIN_NS && median <= VSYNC_MAX_NS;
        mode_ = paces60 ? Mode::Vsync : Mode::Limiter;
        if (mode_ == Mode::Limiter) return LimiterDeadline(nowNs);
    }
    deadline_ = nowNs;
    return nowNs;
}

int64_t FramePacer::AfterSkip(int64_t nowNs) {
    lastSwap_ = -1;
    return LimiterDeadline(nowNs);
}
