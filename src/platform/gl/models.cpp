// The 3-D calls: Metasequoia models with their pictures, the camera and the light.
#include "platform/gl/models.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>

#include "platform/common/data_path.h"
#include "platform/dx.h"
#include "platform/gl/gl_backend.h"
#include "platform/gl/model_renderer.h"

namespace {

ModelRenderer models;
bool started = false;

// Paths may be written the Windows way, as in tex("maps\\wall.png").
std::string Slashed(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::string ExistingPath(const char* file) {
    std::error_code ignored;
    const std::string found = ResolveGameFile(file);
    if (std::filesystem::is_regular_file(found, ignored)) return found;
    return ResolveGameFile(Slashed(file));
}

// One picture per distinct texture file, looked up beside the model. A picture that cannot be
// loaded leaves its materials in their plain colour.
void LoadPictures(const std::string& modelPath, const MqoModel& model, std::vector<ModelPicture>& pictures,
                  std::vector<int>& pictureOfMaterial) {
    const std::filesystem::path folder = std::filesystem::path(modelPath).parent_path();
    std::map<std::string, int> byName;
    for (const MqoMaterial& material : model.materials) {
        int index = -1;
        if (!material.texture.empty()) {
            const auto [known, fresh] = byName.try_emplace(material.texture, -1);
            if (fresh) {
                const std::string path = (folder / Slashed(material.texture)).string();
                ModelPicture picture;
                std::string error;
                if (LoadPictureFile(path, picture, error)) {
                    known->second = int(pictures.size());
                    pictures.push_back(std::move(picture));
                } else {
                    ReportGameFileFailure("model " + modelPath + ": cannot load texture " + path + " (" + error +
                                          "); drawing its colour");
                }
            }
            index = known->second;
        }
        pictureOfMaterial.push_back(index);
    }
}

bool Finite(VECTOR v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

bool StartModels(std::string& error) {
    GlBackend& b = TheGl();
    if (!models.Init(b.renderer, error)) return false;
    b.renderer.SetSceneLayer(&models);
    started = true;
    return true;
}

void StopModels() {
    if (!started) return;
    TheGl().renderer.SetSceneLayer(nullptr);
    models.Shutdown();
    started = false;
}

ModelHandle dxMV1LoadModel(const char* file) {
    const std::string name = file ? file : "(none)";
    if (!started || !file) {
        std::fprintf(stderr, "quarnel: cannot load model %s: the window is not open\n", name.c_str());
        return {};
    }
    const std::string path = ExistingPath(file);
    MqoModel model;
    std::string error;
    if (!LoadMqo(path, model, error)) {
        ReportGameFileFailure("cannot load model " + error);  // error names the file
        return {};
    }
    std::vector<ModelPicture> pictures;
    std::vector<int> pictureOfMaterial;
    LoadPictures(path, model, pictures, pictureOfMaterial);
    const ModelHandle handle{models.Add(model, pictures, pictureOfMaterial, error)};
    if (handle.id < 0) ReportGameFileFailure("cannot load model " + path + ": " + error);
    return handle;
}

int dxMV1DeleteModel(ModelHandle model) {
    if (!started || !models.Has(model.id)) return -1;
    models.Remove(model.id);
    return 0;
}

int dxMV1SetPosition(ModelHandle model, VECTOR position) {
    if (!started || !models.Has(model.id) || !Finite(position)) return -1;
    models.SetPosition(model.id, position);
    return 0;
}

int dxMV1DrawFrame(ModelHandle model, int frame) {
    if (!started || !models.QueueFrame(model.id, frame)) return -1;
    TheGl().sceneDrawn = true;
    return 0;
}

int dxSetCameraPositionAndTarget_UpVecY(VECTOR position, VECTOR target) {
    if (!started || !CameraIsUsable(position, target)) return -1;
    SceneCamera camera = models.camera();
    camera.eye = position;
    camera.target = target;
    models.SetCamera(camera);
    return 0;
}

int dxSetupCamera_Perspective(float fieldOfView) {
    if (!started || !FieldOfViewIsUsable(fieldOfView)) return -1;
    SceneCamera camera = models.camera();
    camera.fieldOfView = fieldOfView;
    models.SetCamera(camera);
    return 0;
}

int dxSetLightDirection(VECTOR direction) {
    if (!started || !Finite(direction) || (direction.x == 0 && direction.y == 0 && direction.z == 0)) return -1;
    SceneLight light = models.light();
    light.direction = direction;
    models.SetLight(light);
    return 0;
}

int dxChangeLightTypePoint(VECTOR position, float range, float atten0, float atten1, float atten2) {
    const bool usable = Finite(position) && std::isfinite(range) && range >= 0 && std::isfinite(atten0) &&
                        std::isfinite(atten1) && std::isfinite(atten2);
    if (!started || !usable) return -1;
    SceneLight light = models.light();
    light.point = true;
    light.position = position;
    light.range = range;
    light.attenuation[0] = atten0;
    light.attenuation[1] = atten1;
    light.attenuation[2] = atten2;
    models.SetLight(light);
    return 0;
}
