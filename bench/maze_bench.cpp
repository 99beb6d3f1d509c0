// Cost of one stage's maze per algorithm, and of the route search alone. The allocation counter
// covers everything the process allocates while timing, the test backend included.

#include <benchmark/benchmark.h>

#include "allocations.h"
#include "frame/random.h"
#include "maze/dadizider_1.h"
#include "maze/dadizider_2.h"
#include "maze/generate.h"
#include "maze/route_search.h"
#include "platform/fake/fake_dx.h"

namespace {

MazeState g_state;

// Successive stages from one generator, as the game makes them.
void BM_GenerateMaze(benchmark::State& bench) {
    const auto choice = static_cast<uint8_t>(bench.range(0));
    fake::Reset();
    fake::SetRecording(false);
    Random random{1};
    const long before = AllocationCount();
    for (auto _ : bench) {
        GenerateMaze(g_state, random, choice);
        benchmark::DoNotOptimize(g_state.routeLength);
    }
    bench.counters["allocs_per_stage"] =
        benchmark::Counter(double(AllocationCount() - before) / double(bench.iterations()));
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

