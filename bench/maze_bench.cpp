// Cost of one stage's maze per algorithm, and of the route search alone. The allocation counter
// covers everything the process allocates while timing, the test backend included.

#include <benchmark/benchmark.h>

#include <array>

#include "allocations.h"
#include "core/random.h"
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
        g_state.goalX = LAST_ROOM.x;
        g_state.goalY = LAST_ROOM.y;
        InitMazeGrid(g_state);
        if (bench.range(0) == 0) DadiZider1(g_state, random);
        else DadiZider2(g_state, random);
        benchmark::DoNotOptimize(g_state.maze);
    }
}
BENCHMARK(BM_Carve)->Arg(0)->Arg(1)->ArgName("algorithm_choice");

// Grids of successive stages, so that no benchmark runs on one maze over and over: the branch
// predictor would learn it, and a fresh stage costs more. `completed` gives whole stages with the
// route wiped and the entrance and exit walled again, the state the route search starts from.
constexpr int POOL_SIZE = 64;
using GridPool = std::array<MazeGrid, POOL_SIZE>;

const GridPool& StagePool(uint8_t choice, bool completed) {
    static GridPool pools[2][2];
    static bool filled[2][2] = {};
    GridPool& pool = pools[choice][completed];
    if (filled[choice][completed]) return pool;
    filled[choice][completed] = true;
    Random random{1};
    for (MazeGrid& grid : pool) {
        if (completed) {
            GenerateMaze(g_state, random, choice);
            g_state.maze[ENTRANCE_CELL.x][ENTRANCE_CELL.y] = CELL_WALL;
            g_state.maze[EXIT_CELL.x][EXIT_CELL.y] = CELL_WALL;
        } else {
            g_state.goalX = LAST_ROOM.x;
            g_state.goalY = LAST_ROOM.y;
            InitMazeGrid(g_state);
            if (choice == 0) DadiZider1(g_state, random);
            else DadiZider2(g_state, random);
        }
        grid = g_state.maze;
    }
    return pool;
}

// Everything after carving.
void BM_CompleteMaze(benchmark::State& bench) {
    fake::Reset();
    fake::SetRecording(false);
    const GridPool& carved = StagePool(static_cast<uint8_t>(bench.range(0)), false);
    size_t next = 0;
    for (auto _ : bench) {
        g_state.maze = carved[next++ % POOL_SIZE];
        g_state.goalX = LAST_ROOM.x;
        g_state.goalY = LAST_ROOM.y;
        CompleteMaze(g_state);
        benchmark::DoNotOptimize(g_state.routeLength);
    }
}
BENCHMARK(BM_CompleteMaze)->Arg(0)->Arg(1)->ArgName("algorithm_choice");

// The route search alone; each pass starts from a fresh copy of a stage's grid.
void BM_FindRoute(benchmark::State& bench) {
    fake::Reset();
    fake::SetRecording(false);
    const GridPool& stages = StagePool(static_cast<uint8_t>(bench.range(0)), true);
    size_t next = 0;
    for (auto _ : bench) {
        g_state.maze = stages[next++ % POOL_SIZE];
        g_state.goalX = LAST_ROOM.x;
        g_state.goalY = LAST_ROOM.y;
        FindRoute(g_state, START_CELL.x, START_CELL.y);
        benchmark::DoNotOptimize(g_state.goalFound);
    }
}
BENCHMARK(BM_FindRoute)->Arg(0)->Arg(1)->ArgName("algorithm_choice");

}  // namespace
