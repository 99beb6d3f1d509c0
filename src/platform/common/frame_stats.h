// Frame times of play for --frame-stats: from the start of a frame (the return of the previous
// flip) to the end of its flip with the picture finished, over the frames that drew the 3-D scene.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class FrameStats {
public:
    // A frame that started at `startNs` on a steady clock and took `milliseconds`.
    void Add(int64_t startNs, double milliseconds, int drawCalls);
    // "frames N p50_ms A p99_ms B max_ms C max_after_1s_ms L draws_per_frame D", where L leaves out
    // the first second from the first frame on (the first frame also carries the models' loading).
    std::string Summary() const;

private:
    std::vector<double> times_;
    int64_t firstStartNs_ = 0;
    double maxAfterFirstSecond_ = 0;
    int64_t drawCalls_ = 0;
};
