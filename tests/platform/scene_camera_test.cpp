// The camera's projection: map orientation kept (not mirrored), field of view, reach.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/sdl/scene_camera.h"

namespace {

// Centre of cell (x, y) at eye height, as the maze places cells in the world.
VECTOR Cell(float x, float y) { return {y * 1000, 500, x * 1000}; }

SceneCamera Looking(VECTOR eye, VECTOR direction) {
    SceneCamera camera;
    camera.eye = eye;
    camera.target = {eye.x + direction.x, eye.y + direction.y, eye.z + direction.z};
    return camera;
}

TEST(SceneCamera, WhatLiesLeftOnTheMapIsDrawnOnTheLeft) {
    // At the entrance (2, 1) looking along +X, toward (2, 2): the map's x + 1 side is the left.
    const SceneCamera start = Looking(Cell(2, 1), {1, 0, 0});
    float x = 0, y = 0;
    ASSERT_TRUE(ProjectToScreen(start, Cell(2, 3), x, y));
    EXPECT_NEAR(x, 400, 0.5f);
    EXPECT_NEAR(y, 200, 0.5f);
    ASSERT_TRUE(ProjectToScreen(start, Cell(3, 2), x, y));
    EXPECT_LT(x, 200);
    ASSERT_TRUE(ProjectToScreen(start, Cell(1, 2), x, y));
    EXPECT_GT(x, 600);

    // A quarter turn to the left (view angle pi/2): the cell that was on the left is ahead, the one
    // that was ahead-left is now ahead-right.
    const float angle = 1.5707963705062866f;
    const SceneCamera turned = Looking(Cell(2, 1), {std::cos(angle), 0, std::sin(angle)});
    ASSERT_TRUE(ProjectToScreen(turned, Cell(4, 1), x, y));
    EXPECT_NEAR(x, 400, 0.5f);
    ASSERT_TRUE(ProjectToScreen(turned, Cell(3, 2), x, y));
    EXPECT_GT(x, 600);
    EXPECT_FALSE(ProjectToScreen(turned, Cell(1, 1), x, y));  // behind
}

TEST(SceneCamera, UpIsUpAndTheFieldOfViewIsVertical) {
    SceneCamera camera = Looking({0, 500, 0}, {1, 0, 0});
    float x = 0, y = 0;
    ASSERT_TRUE(ProjectToScreen(camera, {1000, 1000, 0}, x, y));
    EXPECT_LT(y, 200);
    // 60 degrees from top to bottom: 29 degrees up is on the screen, 31 is not.
    const float d = 1000;
    EXPECT_TRUE(ProjectToScreen(camera, {d, 500 + d * std::tan(0.506f), 0}, x, y));
    EXPECT_NEAR(y, 0, 12);
    EXPECT_FALSE(ProjectToScreen(camera, {d, 500 + d * std::tan(0.541f), 0}, x, y));
    // The screen is twice as wide as high: a point 45 degrees aside is still on it.
    EXPECT_TRUE(ProjectToScreen(camera, {d, 500, d * 0.99f}, x, y));
    // A narrower lens puts the same point further out.
    ASSERT_TRUE(ProjectToScreen(camera, {d, 700, 0}, x, y));
    const float wide = y;
    camera.fieldOfView = 0.5f;
    ASSERT_TRUE(ProjectToScreen(camera, {d, 700, 0}, x, y));
    EXPECT_LT(y, wide);
}

TEST(SceneCamera, ReachesTheLongestCorridorButNotThroughTheEye) {
    const SceneCamera camera = Looking(Cell(1, 1), {0, 0, 1});
    float x = 0, y = 0;
    EXPECT_TRUE(ProjectToScreen(camera, Cell(80, 1), x, y));
    EXPECT_TRUE(ProjectToScreen(camera, {1000, 500, 1000 + 20}, x, y));
    EXPECT_FALSE(ProjectToScreen(camera, {1000, 500, 1000 + 5}, x, y));
}

TEST(SceneCamera, UnusableCamerasAreRecognised) {
    EXPECT_TRUE(CameraIsUsable({0, 0, 0}, {0, 0, 1}));
    EXPECT_FALSE(CameraIsUsable({1, 2, 3}, {1, 2, 3}));
    EXPECT_FALSE(CameraIsUsable({0, 0, 0}, {NAN, 0, 1}));
    EXPECT_TRUE(FieldOfViewIsUsable(1.0471975803375244f));
    EXPECT_FALSE(FieldOfViewIsUsable(0));
    EXPECT_FALSE(FieldOfViewIsUsable(3.2f));
    EXPECT_FALSE(FieldOfViewIsUsable(NAN));
    // Looking straight down still gives a picture.
    const SceneCamera down = Looking({0, 500, 0}, {0, -1, 0});
    float x = 0, y = 0;
    ASSERT_TRUE(ProjectToScreen(down, {0, 0, 0}, x, y));
    EXPECT_NEAR(x, 400, 0.5f);
    EXPECT_NEAR(y, 200, 0.5f);
}

}  // namespace
