// Movement through the wall map and the 3-D scene's cell pass.
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>

#include "platform/fake/fake_dx.h"
#include "play/player.h"
#include "play/scene.h"

namespace {

MazeGrid WallMapWithOpen(std::initializer_list<MazeCell> open) {
    MazeGrid map{};
    for (const MazeCell& c : open) map[c.x][c.y] = MAP_PASSAGE;
    return map;
}

// Runs frames with the same input; returns the player after them.
Player Frames(Player p, const MazeGrid& map, int input, int frames, uint64_t& steps) {
    for (int i = 0; i < frames; ++i) UpdateMovement(p, map, input, steps);
    return p;
}

TEST(Movement, StepForwardTakesThirtyFramesAfterTheAcceptingOne) {
    const MazeGrid map = WallMapWithOpen({{2, 1}, {2, 2}, {2, 3}});
    uint64_t steps = 0;
    Player p = Frames(Player{}, map, PAD_INPUT_UP, 1, steps);
    EXPECT_EQ(p.moveState, MOVE_STEP_FORWARD);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 1000);  // the accepting frame does not move the camera
    p = Frames(p, map, 0, 15, steps);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 1500);
    EXPECT_EQ(p.cellY, 1);  // the cell changes only at the end of the step
    p = Frames(p, map, 0, 15, steps);
    EXPECT_EQ(p.moveState, MOVE_IDLE);
    EXPECT_EQ(p.cellY, 2);
    EXPECT_EQ(steps, 1u);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 2000);
    // Holding up walks a cell every 31 frames.
    p = Frames(p, map, PAD_INPUT_UP, 31, steps);
    EXPECT_EQ(p.cellY, 3);
    EXPECT_EQ(steps, 2u);
}

TEST(Movement, LaterTestsWinAndBlockedStepsDoNothing) {
    uint64_t steps = 0;
    // Up and left together: the turn wins.
    const MazeGrid corridor = WallMapWithOpen({{2, 1}, {2, 2}});
    EXPECT_EQ(Frames(Player{}, corridor, PAD_INPUT_UP | PAD_INPUT_LEFT, 1, steps).moveState, MOVE_TURN_LEFT);
    // Up and down where only the forward cell is open: a step forward into that cell.
    Player p = Frames(Player{}, corridor, PAD_INPUT_UP | PAD_INPUT_DOWN, 31, steps);
    EXPECT_EQ(p.cellY, 2);
    EXPECT_EQ(steps, 1u);
    // Up against a solid cell: nothing changes.
    const MazeGrid closed = WallMapWithOpen({{2, 1}});
    p = Frames(Player{}, closed, PAD_INPUT_UP, 5, steps);
    EXPECT_EQ(p.moveState, MOVE_IDLE);
    EXPECT_EQ(p.cellY, 1);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 1000);
    // Codes 3 and 5 are walkable, 2 is not.
    MazeGrid codes = closed;
    codes[2][2] = MAP_SG;
    EXPECT_EQ(Frames(Player{}, codes, PAD_INPUT_UP, 1, steps).moveState, MOVE_STEP_FORWARD);
    codes[2][2] = MAP_ETC;
    EXPECT_EQ(Frames(Player{}, codes, PAD_INPUT_UP, 1, steps).moveState, MOVE_STEP_FORWARD);
    codes[2][2] = 2;
    EXPECT_EQ(Frames(Player{}, codes, PAD_INPUT_UP, 1, steps).moveState, MOVE_IDLE);
}

TEST(Movement, StepBackKeepsTheView) {
    const MazeGrid map = WallMapWithOpen({{2, 1}, {2, 2}, {2, 3}});
    Player start;
    start.cellY = 2;
    start.cameraPosition = {2000, 500, 2000};
    uint64_t steps = 0;
    const Player p = Frames(start, map, PAD_INPUT_DOWN, 31, steps);
    EXPECT_EQ(p.cellY, 1);
    EXPECT_EQ(steps, 1u);
    EXPECT_FLOAT_EQ(p.viewDirection.x, 1);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 1000);
}

TEST(Movement, QuarterTurns) {
    const MazeGrid map = WallMapWithOpen({{2, 1}});
    uint64_t steps = 0;
    Player p = Frames(Player{}, map, PAD_INPUT_LEFT, 16, steps);  // halfway through a left turn
    EXPECT_NEAR(p.viewDirection.x, 0.70710677f, 1e-6);
    EXPECT_NEAR(p.viewDirection.z, 0.70710677f, 1e-6);  // left of +X is +Z in this world
    p = Frames(p, map, 0, 15, steps);
    EXPECT_EQ(p.facing, 3);
    EXPECT_EQ(p.moveState, MOVE_IDLE);
    EXPECT_NEAR(p.viewDirection.z, 1.0f, 1e-6);
    EXPECT_EQ(p.cellX, 2);
    EXPECT_EQ(steps, 0u);
    EXPECT_FLOAT_EQ(p.cameraPosition.x, 1000);  // turning never moves the eye
    // Right turns go the other way round; four of them come back to facing 3.
    p = Frames(p, map, PAD_INPUT_RIGHT, 31 * 4, steps);
    EXPECT_EQ(p.facing, 3);
    p = Frames(p, map, PAD_INPUT_RIGHT, 31, steps);
    EXPECT_EQ(p.facing, 0);
    EXPECT_NEAR(p.viewDirection.x, 1.0f, 1e-6);
}

TEST(Movement, FacingsStepAlongTheirDirections) {
    // Facing f steps in map direction 3 - f: down, left, up, right.
    const int dx[4] = {0, -1, 0, 1}, dy[4] = {1, 0, -1, 0};
    for (int f = 0; f < 4; ++f) {
        Player p;
        p.cellX = 10;
        p.cellY = 10;
        p.facing = f;
        const MazeGrid map = WallMapWithOpen({{10, 10}, {10 + dx[f], 10 + dy[f]}});
        uint64_t steps = 0;
        p = Frames(p, map, PAD_INPUT_UP, 31, steps);
        EXPECT_EQ(p.cellX, 10 + dx[f]) << f;
        EXPECT_EQ(p.cellY, 10 + dy[f]) << f;
    }
}

TEST(Scene, CellPassModelsAndMasks) {
    fake::Reset();
    MazeGrid map{};
    map[2][1] = MAP_SG;        // entrance: open below only
    map[2][2] = MAP_PASSAGE;   // open above and below: corridor along world X
    map[2][3] = MAP_ETC;       // dead end open toward world -X
    const WallModels models{-1, 11, -1, 13, -1, 15};
    DrawScene(models, map, {1000, 500, 2000}, {1001, 500, 2000}, {1, 0, 0});
    const auto names = fake::Calls();
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names[0].name, "dxSetCameraPositionAndTarget_UpVecY");
    EXPECT_EQ(names[1].name, "dxSetLightDirection");
    EXPECT_EQ(names[2].name, "dxChangeLightTypePoint");
    EXPECT_EQ(names[2].args, (std::vector<double>{1000, 500, 2000, 30000, 0, double(0.0005f), 0}));
    EXPECT_EQ(names[3].name, "dxSetupCamera_Perspective");
    EXPECT_EQ(names[3].args[0], double(1.0471975803375244f));
    const auto draws = fake::CallsNamed("dxMV1DrawFrame");
    const auto places = fake::CallsNamed("dxMV1SetPosition");
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].args, (std::vector<double>{13, 2 + 4 + 8}));  // entrance (2, 1): wall_SG
    EXPECT_EQ(draws[1].args, (std::vector<double>{11, 4 + 8}));      // straight corridor along X
    EXPECT_EQ(draws[2].args, (std::vector<double>{15, 1 + 4 + 8}));  // dead end
    EXPECT_EQ(places[2].args, (std::vector<double>{15, 3000, 0, 2000}));
    EXPECT_EQ(FrameOfSolidSides(map, 0, 0), 15);  // outside the grid counts as solid
}

// A cell with one solid side draws that side's frame: 1 world +X (the map's y + 1), 2 world -X,
// 4 world +Z (x + 1), 8 world -Z (x - 1). The edge cells of an open 3 x 3 block have one each.
TEST(Scene, OneSolidSideDrawsThatSidesFrame) {
    fake::Reset();
    MazeGrid map{};
    for (int x = 10; x <= 12; ++x)
        for (int y = 10; y <= 12; ++y) map[x][y] = MAP_PASSAGE;
    DrawScene({-1, 11, -1, -1, -1, -1}, map, {0, 500, 0}, {1, 500, 0}, {1, 0, 0});
    std::map<std::pair<int, int>, int> frameOf;  // map cell -> frame drawn there
    const auto places = fake::CallsNamed("dxMV1SetPosition");
    const auto draws = fake::CallsNamed("dxMV1DrawFrame");
    ASSERT_EQ(places.size(), draws.size());
    for (size_t i = 0; i < draws.size(); ++i)
        frameOf[{int(places[i].args[3]) / 1000, int(places[i].args[1]) / 1000}] = int(draws[i].args[1]);
    const std::map<std::pair<int, int>, int> expected = {
        {{11, 12}, 1}, {{11, 10}, 2}, {{12, 11}, 4}, {{10, 11}, 8}, {{11, 11}, 0}};
    for (const auto& [cell, frame] : expected) EXPECT_EQ(frameOf[cell], frame) << cell.first << "," << cell.second;
}

TEST(Scene, LoadsTheThreeModelsUnderTheirCodes) {
    fake::Reset();
    const WallModels models = LoadWallModels();
    const auto loads = fake::CallsNamed("dxMV1LoadModel");
    ASSERT_EQ(loads.size(), 3u);
    EXPECT_EQ(loads[0].text, "res_3d/wall.mqo");
    EXPECT_EQ(loads[1].text, "res_3d/wall_SG.mqo");
    EXPECT_EQ(loads[2].text, "res_3d/wall_ETC.mqo");
    EXPECT_EQ(models[MAP_PASSAGE].id, int(loads[0].args[0]));
    EXPECT_EQ(models[MAP_SOLID].id, -1);
}

}  // namespace
