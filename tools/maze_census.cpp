// quarnel-maze-census: how often DadiZider 2 leaves the goal cut off from the start or opens a loop,
// over a range of first seeds, and whether the full pipeline still finds a route on each.
//   quarnel-maze-census [--from SEED] [--count N]     (defaults: from 1, 1000000 seeds)

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/direction.h"
#include "maze/dadizider_2.h"
#include "maze/generate.h"
#include "maze/reachability.h"
#include "platform/fake/fake_dx.h"

namespace {

constexpr int ROOMS = 39 * 19;

struct Tally {
    long unreachable = 0;
    long loops = 0;
    long both = 0;
    long repairedSlots = 0;
    long unwinnable = 0;  // the full pipeline found no route: must stay 0
};

// Independent cycles of the passage graph: open slots - rooms + components.
int CountLoops(const MazeGrid& maze) {
    std::array<std::array<int16_t, MAZE_HEIGHT>, MAZE_WIDTH> component{};
    std::array<std::array<int8_t, 2>, ROOMS> queue;
    int components = 0;
    int slots = 0;
    for (int x = 2; x <= 78; x += 2) {
        for (int y = 2; y <= 38; y += 2) {
            if (component[x][y]) continue;
            component[x][y] = static_cast<int16_t>(++components);
            int head = 0, tail = 0;
            queue[tail++] = {static_cast<int8_t>(x), static_cast<int8_t>(y)};
            while (head < tail) {
                const int rx = queue[head][0], ry = queue[head][1];
                ++head;
                for (const Direction d : ALL_DIRECTIONS) {
                    const int nx = rx + 2 * StepX(d), ny = ry + 2 * StepY(d);
                    if (!IsRoom(nx, ny) || maze[rx + StepX(d)][ry + StepY(d)] != CELL_PASSAGE) continue;
                    if (d == Direction::Right || d == Direction::Up) ++slots;  // each slot counted from one side only
                    if (component[nx][ny]) continue;
                    component[nx][ny] = static_cast<int16_t>(components);
                    queue[tail++] = {static_cast<int8_t>(nx), static_cast<int8_t>(ny)};
                }
            }
        }
    }
    return slots - ROOMS + components;
}

void Census(uint32_t seed, Tally& tally, DadiZider2Work& work, MazeState& state) {
    Random random{seed};
    state.goalX = LAST_ROOM.x;
    state.goalY = LAST_ROOM.y;
    InitMazeGrid(state);
    DadiZider2(state, random, work);
    const bool cutOff = !IsGoalReachable(state);
    const bool loop = CountLoops(state.maze) > 0;
    tally.unreachable += cutOff;
    tally.loops += loop;
    tally.both += cutOff && loop;
    if (cutOff && tally.unreachable <= 5) std::printf("goal cut off: seed %u\n", seed);
    if (loop && tally.loops <= 5) std::printf("loop: seed %u\n", seed);
    tally.repairedSlots += JoinGoalToStart(state);
    CompleteMaze(state);
    if (state.routeLength <= 2) {
        ++tally.unwinnable;
        std::printf("no route: seed %u\n", seed);
    }
}

}  // namespace

int main(int argc, char** argv) {
    uint32_t from = 1;
    long count = 1000000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--from")) from = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (!std::strcmp(argv[i], "--count")) count = std::strtol(argv[i + 1], nullptr, 10);
    }
    fake::Reset();
    fake::SetRecording(false);
    static DadiZider2Work work;
    static MazeState state;
    Tally tally;
    for (long k = 0; k < count; ++k) Census(from + static_cast<uint32_t>(k), tally, work, state);
    std::printf(
        "seeds %ld from %u: goal cut off %ld, loop %ld, both %ld, slots opened by repair %ld, "
        "no route after pipeline %ld\n",
        count, from, tally.unreachable, tally.loops, tally.both, tally.repairedSlots, tally.unwinnable);
    return tally.unwinnable == 0 ? 0 : 1;
}
