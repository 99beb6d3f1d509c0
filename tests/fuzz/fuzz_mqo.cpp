// Metasequoia models: any text is either refused with a message and an empty model, or read
// into triangles whose materials exist and whose corners are finite.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/mqo/mqo_model.h"

namespace {

bool Finite(const MqoCorner& c) {
    return std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.z) && std::isfinite(c.u) && std::isfinite(c.v);
}

void CheckModel(const MqoModel& model) {
    if (model.materials.size() > MQO_MAX_MATERIALS || model.objects.size() > MQO_MAX_OBJECTS) std::abort();
    size_t triangles = 0;
    for (const MqoObject& object : model.objects) {
        triangles += object.triangles.size();
        for (const MqoTriangle& t : object.triangles) {
            if (t.material < -1 || t.material >= int(model.materials.size())) std::abort();
            for (const MqoCorner& c : t.corner)
                if (!Finite(c)) std::abort();
        }
    }
    if (triangles > MQO_MAX_TRIANGLES) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MqoModel model;
    std::string error;
    if (ParseMqo(std::string_view(reinterpret_cast<const char*>(data), size), model, error)) {
        CheckModel(model);
    } else if (error.empty() || !model.objects.empty() || !model.materials.empty()) {
        std::abort();
    }
    return 0;
}
