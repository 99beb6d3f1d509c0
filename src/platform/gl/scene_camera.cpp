#include "platform/gl/scene_camera.h"

#include <cmath>
#include <cstring>
#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>
#include <glm/glm.hpp>

#include "platform/gl/gl_renderer.h"

namespace {

glm::vec3 Vec(VECTOR v) { return {v.x, v.y, v.z}; }

bool Finite(VECTOR v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

glm::mat4 Matrix(const SceneCamera& camera) {
    const glm::vec3 eye = Vec(camera.eye), forward = glm::normalize(Vec(camera.target) - eye);
    // Looking straight up or down leaves Y no use as the up direction; +Z stands in for it.
    const bool vertical = std::abs(forward.y) > 0.9999f;
    const glm::vec3 up = vertical ? glm::vec3(0, 0, 1) : glm::vec3(0, 1, 0);
    const glm::mat4 view = glm::lookAtLH(eye, Vec(camera.target), up);
    return glm::perspectiveLH_NO(camera.fieldOfView, SCENE_ASPECT, SCENE_NEAR, SCENE_FAR) * view;
}

}  // namespace

bool CameraIsUsable(VECTOR eye, VECTOR target) {
    if (!Finite(eye) || !Finite(target)) return false;
    const glm::vec3 d = Vec(target) - Vec(eye);
    return glm::dot(d, d) > 1e-12f;
}

bool FieldOfViewIsUsable(float fieldOfView) { return fieldOfView > 0.001f && fieldOfView < 3.14f; }

std::array<float, 16> SceneMatrix(const SceneCamera& camera) {
    const glm::mat4 m = Matrix(camera);
    std::array<float, 16> out;
    std::memcpy(out.data(), &m[0][0], sizeof(float) * 16);
    return out;
}

bool ProjectToScreen(const SceneCamera& camera, VECTOR point, float& x, float& y) {
    const glm::vec4 clip = Matrix(camera) * glm::vec4(Vec(point), 1.0f);
    if (clip.w <= 0) return false;
    const glm::vec3 ndc = glm::vec3(clip) / clip.w;
    if (std::abs(ndc.x) > 1 || std::abs(ndc.y) > 1 || std::abs(ndc.z) > 1) return false;
    x = (ndc.x + 1) * 0.5f * SCREEN_WIDTH;
    y = (1 - ndc.y) * 0.5f * SCREEN_HEIGHT;
    return true;
}
