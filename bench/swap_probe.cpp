// Preloaded into the game to measure its real frame rate and start-up: times every buffer swap and
// every pass of the game's loops through its messages (a poll that finds the queue empty), and
// prints "first_swap_unix_ns T" at the first swap (the first picture presented) and, at exit,
// "swaps_total N", then "swaps N seconds S fps F" and "passes N seconds S per_second R" over the
// time after the first second. A still screen passes at the game's pace without swapping.
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Log {
    std::vector<Clock::time_point> swaps, passes;
    // How often the events came after the first second from the first swap.
    static void Rate(const char* name, const char* unit, const std::vector<Clock::time_point>& times,
                     Clock::time_point start) {
        size_t count = 0;
        Clock::time_point first{}, last{};
        for (const auto& t : times)
            if (t - start >= std::chrono::seconds(1)) {
                if (count++ == 0) first = t;
                last = t;
            }
        const double seconds = std::chrono::duration<double>(last - first).count();
        std::fprintf(stderr, "%s %zu seconds %.3f %s %.2f\n", name, count > 0 ? count - 1 : 0, seconds, unit,
                     count > 1 ? double(count - 1) / seconds : 0.0);
    }
    ~Log() {
        std::fprintf(stderr, "swaps_total %zu\n", swaps.size());
        if (swaps.empty()) return;
        Rate("swaps", "fps", swaps, swaps.front());
        Rate("passes", "per_second", passes, swaps.front());
    }
};

Log probeLog;

}  // namespace

extern "C" void SDL_GL_SwapWindow(void* window) {
    static auto real = reinterpret_cast<void (*)(void*)>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    real(window);
    if (probeLog.swaps.empty()) {
        const auto since = std::chrono::system_clock::now().time_since_epoch();
        std::fprintf(stderr, "first_swap_unix_ns %lld\n",
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(since).count()));
    }
    probeLog.swaps.push_back(Clock::now());
}

extern "C" int SDL_PollEvent(void* event) {
    static auto real = reinterpret_cast<int (*)(void*)>(dlsym(RTLD_NEXT, "SDL_PollEvent"));
    const int found = real(event);
    if (!found) probeLog.passes.push_back(Clock::now());
    return found;
}
