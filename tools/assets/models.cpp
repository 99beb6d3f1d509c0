// Cell models in Metasequoia text form: frame m is a 1000 x 1000 cell whose solid sides are those of m.
#include "art.h"

#include <cstdio>

namespace art {

namespace {
constexpr double HALF = 500, HEIGHT = 1000;  // cell centred on its origin; eye height 500 sits midway

struct Vec {
    double x, y, z;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(Vec a, double s) { return {a.x * s, a.y * s, a.z * s}; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct Quad {
    Vec corner[4];  // upper left, upper right, lower right, lower left, as seen from the cell
    int material;
};

// A square face of the cell, centred at `centre`, facing `inward`, with `up` toward the texture top.
// Metasequoia keeps a face's front where its corners run clockwise, which is this order.
Quad Face(Vec centre, Vec inward, Vec up, double halfW, double halfH, int material) {
    Vec right = Cross(inward * -1, up);
    Quad q{{centre - right * halfW + up * halfH, centre + right * halfW + up * halfH,
            centre + right * halfW - up * halfH, centre - right * halfW - up * halfH},
           material};
    Vec n = Cross(q.corner[0] - q.corner[1], q.corner[2] - q.corner[1]);
    if (Dot(n, inward) <= 0) std::fprintf(stderr, "quarnel-assets: face wound the wrong way\n");
    return q;
}

// Solid sides by mask bit. The game's world is left-handed and flips z when it loads a model,
// so the wall toward world +Z (bit 4) lies at file z = -500 and the one toward -Z (bit 8) at +500.
std::vector<Quad> CellFaces(int mask) {
    const Vec up{0, 1, 0};
    std::vector<Quad> q;
    q.push_back(Face({0, 0, 0}, {0, 1, 0}, {0, 0, -1}, HALF, HALF, 1));       // floor
    q.push_back(Face({0, HEIGHT, 0}, {0, -1, 0}, {0, 0, 1}, HALF, HALF, 2));  // ceiling
    const Vec centre[4] = {{HALF, 500, 0}, {-HALF, 500, 0}, {0, 500, -HALF}, {0, 500, HALF}};
    const Vec inward[4] = {{-1, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int bit = 0; bit < 4; ++bit)
        if (mask & (1 << bit)) q.push_back(Face(centre[bit], inward[bit], up, HALF, HEIGHT / 2, 0));
    return q;
}

void Append(std::string& out, const char* format, auto... args) {
    char line[256];
    std::snprintf(line, sizeof line, format, args...);
    out += line;
}

void WriteMaterial(std::string& out, const char* name, const std::string& tex, double emission) {
    Append(out,
           "\t\"%s\" shader(3) col(1.000 1.000 1.000 1.000) dif(0.800) amb(0.600) emi(%.3f) spc(0.000) "
           "power(5.00) tex(\"%s\")\n",
           name, emission, tex.c_str());
}

void WriteObject(std::string& out, int mask) {
    static const char* sides[16] = {"open", "px",    "nx",    "px_nx",    "pz",    "px_pz",    "nx_pz",    "px_nx_pz",
                                    "nz",   "px_nz", "nx_nz", "px_nx_nz", "pz_nz", "px_pz_nz", "nx_pz_nz", "closed"};
    std::vector<Quad> faces = CellFaces(mask);
    Append(out, "Object \"mask%02d_%s\" {\n", mask, sides[mask]);
    out +=
        "\tdepth 0\n\tfolding 0\n\tscale 1.000000 1.000000 1.000000\n\trotation 0.000000 0.000000 0.000000\n"
        "\ttranslation 0.000000 0.000000 0.000000\n\tvisible 15\n\tlocking 0\n\tshading 0\n\tfacet 59.5\n"
        "\tcolor 0.800 0.800 0.800\n\tcolor_type 0\n";
    Append(out, "\tvertex %d {\n", static_cast<int>(faces.size() * 4));
    for (const Quad& q : faces)
        for (const Vec& v : q.corner) Append(out, "\t\t%.4f %.4f %.4f\n", v.x + 0.0, v.y + 0.0, v.z + 0.0);
    out += "\t}\n";
    Append(out, "\tface %d {\n", static_cast<int>(faces.size()));
    for (size_t k = 0; k < faces.size(); ++k) {
        int v = static_cast<int>(k * 4);
        Append(out, "\t\t4 V(%d %d %d %d) M(%d) UV(0.00000 0.00000 1.00000 0.00000 1.00000 1.00000 0.00000 1.00000)\n",
               v, v + 1, v + 2, v + 3, faces[k].material);
    }
    out += "\t}\n}\n";
}
}  // namespace

std::string CellModel(const ModelSkin& skin) {
    std::string out = "Metasequoia Document\nFormat Text Ver 1.0\n\n";
    out += "Material 3 {\n";
    WriteMaterial(out, "wall", skin.wallTex, skin.wallEmission);
    WriteMaterial(out, "floor", skin.floorTex, skin.floorEmission);
    WriteMaterial(out, "ceiling", skin.ceilingTex, 0);
    out += "}\n";
    for (int mask = 0; mask < 16; ++mask) WriteObject(out, mask);
    out += "Eof\n";
    return out;
}

}  // namespace art
