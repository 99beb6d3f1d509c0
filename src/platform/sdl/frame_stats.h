// Frame times of play for --frame-stats: from the start of a frame (the return of the previous
// flip) to the end of its flip with the picture finished, over the frames that drew the 3-D scene.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class FrameStats {
public:
    void Add(double milliseconds, int drawCalls);
    // "frames N p50_ms A p99_ms B max_ms C draws_per_frame D"
    std::string Summary() const;

private:
    std::vector<double> times_;
    int64_t drawCalls_ = 0;
};
