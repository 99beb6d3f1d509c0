// The 3-D view drawn from the cells the eye can see against the view drawn from every walkable cell,
// on the real renderer, at poses of a random walk through generated mazes: every seventh frame, so
// that steps and turns are caught at many points of their way. Each pose is compared as the full
// screen the scene is drawn on and as the play frame shows it, reduced beside the map.
// Usage, from a folder with res_3d: scene_probe MAZES POSES_PER_MAZE [FOLDER]
// Prints "poses N mid_step S mid_turn T differing D cells_drawn C cells_walkable W"; a pose whose
// pictures differ is saved to FOLDER as pose<N>_seen.png and pose<N>_all.png. Exits 1 on any.
#include <SDL2/SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "frame/direction.h"
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
    std::string folder;
    int poses = 0, midStep = 0, midTurn = 0, differing = 0;
    size_t drawn = 0, walkable = 0;
};

void Save(const std::vector<uint8_t>& rgb, const std::string& file) {
    auto* pixels = const_cast<uint8_t*>(rgb.data());
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels, SCREEN_WIDTH, SCREEN_HEIGHT, 24, SCREEN_WIDTH * 3,
                                                        SDL_PIXELFORMAT_RGB24);
    if (s) IMG_SavePNG(s, file.c_str());
    SDL_FreeSurface(s);
}

// The screen with the cells drawn, and the play frame's reduction of it.
std::vector<uint8_t> Pictures(Probe& probe, const MazeGrid& wallMap, const Player& p, const CellSet& cells) {
    dxClearDrawScreen();
    SetUpView(p.cameraPosition, p.cameraTarget, p.viewDirection);
    DrawCells(probe.models, wallMap, cells);
    std::vector<uint8_t> both = TheBackend().renderer.ReadScreen();
    dxGetDrawScreenGraph(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, probe.work, 1);
    dxDrawBox(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0x333333, 1);
    dxDrawExtendGraph(16, 16, 528, 272, probe.work, 0);
    const std::vector<uint8_t> reduced = TheBackend().renderer.ReadScreen();
    both.insert(both.end(), reduced.begin(), reduced.end());
    dxScreenFlip();
    return both;
}

void Compare(Probe& probe, const MazeGrid& wallMap, const Player& p) {
    const CellSet seen = CellsInView(wallMap, p.cameraPosition, p.viewDirection);
    const CellSet all = WalkableCells(wallMap);
    for (size_t x = 0; x < seen.size(); ++x) probe.drawn += seen[x].count(), probe.walkable += all[x].count();
    const std::vector<uint8_t> a = Pictures(probe, wallMap, p, seen), b = Pictures(probe, wallMap, p, all);
    ++probe.poses;
    probe.midStep += p.moveState == MOVE_STEP_FORWARD || p.moveState == MOVE_STEP_BACK;
    probe.midTurn += p.moveState == MOVE_TURN_LEFT || p.moveState == MOVE_TURN_RIGHT;
    if (a == b) return;
    ++probe.differing;
    const size_t half = a.size() / 2;
    const std::string name = probe.folder + "/pose" + std::to_string(probe.poses);
    Save(std::vector<uint8_t>(a.begin(), a.begin() + long(half)), name + "_seen.png");
    Save(std::vector<uint8_t>(b.begin(), b.begin() + long(half)), name + "_all.png");
}

// Forward while the way is open, now and then a turn or a step back; a turn where it is closed.
int NextInput(std::mt19937& choice, const MazeGrid& wallMap, const Player& p) {
    const Direction ahead = FacingDirection(p.facing);
    const bool open = (wallMap[size_t(p.cellX + StepX(ahead))][size_t(p.cellY + StepY(ahead))] & 1) != 0;
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
    if (argc < 3) {
        std::fprintf(stderr, "usage: scene_probe MAZES POSES_PER_MAZE [FOLDER]\n");
        return 2;
    }
    dxSetMainWindowText("QUARNEL scene probe");
    if (dxOpenWindow() < 0) return 1;
    dxSetDrawScreen(DX_SCREEN_BACK);
    Probe probe;
    for (const int code : {MAP_PASSAGE, MAP_SG, MAP_ETC})
        if (probe.models[size_t(code)].id < 0) return 1;  // pictures without walls would compare equal
    probe.folder = argc > 3 ? argv[3] : ".";
    for (int maze = 1; maze <= std::atoi(argv[1]); ++maze) WalkMaze(probe, uint32_t(maze), std::atoi(argv[2]));
    std::printf("poses %d mid_step %d mid_turn %d differing %d cells_drawn %zu cells_walkable %zu\n", probe.poses,
                probe.midStep, probe.midTurn, probe.differing, probe.drawn, probe.walkable);
    dxCloseWindow();
    return probe.differing == 0 ? 0 : 1;
}
