// Preloaded into the game to measure its real frame rate and start-up: times every buffer swap and
// prints "first_swap_unix_ns T" at the first one (the first picture presented) and, at exit,
// "swaps N seconds S fps F" for the swaps after the first second and "swaps_total N" for all.
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct SwapLog {
    std::vector<Clock::time_point> times;
    ~SwapLog() {
        std::fprintf(stderr, "swaps_total %zu\n", times.size());
        std::vector<Clock::time_point> measured;
        for (const auto& t : times)
            if (t - times.front() >= std::chrono::seconds(1)) measured.push_back(t);
        if (measured.size() < 2) return;
        const double seconds = std::chrono::duration<double>(measured.back() - measured.front()).count();
        std::fprintf(stderr, "swaps %zu seconds %.3f fps %.2f\n", measured.size() - 1, seconds,
                     double(measured.size() - 1) / seconds);
    }
};

SwapLog swapLog;

}  // namespace

extern "C" void SDL_GL_SwapWindow(void* window) {
    using Swap = void (*)(void*);
    static Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    real(window);
    if (swapLog.times.empty()) {
        const auto since = std::chrono::system_clock::now().time_since_epoch();
        std::fprintf(stderr, "first_swap_unix_ns %lld\n",
                     static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(since).count()));
    }
    swapLog.times.push_back(Clock::now());
}
