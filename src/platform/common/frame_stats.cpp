#include "platform/common/frame_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The value below which the share p of the sorted times lies (nearest rank).
double Percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0;
    const size_t rank = size_t(std::ceil(p * double(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

}  // namespace

void FrameStats::Add(int64_t startNs, double milliseconds, int drawCalls) {
    if (times_.empty()) firstStartNs_ = startNs;
    if (startNs - firstStartNs_ >= 1'000'000'000) maxAfterFirstSecond_ = std::max(maxAfterFirstSecond_, milliseconds);
    times_.push_back(milliseconds);
    drawCalls_ += drawCalls;
}

std::string FrameStats::Summary() const {
    std::vector<double> sorted = times_;
    std::sort(sorted.begin(), sorted.end());
    const double draws = sorted.empty() ? 0 : double(drawCalls_) / double(sorted.size());
    char line[200];
    std::snprintf(line, sizeof line,
                  "frames %zu p50_ms %.3f p99_ms %.3f max_ms %.3f max_after_1s_ms %.3f draws_per_frame %.1f",
                  sorted.size(), Percentile(sorted, 0.5), Percentile(sorted, 0.99),
                  sorted.empty() ? 0.0 : sorted.back(), maxAfterFirstSecond_, draws);
    return line;
}
