// Broken, truncated and oversized Metasequoia models: each load fails with a message, none crashes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "mqo_test_support.h"
#include "platform/mqo/mqo_model.h"

namespace {

std::string Document(const std::string& body) {
    return "Metasequoia Document\nFormat Text Ver 1.0\n" + body + "Eof\n";
}

std::string Object(const std::string& vertices, const std::string& faces) {
    return "Object \"o\" {\n" + vertices + faces + "}\n";
}

const std::string THREE_VERTICES = " vertex 3 {\n 0 0 0\n 1 0 0\n 0 1 0\n }\n";
const std::string ONE_MATERIAL = "Material 1 {\n \"m\" col(1 1 1 1)\n}\n";

// Expects the text to be refused with a message holding `reason`, and the model left empty.
void ExpectRefused(const std::string& text, const std::string& reason) {
    MqoModel model;
    model.objects.resize(1);
    std::string error;
    EXPECT_FALSE(ParseMqo(text, model, error)) << "accepted:\n" << text;
    EXPECT_NE(error.find(reason), std::string::npos) << "message: " << error;
    EXPECT_TRUE(model.objects.empty() && model.materials.empty());
}

TEST(MqoReject, BadHeadersAndMissingEnd) {
    ExpectRefused("", "not a Metasequoia document");
    ExpectRefused("Metasequoia Document\nFormat Compress Ver 1.0\nEof\n", "text format");
    ExpectRefused("Metasequoia Document\nFormat Text Ver 2.0\nEof\n", "text format");
    ExpectRefused("Metasequoia Document\nFormat Text Ver 1.0\n" + ONE_MATERIAL, "ends before Eof");
    ExpectRefused(Document("Scene {\n pos 0 0 0\n dirlights 1 {\n}\n"), "line 7: the file ends inside a chunk");
}

TEST(MqoReject, BadMaterials) {
    ExpectRefused(Document("Material 2 {\n \"m\" col(1 1 1 1)\n}\n"), "fewer materials");
    ExpectRefused(Document("Material 1 {\n \"a\"\n \"b\"\n}\n"), "more materials");
    ExpectRefused(Document("Material 1 {\n \"m\" col(1 1 1)\n}\n"), "col");
    ExpectRefused(Document("Material 1 {\n \"m\" dif(high)\n}\n"), "dif");
    ExpectRefused(Document("Material 1 {\n \"m\" amb(nan)\n}\n"), "amb");
    ExpectRefused(Document("Material 1 {\n \"m\" tex(stone.png)\n}\n"), "tex");
    ExpectRefused(Document("Material 1 {\n \"m\" col(1 1 1 1\n}\n"), "unclosed");
    ExpectRefused(Document("Material 1 {\n m col(1 1 1 1)\n}\n"), "quoted name");
    ExpectRefused(Document(ONE_MATERIAL + ONE_MATERIAL), "second Material");
    ExpectRefused(Document("Material 65 {\n}\n"), "too many materials");
    ExpectRefused(Document("Material -1 {\n}\n"), "bad materials count");
}

TEST(MqoReject, BadVerticesAndFaces) {
    ExpectRefused(Document(Object(" vertex 3 {\n 0 0 0\n 1 0\n 0 1 0\n }\n", "")), "three numbers");
    ExpectRefused(Document(Object(" vertex 1 {\n 0 0 inf\n }\n", "")), "three numbers");
    ExpectRefused(Document(Object(" vertex 1 {\n 0 0 0 0\n }\n", "")), "three numbers");
    ExpectRefused(Document(Object(" vertex 4 {\n 0 0 0\n }\n", "")), "fewer entries");
    ExpectRefused(Document(Object(" vertex 0 {\n 0 0 0\n }\n", "")), "more entries");
    ExpectRefused(Document(Object(THREE_VERTICES + THREE_VERTICES, "")), "second vertex list");
    const std::string bad[][2] = {
        {"3 V(0 1 3)", "vertex index 3 out of range"},
        {"3 V(0 1 -1)", "vertex index -1 out of range"},
        {"2 V(0 7)", "out of range"},
        {"3 V(0 1)", "bad values in V"},
        {"3 V(0 1 2 0)", "bad values in V"},
        {"5 V(0 1 2 0 1)", "2, 3 or 4 vertices"},
        {"1 V(0)", "2, 3 or 4 vertices"},
        {"3 M(0)", "without V"},
        {"3 V(0 1 2) M(-2)", "bad values in M"},
        {"3 V(0 1 2) UV(0 0 1 1)", "bad values in UV"},
        {"3 V(0 1 2) UV(0 0 1 1 0", "bad face attribute"},
        {"3 V(0 1 2) junk", "bad face attribute"},
        {"3 V(0 1 2) M(1)", "line 13: material 1 out of range"},
    };
    for (const auto& [face, reason] : bad)
        ExpectRefused(Document(ONE_MATERIAL + Object(THREE_VERTICES, " face 1 {\n " + face + "\n }\n")), reason);
    // Faces before their vertex list have nothing to point at.
    ExpectRefused(Document(Object(" face 1 {\n 3 V(0 1 2)\n }\n" + THREE_VERTICES, "")), "out of range");
    ExpectRefused(Document(Object(" BVertex 1 {\n Vector 3 [36]\n }\n", "")), "binary vertex");
}

TEST(MqoReject, AbsurdCountsFailBeforeAnythingIsAllocated) {
    ExpectRefused(Document(Object(" vertex 65537 {\n", "")), "too many vertices");
    ExpectRefused(Document(Object(" vertex 99999999999999999999 {\n", "")), "bad vertices count");
    ExpectRefused(Document(Object(THREE_VERTICES, " face 4000000000 {\n")), "too many faces");
    ExpectRefused(Document(Object(" vertex three {\n", "")), "bad vertices count");

    std::string objects;
    for (size_t i = 0; i <= MQO_MAX_OBJECTS; ++i) objects += "Object \"x\" {\n}\n";
    ExpectRefused(Document(objects), "too many objects");

    // Each object within its own limits, the whole model over the triangle limit.
    std::string full = " face 65536 {\n";
    for (int i = 0; i < 65536; ++i) full += "4 V(0 1 2 0)\n";
    full += " }\n";
    std::string body;
    for (int i = 0; i < 3; ++i) body += Object(THREE_VERTICES, full);
    ExpectRefused(Document(body), "too many triangles");

    ExpectRefused(std::string(MQO_MAX_FILE_BYTES + 1, ' '), "larger than");
    std::string deep = "Scene {\n";
    for (size_t i = 0; i <= MQO_MAX_NESTING; ++i) deep += "{\n";
    ExpectRefused(Document(deep), "nested too deep");
}

TEST(MqoReject, EveryTruncationFailsCleanly) {
    const std::string text = ReadFixture("cell.mqo");
    const size_t end = text.find("Eof") + 3;
    ASSERT_GT(end, 3u);
    for (size_t n = 0; n < end; ++n) {
        MqoModel model;
        std::string error;
        ASSERT_FALSE(ParseMqo(std::string_view(text).substr(0, n), model, error)) << "prefix of " << n;
        EXPECT_FALSE(error.empty());
    }
    MqoModel model;
    std::string error;
    EXPECT_TRUE(ParseMqo(std::string_view(text).substr(0, end), model, error)) << error;
}

TEST(MqoReject, RandomDamageNeverCrashes) {
    const std::string text = ReadFixture("cell.mqo");
    std::mt19937 random(20240601);
    const char noise[] = "{}()\"\n -019.eV";
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = text;
        for (int k = 0, edits = 1 + int(random() % 4); k < edits; ++k) {
            const size_t at = random() % damaged.size();
            switch (random() % 3) {
                case 0: damaged[at] = noise[random() % (sizeof noise - 1)]; break;
                case 1: damaged.erase(at, 1 + random() % 8); break;
                default: damaged.insert(at, 1, noise[random() % (sizeof noise - 1)]); break;
            }
        }
        MqoModel model;
        std::string error;
        const bool loaded = ParseMqo(damaged, model, error);
        EXPECT_TRUE(loaded || !error.empty());
    }
}

TEST(MqoReject, FilesOverTheSizeLimitAreNotRead) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "quarnel_mqo_big.mqo";
    { std::ofstream create(path); }
    std::filesystem::resize_file(path, MQO_MAX_FILE_BYTES + 1);
    MqoModel model;
    std::string error;
    EXPECT_FALSE(LoadMqo(path.string(), model, error));
    EXPECT_NE(error.find("at most"), std::string::npos) << error;
    std::filesystem::remove(path);
}

}  // namespace
