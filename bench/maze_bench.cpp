// Cost of one stage's maze per algorithm, and of the route search alone. The allocation counter
// covers everything the process allocates while timing, the test backend included.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "frame/random.h"
#include "maze/dadizider_1.h"
#include "maze/dadizider_2.h"
#include "maze/generate.h"
#include "maze/route_search.h"
#include "platform/fake/fake_dx.h"

namespace {
std::atomic<long> g_allocations{0};
}

// Replacements of the global allocator that only count; they pair malloc with free on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

MazeState g_state;

// Successive stages from one generator, as the game makes them.
void BM_GenerateMaze(benchmark::State& bench) {
    const auto choice = static_cast<uint8_t>(bench.range(0));
    fake::Reset();
    fake::SetRecording(false);
    Random random{1};
    const long before = g_allocations;
    for (auto _ : bench) {
        GenerateMaze(g_state, random, choice);
        benchmark::DoNotOptimize(g_state.routeLength);
    }
    bench.counters["allocs_per_stage"] =
        benchmark::Counter(double(g_allocations - before) / double(bench.iterations()));
}
BENCHMARK(BM_GenerateMaze)->Arg(0)->Arg(1)->ArgName("algorithm_choice");

// The carving alone.
void BM_Carve(benchmark::State& bench) {
    fake::Reset();
    fake::SetRecording(false);
    Random random{1};
    for (auto _ : bench) {
        g_state.GoalX = LAST_ROOM.x;
        g_state.GoalY = LAST_ROOM.y;
        InitMazeGrid(g_state);
        if (bench.range(0) == 0) DadiZider1(g_state, random);
        else DadiZider2(g_state, random);
        benchmark::DoNotOptimize(g_state.maze);
    }
}
BENCHMARK(BM_Carve)->Arg(0)->Arg(1)->ArgName("algorithm_choice");

// Everything after carving, on one carved maze.
void BM_CompleteMaze(benchmark::State& bench) {
    fake::Reset();
    fake::SetRecording(false);
    Random random{1};
    g_state.GoalX = LAST_ROOM.x;
    g_state.GoalY = LAST_ROOM.y;
    InitMazeGrid(g_state);
    DadiZider1(g_state, random);
    const MazeGrid carved = g_state.maze;
    for (auto _ : bench) {
        g_state.maze = carved;
        g_state.GoalX = LAST_ROOM.x;
        g_state.GoalY = LAST_ROOM.y;
        CompleteMaze(g_state);
        benchmark::DoNotOptimize(g_state.routeLength);
    }
}
BENCHMARK(BM_CompleteMaze);

// The search alone on one carved maze; each pass starts from a fresh copy of the carved grid.
void BM_FindRoute(benchmark::State& bench) {
    fake::Reset();
    fake::SetRecording(false);
    Random random{1};
    GenerateMaze(g_state, random, static_cast<uint8_t>(bench.range(0)));
    g_state.maze[ENTRANCE_CELL.x][ENTRANCE_CELL.y] = CELL_WALL;
    g_state.maze[EXIT_CELL.x][EXIT_CELL.y] = CELL_WALL;
    const MazeGrid carved = g_state.maze;
    for (auto _ : bench) {
        g_state.maze = carved;
        g_state.GoalX = LAST_ROOM.x;
        g_state.GoalY = LAST_ROOM.y;
        FindRoute(g_state, START_CELL.x, START_CELL.y);
        benchmark::DoNotOptimize(g_state.goalFound);
    }
}
BENCHMARK(BM_FindRoute)->Arg(0)->Arg(1)->ArgName("algorithm_choice");

}  // namespace

BENCHMARK_MAIN();
