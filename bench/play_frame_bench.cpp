// Cost of one play frame's game logic and drawing calls on the test backend: movement, the 3-D
// cell pass, the mini-map and the meters, without any rasterising.

#include <benchmark/benchmark.h>

#include "allocations.h"
#include "maze/generate.h"
#include "platform/fake/fake_dx.h"
#include "play/play_stage.h"
#include "play/player.h"

namespace {

// Walks on while the way is open and turns left every fourth move: steps, turns and waits all occur.
int Input(long frame) { return (frame / (MOVE_FRAMES + 1)) % 4 == 3 ? PAD_INPUT_LEFT : PAD_INPUT_UP; }

void BM_PlayFrame(benchmark::State& bench) {
    fake::Reset();
    fake::SetRecording(false);
    fake::SetPainting(false);
    static MazeState maze;
    Random random;
    GenerateMaze(maze, random, 0);
    const PlayResources resources{{}, dxMakeGraph(SCREEN_WIDTH, SCREEN_HEIGHT, 0)};
    const GameImages images;
    PlayState play;
    long frame = 0;
    const long before = AllocationCount();
    for (auto _ : bench) {
        play.elapsedMs = double(frame) * 1000.0 / 60.0;
        UpdatePlayFrame(maze, play, Input(frame++));
        DrawPlayFrame(maze, play, resources, images);
        benchmark::DoNotOptimize(play.player.cameraPosition);
    }
    bench.counters["allocs_per_frame"] =
        benchmark::Counter(double(AllocationCount() - before) / double(bench.iterations()));
}
BENCHMARK(BM_PlayFrame);

}  // namespace
