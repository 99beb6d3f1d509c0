// The perspective camera of the 3-D calls: eye, target, Y up, vertical field of view, 2:1 screen.
// The world is left-handed: looking along +X with Y up, +Z lies to the left.
#pragma once

#include <array>

#include "platform/dx.h"

// Near enough for a wall beside the eye, far enough for the longest corridor (81 cells of 1000).
inline constexpr float SCENE_NEAR = 10.0f;
inline constexpr float SCENE_FAR = 100000.0f;
inline constexpr float SCENE_ASPECT = 2.0f;  // the 800 x 400 screen
inline constexpr float SCENE_DEFAULT_FOV = 1.0471975803375244f;

struct SceneCamera {
    VECTOR eye{0, 0, 0};
    VECTOR target{0, 0, 1};
    float fieldOfView = SCENE_DEFAULT_FOV;
};

// False when the eye and target coincide or a value is not finite: such a camera shows nothing.
bool CameraIsUsable(VECTOR eye, VECTOR target);
bool FieldOfViewIsUsable(float fieldOfView);

// World to clip space, column-major as GL takes it.
std::array<float, 16> SceneMatrix(const SceneCamera& camera);

// Where a world point lands on the 800 x 400 screen, in pixels with y downward; false when it lies
// outside the view volume.
bool ProjectToScreen(const SceneCamera& camera, VECTOR point, float& x, float& y);
