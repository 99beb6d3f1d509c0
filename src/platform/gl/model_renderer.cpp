#include "platform/gl/model_renderer.h"

#include <algorithm>
#include <cmath>

#include "platform/gl/gl_shader.h"

namespace {

// Material slot 0 is for faces without a material; material i sits in slot i + 1.
constexpr int MATERIAL_SLOTS = int(MQO_MAX_MATERIALS) + 1;
static_assert(MATERIAL_SLOTS == 65, "the vertex shader's material arrays hold 65 slots");
constexpr int TEXELS_PER_CORNER = 3;  // position + material slot, normal, uv
// The corners' texture is this many texels wide (as its shader reads it), rows as many as needed.
constexpr size_t CORNER_ROW = 4096;
constexpr int MAX_PICTURE_SIDE = 2048;
constexpr size_t MAX_PICTURE_BYTES = size_t(256) << 20;  // all layers of one model

const char* VERTEX_SHADER = R"(layout(location = 0) in vec4 instance;  // model position xyz, frame w
uniform sampler2D corners;  // CORNER_ROW texels a row
uniform int cornersPerFrame;
uniform mat4 viewProjection;
uniform vec4 materialColour[65];  // col
uniform vec4 materialLight[65];   // dif, amb, emi, picture layer
uniform float ambient;
uniform int pointLight;
uniform vec3 lightPosition;
uniform vec3 lightDirection;  // unit length, pointing away from the light
out vec3 toLight;
out vec2 uv;
flat out vec3 normal;          // unit, out of the front side
flat out vec3 diffuseColour;   // col x dif
flat out vec3 steadyColour;    // col x (amb x ambient + emi)
flat out float layer;
vec4 Corner(int texel) { return texelFetch(corners, ivec2(texel % 4096, texel / 4096), 0); }
void main() {
    int base = (int(instance.w) * cornersPerFrame + gl_VertexID) * 3;
    vec4 a = Corner(base);
    vec3 worldPosition = a.xyz + instance.xyz;
    int material = int(a.w);
    normal = Corner(base + 1).xyz;
    uv = Corner(base + 2).xy;
    vec3 colour = materialColour[material].rgb;
    vec4 terms = materialLight[material];
    diffuseColour = colour * terms.x;
    steadyColour = colour * (terms.y * ambient + terms.z);
    layer = terms.w;
    // A directional light comes from afar: the same unit vector toward it everywhere.
    toLight = pointLight != 0 ? lightPosition - worldPosition : -lightDirection;
    gl_Position = viewProjection * vec4(worldPosition, 1.0);
})";

const char* FRAGMENT_SHADER = R"(in vec3 toLight;
in vec2 uv;
flat in vec3 normal;
flat in vec3 diffuseColour;
flat in vec3 steadyColour;
flat in float layer;
uniform sampler2DArray pictures;
uniform vec4 lightFalloff;  // a0, a1, a2, range; 1, 0, 0 and no range for a directional light
uniform float lodBias;      // below 0 where the scene is drawn smaller than the screen
out vec4 fragment;
void main() {
    // Written without branches: llvmpipe runs both sides of one.
    float d = length(toLight);
    float falloff = lightFalloff.x + (lightFalloff.y + lightFalloff.z * d) * d;
    float diffuse = step(d, lightFalloff.w) * max(dot(normal, toLight), 0.0) / max(d * falloff, 1e-6);
    vec3 lit = clamp(diffuseColour * diffuse + steadyColour, 0.0, 1.0);
    fragment = vec4(lit * texture(pictures, vec3(uv, layer), lodBias).rgb, 1.0);
})";

GLint Uniform(GLuint program, const char* name) { return glGetUniformLocation(program, name); }

// Unit face normal toward the front side, up for a degenerate triangle (it draws nothing anyway).
void FaceNormal(const MqoTriangle& t, float n[3]) {
    const MqoCorner &a = t.corner[0], &b = t.corner[1], &c = t.corner[2];
    const float u[3] = {b.x - a.x, b.y - a.y, b.z - a.z}, v[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
    n[0] = u[1] * v[2] - u[2] * v[1];
    n[1] = u[2] * v[0] - u[0] * v[2];
    n[2] = u[0] * v[1] - u[1] * v[0];
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(length > 0) || !std::isfinite(length)) {
        n[0] = 0, n[1] = 1, n[2] = 0;
        return;
    }
    for (int i = 0; i < 3; ++i) n[i] /= length;
}

// Whether some triangle is drawn without a picture: no material, or one whose picture is missing.
// Only then does the model's picture array need its white layer.
bool UsesPlainMaterial(const MqoModel& model, const std::vector<int>& pictureOfMaterial) {
    for (const MqoObject& object : model.objects)
        for (const MqoTriangle& t : object.triangles)
            if (t.material < 0 || size_t(t.material) >= pictureOfMaterial.size() ||
                pictureOfMaterial[size_t(t.material)] < 0)
                return true;
    return false;
}

// The sphere around a frame's bounding box.
FrameSphere FrameBounds(const MqoObject& object) {
    FrameSphere b;
    if (object.triangles.empty()) return b;
    float low[3] = {INFINITY, INFINITY, INFINITY}, high[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (const MqoTriangle& t : object.triangles)
        for (const MqoCorner& c : t.corner) {
            const float p[3] = {c.x, c.y, c.z};
            for (int i = 0; i < 3; ++i) {
                low[i] = std::min(low[i], p[i]);
                high[i] = std::max(high[i], p[i]);
            }
        }
    float r2 = 0;
    for (int i = 0; i < 3; ++i) {
        b.centre[i] = (low[i] + high[i]) / 2;
        r2 += (high[i] - low[i]) * (high[i] - low[i]) / 4;
    }
    b.radius = std::sqrt(r2);
    return b;
}

// The six planes of the view volume (a x + b y + c z + d >= 0 inside), from a column-major matrix.
std::array<std::array<float, 4>, 6> ViewPlanes(const std::array<float, 16>& m) {
    auto row = [&](int r, int i) { return m[size_t(i * 4 + r)]; };
    std::array<std::array<float, 4>, 6> planes;
    for (int axis = 0; axis < 3; ++axis)
        for (int side = 0; side < 2; ++side) {
            std::array<float, 4>& p = planes[size_t(axis * 2 + side)];
            const float sign = side == 0 ? 1.0f : -1.0f;
            for (int i = 0; i < 4; ++i) p[size_t(i)] = row(3, i) + sign * row(axis, i);
            const float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
            for (float& v : p) v /= length;
        }
    return planes;
}

// Nearest-pixel resampling so that every layer of a model's picture array has one size.
std::vector<uint8_t> Resample(const ModelPicture& p, int width, int height) {
    if (p.width == width && p.height == height) return p.rgba;
    std::vector<uint8_t> out(size_t(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        const size_t sy = size_t(y) * p.height / height;
        for (int x = 0; x < width; ++x) {
            const size_t sx = size_t(x) * p.width / width;
            std::copy_n(&p.rgba[(sy * p.width + sx) * 4], 4, &out[(size_t(y) * width + x) * 4]);
        }
    }
    return out;
}

}  // namespace

bool ModelRenderer::Init(GlRenderer& screen, std::string& error) {
    screen_ = &screen;
    program_ = BuildProgram(VERTEX_SHADER, FRAGMENT_SHADER, error);
    if (!error.empty()) {
        glDeleteProgram(program_);
        program_ = 0;
        return false;
    }
    glGenVertexArrays(1, &vao_);
    glGenBuffers(1, &instances_);
    glBindVertexArray(vao_);
    glBindBuffer(GL_ARRAY_BUFFER, instances_);
    glEnableVertexAttribArray(0);
    glVertexAttribDivisor(0, 1);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize_);
    glUseProgram(program_);
    glUniform1i(Uniform(program_, "pictures"), 0);
    glUniform1i(Uniform(program_, "corners"), 1);
    camera_ = {};
    light_ = {};
    return true;
}

void ModelRenderer::Shutdown() {
    models_.ForEach([this](Model& m) { Release(m); });
    models_.Clear();
    queuedCount_ = 0;
    drawn_ = held_ = {};
    glDeleteBuffers(1, &instances_);
    glDeleteVertexArrays(1, &vao_);
    glDeleteProgram(program_);
    instances_ = vao_ = program_ = 0;
    screen_ = nullptr;
}

ModelRenderer::Model* ModelRenderer::Find(int model) { return models_.Find(model); }

const ModelRenderer::Model* ModelRenderer::Find(int model) const { return models_.Find(model); }

int ModelRenderer::Add(const MqoModel& model, const std::vector<ModelPicture>& pictures,
                       const std::vector<int>& pictureOfMaterial, std::string& error) {
    if (!screen_) {
        error = "the renderer is not started";
        return -1;
    }
    Model m;
    if (!UploadCorners(m, model, error)) return -1;
    UploadPictures(m, pictures, UsesPlainMaterial(model, pictureOfMaterial));
    m.materialColour.assign(4 * MATERIAL_SLOTS, 0.0f);
    m.materialLight.assign(4 * MATERIAL_SLOTS, 0.0f);
    // Materials without a picture use the white layer after the pictures.
    const float white = float(pictures.size());
    const float none[8] = {1, 1, 1, 1, 0.8f, 0.6f, 0.0f, white};
    std::copy_n(none, 4, &m.materialColour[0]);
    std::copy_n(none + 4, 4, &m.materialLight[0]);
    for (size_t i = 0; i < model.materials.size() && i + 1 < size_t(MATERIAL_SLOTS); ++i) {
        const MqoMaterial& mat = model.materials[i];
        const int picture = i < pictureOfMaterial.size() ? pictureOfMaterial[i] : -1;
        std::copy_n(mat.colour, 4, &m.materialColour[4 * (i + 1)]);
        const float light[4] = {mat.diffuse, mat.ambient, mat.emissive, picture < 0 ? white : float(picture)};
        std::copy_n(light, 4, &m.materialLight[4 * (i + 1)]);
    }
    const int handle = models_.Add(std::move(m));
    if (handle < 0) error = "too many models";
    return handle;
}

bool ModelRenderer::UploadCorners(Model& m, const MqoModel& model, std::string& error) {
    size_t perFrame = 0;
    for (const MqoObject& object : model.objects) perFrame = std::max(perFrame, object.triangles.size() * 3);
    const size_t total = perFrame * model.objects.size();
    const size_t rows = (std::max<size_t>(total, 1) * TEXELS_PER_CORNER + CORNER_ROW - 1) / CORNER_ROW;
    if (total > MAX_PADDED_CORNERS || rows > size_t(std::max(maxTextureSize_, 0))) {
        error = "its frames together are too large to draw (" + std::to_string(total) + " corners once padded)";
        return false;
    }
    // Unused corners stay zero: degenerate triangles that draw nothing.
    std::vector<float> data(rows * CORNER_ROW * 4, 0.0f);
    for (size_t f = 0; f < model.objects.size(); ++f) {
        float* out = &data[f * perFrame * TEXELS_PER_CORNER * 4];
        for (const MqoTriangle& t : model.objects[f].triangles) {
            float n[3];
            FaceNormal(t, n);
            for (const MqoCorner& c : t.corner) {
                const float corner[12] = {c.x, c.y, c.z, float(t.material + 1), n[0], n[1], n[2], 0, c.u, c.v, 0, 0};
                out = std::copy_n(corner, 12, out);
            }
        }
    }
    m.frames = int(model.objects.size());
    for (const MqoObject& object : model.objects) m.bounds.push_back(FrameBounds(object));
    m.cornersPerFrame = int(perFrame);
    glGenTextures(1, &m.cornerTexture);
    glBindTexture(GL_TEXTURE_2D, m.cornerTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, GLsizei(CORNER_ROW), GLsizei(rows), 0, GL_RGBA, GL_FLOAT, data.data());
    // Read by texelFetch only; a float texture must not ask for filtering to be complete.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return true;
}

void ModelRenderer::UploadPictures(Model& m, const std::vector<ModelPicture>& pictures, bool whiteLayer) {
    const int limit = std::min(MAX_PICTURE_SIDE, std::max(maxTextureSize_, 1));
    int width = 1, height = 1;
    for (const ModelPicture& p : pictures) {
        width = std::max(width, std::min(p.width, limit));
        height = std::max(height, std::min(p.height, limit));
    }
    const GLsizei layers = GLsizei(std::max<size_t>(pictures.size() + (whiteLayer ? 1 : 0), 1));
    while (size_t(width) * height * 4 * size_t(layers) > MAX_PICTURE_BYTES) {
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
    glGenTextures(1, &m.pictures);
    glBindTexture(GL_TEXTURE_2D_ARRAY, m.pictures);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_RGBA8, width, height, layers, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    // The layer after the pictures, where there is one, is white, for materials without a picture.
    const std::vector<uint8_t> white(size_t(width) * height * 4, 255);
    for (size_t i = 0; i < size_t(layers); ++i) {
        const bool usable = i < pictures.size() && pictures[i].width > 0 && pictures[i].height > 0 &&
                            pictures[i].rgba.size() == size_t(pictures[i].width) * pictures[i].height * 4;
        const std::vector<uint8_t> pixels = usable ? Resample(pictures[i], width, height) : white;
        glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, GLint(i), width, height, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                        pixels.data());
    }
    glGenerateMipmap(GL_TEXTURE_2D_ARRAY);
    // One mipmap level per pixel: blending two costs llvmpipe much and shows little on walls.
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
}

void ModelRenderer::Release(Model& m) {
    glDeleteTextures(1, &m.cornerTexture);
    glDeleteTextures(1, &m.pictures);
    m = {};
}

void ModelRenderer::Remove(int model) {
    Model* m = Find(model);
    if (!m) return;
    if (!m->queued.empty()) Flush();
    if (screen_) screen_->SettleHeldScene();
    Release(*m);
    models_.Remove(model);
}

void ModelRenderer::SetPosition(int model, VECTOR position) {
    if (Model* m = Find(model)) m->position = position;
}

bool ModelRenderer::QueueFrame(int model, int frame) {
    Model* m = Find(model);
    if (!m || frame < 0 || frame >= m->frames) return false;
    if (queuedCount_ >= MAX_QUEUED_INSTANCES) Flush();
    const float instance[4] = {m->position.x, m->position.y, m->position.z, float(frame)};
    m->queued.insert(m->queued.end(), instance, instance + 4);
    ++queuedCount_;
    return true;
}

void ModelRenderer::SetCamera(const SceneCamera& camera) {
    Flush();
    camera_ = camera;
}

void ModelRenderer::SetLight(const SceneLight& light) {
    Flush();
    light_ = light;
}

void ModelRenderer::SetFrameUniforms(const Gathered& scene, float lodBias) {
    const std::array<float, 16> matrix = SceneMatrix(scene.camera);
    const SceneLight& light = scene.light;
    glUniformMatrix4fv(Uniform(program_, "viewProjection"), 1, GL_FALSE, matrix.data());
    glUniform1i(Uniform(program_, "pointLight"), light.point ? 1 : 0);
    glUniform3f(Uniform(program_, "lightPosition"), light.position.x, light.position.y, light.position.z);
    VECTOR d = light.direction;
    const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    if (length > 0) d = {d.x / length, d.y / length, d.z / length};
    glUniform3f(Uniform(program_, "lightDirection"), d.x, d.y, d.z);
    if (light.point)
        glUniform4f(Uniform(program_, "lightFalloff"), light.attenuation[0], light.attenuation[1], light.attenuation[2],
                    light.range);
    else glUniform4f(Uniform(program_, "lightFalloff"), 1, 0, 0, INFINITY);
    glUniform1f(Uniform(program_, "ambient"), SCENE_AMBIENT);
    glUniform1f(Uniform(program_, "lodBias"), lodBias);
}

void ModelRenderer::GatherVisible(const Model& m, const std::array<std::array<float, 4>, 6>& viewPlanes,
                                  Gathered& scene) {
    order_.clear();
    for (size_t i = 0; i < m.queued.size(); i += 4) {
        const FrameSphere& sphere = m.bounds[size_t(m.queued[i + 3])];
        if (sphere.radius < 0) continue;
        const float c[3] = {m.queued[i] + sphere.centre[0], m.queued[i + 1] + sphere.centre[1],
                            m.queued[i + 2] + sphere.centre[2]};
        bool seen = true;
        for (const std::array<float, 4>& p : viewPlanes)
            seen = seen && p[0] * c[0] + p[1] * c[1] + p[2] * c[2] + p[3] >= -sphere.radius;
        if (!seen) continue;
        const float d[3] = {c[0] - scene.camera.eye.x, c[1] - scene.camera.eye.y, c[2] - scene.camera.eye.z};
        order_.push_back({d[0] * d[0] + d[1] * d[1] + d[2] * d[2], i});
    }
    // Nearest first, so that the depth test spares the shading of what lies behind.
    std::sort(order_.begin(), order_.end());
    for (const auto& [distance, i] : order_)
        scene.instances.insert(scene.instances.end(), &m.queued[i], &m.queued[i] + 4);
}

void ModelRenderer::Gather(Gathered& scene) {
    scene.camera = camera_;
    scene.light = light_;
    scene.instances.clear();
    scene.runs.clear();
    const std::array<std::array<float, 4>, 6> viewPlanes = ViewPlanes(SceneMatrix(camera_));
    models_.ForEachHandle([&](int handle, Model& m) {
        const size_t first = scene.instances.size() / 4;
        if (!m.queued.empty()) GatherVisible(m, viewPlanes, scene);
        const size_t count = scene.instances.size() / 4 - first;
        if (count > 0) scene.runs.push_back({handle, first, count});
        m.queued.clear();
    });
    queuedCount_ = 0;
}

void ModelRenderer::Flush() {
    if (queuedCount_ == 0 || !screen_) return;
    screen_->BeginScene();  // 2-D pictures queued earlier lie under these models
    Gather(drawn_);
    Draw(drawn_, 0.0f);
}

void ModelRenderer::Hold() { Gather(held_); }

void ModelRenderer::DrawHeld(float lodBias) { Draw(held_, lodBias); }

void ModelRenderer::Draw(const Gathered& scene, float lodBias) {
    if (scene.runs.empty()) return;
    glBindVertexArray(vao_);
    glBindBuffer(GL_ARRAY_BUFFER, instances_);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(scene.instances.size() * sizeof(float)), scene.instances.data(),
                 GL_STREAM_DRAW);
    glUseProgram(program_);
    SetFrameUniforms(scene, lodBias);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    // Front sides are clockwise in the model file; the flip of z and the projection keep them
    // clockwise on the screen.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CW);
    const GLint colours = Uniform(program_, "materialColour"), lights = Uniform(program_, "materialLight");
    const GLint cornersPerFrame = Uniform(program_, "cornersPerFrame");
    for (const Gathered::Run& run : scene.runs) {
        const Model* m = Find(run.model);
        if (!m) continue;
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D_ARRAY, m->pictures);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, m->cornerTexture);
        glUniform4fv(colours, MATERIAL_SLOTS, m->materialColour.data());
        glUniform4fv(lights, MATERIAL_SLOTS, m->materialLight.data());
        glUniform1i(cornersPerFrame, m->cornersPerFrame);
        glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                              reinterpret_cast<void*>(run.first * 4 * sizeof(float)));
        glDrawArraysInstanced(GL_TRIANGLES, 0, m->cornersPerFrame, GLsizei(run.count));
        screen_->CountDrawCall();
    }
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glActiveTexture(GL_TEXTURE0);
}
