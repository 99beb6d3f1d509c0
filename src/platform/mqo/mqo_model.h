// Metasequoia text models: materials and objects with their faces, read into triangles.
// Plain C++ without GL, so it can be tested and fuzzed on its own.
//
// Objects become frames in file order, hidden ones included. Positions come out in the game's
// left-handed world: z is negated on reading, so a triangle's front side (clockwise in the file)
// is the side its normal cross(b - a, c - a) points to. Quads split into (0 1 2) and (0 2 3).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Limits that keep a hostile or broken file from taking unbounded memory or time.
inline constexpr size_t MQO_MAX_FILE_BYTES = 16u << 20;
inline constexpr size_t MQO_MAX_MATERIALS = 64;
inline constexpr size_t MQO_MAX_OBJECTS = 256;
inline constexpr size_t MQO_MAX_VERTICES = 65536;    // per object
inline constexpr size_t MQO_MAX_FACES = 65536;       // per object
inline constexpr size_t MQO_MAX_TRIANGLES = 262144;  // whole model
inline constexpr size_t MQO_MAX_NESTING = 64;        // braces inside a skipped chunk

struct MqoMaterial {
    std::string name;
    float colour[4] = {1, 1, 1, 1};  // col: red, green, blue, alpha
    float diffuse = 0.8f;
    float ambient = 0.6f;
    float emissive = 0.0f;
    float specular = 0.0f;
    float power = 5.0f;
    std::string texture;  // as written in tex(""), empty when none
};

struct MqoCorner {
    float x, y, z;  // z already negated
    float u, v;     // v = 0 at the top of the picture
};

struct MqoTriangle {
    MqoCorner corner[3];
    int material = -1;  // index into MqoModel::materials, -1 without a material
};

struct MqoObject {
    std::string name;
    bool visible = true;
    std::vector<MqoTriangle> triangles;
};

struct MqoModel {
    std::vector<MqoMaterial> materials;
    std::vector<MqoObject> objects;  // the frames, in file order
};

// Reads a whole document. On failure returns false, leaves `model` empty and says why (with the
// line number) in `error`.
bool ParseMqo(std::string_view text, MqoModel& model, std::string& error);
// Reads a file of at most MQO_MAX_FILE_BYTES; messages start with the path.
bool LoadMqo(const std::string& path, MqoModel& model, std::string& error);
