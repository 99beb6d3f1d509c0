// The 3-D view drawn from the cells the eye can see against the view drawn from every walkable cell,
// on the real renderer, at poses of a random walk through generated mazes (every seventh frame),
// each compared on the full screen, reduced beside the map as play shows it, and as a part of the
// copy play makes; then on the screen alone at every frame of the moves SweepMoves makes.
// Usage, from a folder with res_3d: scene_probe MAZES POSES_PER_MAZE SWEPT_MAZES
// Prints "poses N differing D cells_drawn C cells_walkable W reduced_worst R part_differing P" (C, W,
// R and P of the walk): R is the largest mean difference per channel (0 to 255) between a reduced
// view and its full picture taken by the nearest pixel, P the poses whose copy drawn in part differs
// from the full picture. Exits 1 when the view from the cells in sight differs at any pose.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "core/direction.h"
#include "maze/generate.h"
#include "platform/dx.h"
#include "platform/sdl/backend.h"
#include "play/player.h"
#include "play/scene.h"

namespace {

constexpr int POSE_EVERY = 7;

struct Probe {
    WallModels models = LoadWallModels();
    GraphHandle work = dxMakeGraph(SCREEN_WIDTH, SCREEN_HEIGHT, 0);
    int poses = 0, differing = 0, partDiffering = 0;
    size_t drawn = 0, walkable = 0;
    double reducedWorst = 0;
};

// The cells drawn on a cleared screen and copied as play copies them, which holds them: the screen
// read at once (the held scene shown there), the play frame's reduction beside the map (the scene
// drawn at that size), and the copy's right half drawn over it (the scene drawn into the copy), at
// every other pose once the left half of the screen is copied over the copy's.
struct Pictures {
    std::vector<uint8_t> full, reduced, part;
    bool operator==(const Pictures&) const = default;
};

void DrawView(const Probe& probe, const MazeGrid& wallMap, const Player& p, const CellSet& cells) {
    dxClearDrawScreen();
    SetUpView(p.cameraPosition, p.cameraTarget, p.viewDirection);
    DrawCells(probe.models, wallMap, cells);
}

Pictures Draw(Probe& probe, const MazeGrid& wallMap, const Player& p, const CellSet& cells) {
    Pictures pictures;
    DrawView(probe, wallMap, p, cells);
    dxGetDrawScreenGraph(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, probe.work, 1);
    pictures.full = TheBackend().renderer.ReadScreen();
    dxDrawBox(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0x333333, 1);
    dxDrawExtendGraph(16, 16, 528, 272, probe.work, 0);
    pictures.reduced = TheBackend().renderer.ReadScreen();
    if (probe.poses % 2 == 1) dxGetDrawScreenGraph(0, 0, SCREEN_WIDTH / 2, SCREEN_HEIGHT, probe.work, 1);
    dxDrawRectGraph(400, 0, 400, 0, 400, 400, probe.work, 0, 0);
    pictures.part = TheBackend().renderer.ReadScreen();
    dxScreenFlip();
    return pictures;
}

// Mean difference per channel between the reduced view and the full picture taken by the nearest
// pixel, as a stretched copy would show it.
double ReducedDifference(const Pictures& p) {
    double sum = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 512; ++x)
            for (int c = 0; c < 3; ++c) {
                const size_t near = (size_t((y * 2 + 1) * 400 / 512) * SCREEN_WIDTH + size_t((x * 2 + 1) * 800 / 1024));
                const size_t at = size_t(16 + y) * SCREEN_WIDTH + size_t(16 + x);
                sum += std::abs(int(p.reduced[at * 3 + size_t(c)]) - int(p.full[near * 3 + size_t(c)]));
            }
    return sum / (512.0 * 256.0 * 3.0);
}

// The right half of the copy, drawn as a part, equals the full picture's right half.
bool PartMatches(const Pictures& p) {
    for (size_t row = 0; row < SCREEN_HEIGHT; ++row) {
        const size_t half = (row * SCREEN_WIDTH + SCREEN_WIDTH / 2) * 3;
        if (!std::equal(&p.part[half], &p.part[half + SCREEN_WIDTH * 3 / 2], &p.full[half])) return false;
    }
    return true;
}

void Compare(Probe& probe, const MazeGrid& wallMap, const Player& p) {
    const CellSet seen = CellsInView(wallMap, p.cameraPosition, p.viewDirection);
    const CellSet all = WalkableCells(wallMap);
    for (size_t x = 0; x < seen.size(); ++x) probe.drawn += seen[x].count(), probe.walkable += all[x].count();
    const Pictures a = Draw(probe, wallMap, p, seen), b = Draw(probe, wallMap, p, all);
    ++probe.poses;
    probe.reducedWorst = std::max(probe.reducedWorst, ReducedDifference(a));
    probe.partDiffering += !PartMatches(a);
    probe.differing += a != b;
}

// The screen alone, drawn from the cells in sight and from every walkable cell.
void CompareScreens(Probe& probe, const MazeGrid& wallMap, const Player& p) {
    DrawView(probe, wallMap, p, CellsInView(wallMap, p.cameraPosition, p.viewDirection));
    const std::vector<uint8_t> seen = TheBackend().renderer.ReadScreen();
    DrawView(probe, wallMap, p, WalkableCells(wallMap));
    ++probe.poses;
    probe.differing += seen != TheBackend().renderer.ReadScreen();
}

// Runs the move `input` starts, every frame compared when `seen`.
void Move(Probe& probe, const MazeGrid& wallMap, Player& p, int input, bool seen) {
    uint64_t steps = 0;
    UpdateMovement(p, wallMap, input, steps);
    while (p.moveState != MOVE_IDLE) {
        UpdateMovement(p, wallMap, 0, steps);
        if (seen) CompareScreens(probe, wallMap, p);
    }
}

// The first cell open on both sides along `facing`, standing there as a stage starts.
Player StandingInCorridor(const MazeGrid& wallMap, Direction facing) {
    for (int x = 1; x < MAZE_WIDTH - 1; ++x)
        for (int y = 1; y < MAZE_HEIGHT - 1; ++y)
            if (const Cell c{x, y}; IsWalkable(wallMap, c) && IsWalkable(wallMap, Neighbour(c, facing)) &&
                                    IsWalkable(wallMap, Neighbour(c, Opposite(facing))))
                return {.cell = c,
                        .cameraPosition = {float(y * 1000), 500.0f, float(x * 1000)},
                        .cameraTarget = {float(y * 1000) + 1.0f, 500.0f, float(x * 1000)}};
    std::abort();
}

// Every frame of a step forward and a step back in each facing, and of a quarter turn each way from
// each facing: the eye crosses the side between two cells at the middle frame of each step.
void SweepMoves(Probe& probe, uint32_t seed) {
    MazeState maze;
    Random random{seed};
    GenerateMaze(maze, random, uint8_t(seed % 2));
    const MazeGrid& wallMap = maze.wallMap;
    for (const Direction facing : ALL_DIRECTIONS) {
        Player p = StandingInCorridor(wallMap, facing);
        while (p.facing != facing) Move(probe, wallMap, p, PAD_INPUT_RIGHT, false);
        for (const int there : {PAD_INPUT_UP, PAD_INPUT_DOWN}) {
            Move(probe, wallMap, p, there, true);
            Move(probe, wallMap, p, there == PAD_INPUT_UP ? PAD_INPUT_DOWN : PAD_INPUT_UP, false);
        }
        for (const int turn : {PAD_INPUT_LEFT, PAD_INPUT_RIGHT}) Move(probe, wallMap, p, turn, true);
    }
}

// Forward while the way is open, now and then a turn or a step back; a turn where it is closed.
int NextInput(std::mt19937& choice, const MazeGrid& wallMap, const Player& p) {
    const bool open = IsWalkable(wallMap, Neighbour(p.cell, p.facing));
    const int roll = int(choice() % 20);
    if (open && roll < 14) return PAD_INPUT_UP;
    return roll % 3 == 0 ? PAD_INPUT_LEFT : roll % 3 == 1 ? PAD_INPUT_RIGHT : PAD_INPUT_DOWN;
}

void WalkMaze(Probe& probe, uint32_t seed, int poses) {
    MazeState maze;
    Random random{seed};
    GenerateMaze(maze, random, uint8_t(seed % 2));
    std::mt19937 choice(seed);
    Player player;
    uint64_t steps = 0;
    for (int frame = 1; poses > 0; ++frame) {
        UpdateMovement(player, maze.wallMap,
                       player.moveState == MOVE_IDLE ? NextInput(choice, maze.wallMap, player) : 0, steps);
        if (frame % POSE_EVERY != 0) continue;
        Compare(probe, maze.wallMap, player);
        --poses;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: scene_probe MAZES POSES_PER_MAZE SWEPT_MAZES\n");
        return 2;
    }
    dxSetMainWindowText("QUARNEL scene probe");
    if (dxOpenWindow() < 0) return 1;
    dxSetDrawScreen(DX_SCREEN_BACK);
    Probe probe;
    for (const int code : {MAP_PASSAGE, MAP_SG, MAP_ETC})
        if (probe.models[size_t(code)].id < 0) return 1;  // pictures without walls would compare equal
    for (int maze = 1; maze <= std::atoi(argv[1]); ++maze) WalkMaze(probe, uint32_t(maze), std::atoi(argv[2]));
    for (int maze = 1; maze <= std::atoi(argv[3]); ++maze) SweepMoves(probe, uint32_t(maze));
    std::printf("poses %d differing %d cells_drawn %zu cells_walkable %zu reduced_worst %.2f part_differing %d\n",
                probe.poses, probe.differing, probe.drawn, probe.walkable, probe.reducedWorst, probe.partDiffering);
    dxCloseWindow();
    return probe.differing == 0 ? 0 : 1;
}
