// The 3-D side of the OpenGL renderer: models uploaded once, frame draws queued as instances and
// sent as one instanced draw per model that has any, lit per pixel by ambient light and one light.
//
// A model keeps its triangles in a float texture, every frame padded to the same length, so that
// one draw covers all frames and materials: each instance names its frame, each corner its material.
#pragma once

#include "platform/gl/gl_api.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/handle_slots.h"
#include "platform/gl/gl_renderer.h"
#include "platform/gl/picture.h"
#include "platform/gl/scene_camera.h"
#include "platform/mqo/mqo_model.h"

// The one light: directional until made a point light.
struct SceneLight {
    bool point = false;
    VECTOR direction{1, -1, 1};
    VECTOR position{0, 0, 0};
    float range = 2000.0f;
    float attenuation[3] = {0.1f, 0.0f, 0.0f};  // strength 1 / (a0 + a1 d + a2 d^2)
};

// Light that reaches every surface, scaled by each material's amb.
inline constexpr float SCENE_AMBIENT = 0.25f;
// Corners of all frames of one model together once padded; keeps uneven models within memory.
inline constexpr size_t MAX_PADDED_CORNERS = size_t(1) << 21;
// Instances waiting at once; past this the queue is drawn early.
inline constexpr size_t MAX_QUEUED_INSTANCES = size_t(1) << 16;

// A sphere around one frame's triangles, for skipping instances outside the view.
struct FrameSphere {
    float centre[3] = {0, 0, 0};
    float radius = -1;  // below 0 for an empty frame
};

using ModelPicture = Picture;

class ModelRenderer : public SceneLayer {
public:
    bool Init(GlRenderer& screen, std::string& error);
    void Shutdown();  // releases every model

    // Uploads a model. pictures[i] is drawn on the materials whose pictureOfMaterial is i (-1:
    // none). Returns the model's handle (see HandleSlots), or -1 with the reason in `error`.
    int Add(const MqoModel& model, const std::vector<ModelPicture>& pictures, const std::vector<int>& pictureOfMaterial,
            std::string& error);
    void Remove(int model);  // draws what is queued first
    bool Has(int model) const { return Find(model) != nullptr; }

    void SetPosition(int model, VECTOR position);
    bool QueueFrame(int model, int frame);  // false for an unknown model or frame

    // Queued draws are drawn with the camera and light of the moment they were queued.
    void SetCamera(const SceneCamera& camera);
    void SetLight(const SceneLight& light);
    const SceneCamera& camera() const { return camera_; }
    const SceneLight& light() const { return light_; }

    void Flush() override;
    void Hold() override;
    void DrawHeld(float lodBias) override;

private:
    // The queued instances that can be seen, nearest first within each model, with the camera and
    // light they were queued under.
    struct Gathered {
        SceneCamera camera;
        SceneLight light;
        std::vector<float> instances;  // x, y, z, frame each
        struct Run {
            int model;
            size_t first, count;
        };
        std::vector<Run> runs;
    };
    struct Model {
        GLuint cornerTexture = 0, pictures = 0;
        int frames = 0, cornersPerFrame = 0;
        std::vector<FrameSphere> bounds;                   // per frame
        std::vector<float> materialColour, materialLight;  // vec4 per material slot
        VECTOR position{0, 0, 0};
        std::vector<float> queued;  // x, y, z, frame per instance
    };
    Model* Find(int model);
    const Model* Find(int model) const;
    bool UploadCorners(Model& m, const MqoModel& model, std::string& error);
    void UploadPictures(Model& m, const std::vector<ModelPicture>& pictures, bool whiteLayer);
    void Release(Model& m);
    void SetFrameUniforms(const Gathered& scene, float lodBias);
    // Moves the queued instances into `scene`, those that can be seen.
    void Gather(Gathered& scene);
    // Appends the queued instances of `m` that can be seen, nearest first.
    void GatherVisible(const Model& m, const std::array<std::array<float, 4>, 6>& viewPlanes, Gathered& scene);
    void Draw(const Gathered& scene, float lodBias);

    GlRenderer* screen_ = nullptr;
    GLuint program_ = 0, vao_ = 0, instances_ = 0;
    GLint maxTextureSize_ = 0;
    HandleSlots<Model> models_;
    Gathered drawn_, held_;
    std::vector<std::pair<float, size_t>> order_;
    size_t queuedCount_ = 0;
    SceneCamera camera_;
    SceneLight light_;
};
