// Metasequoia models: what loads and into what; broken, truncated and oversized ones fail with a
// message and leave the model empty.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/mqo/mqo_model.h"

namespace {

const std::string FIXTURES = std::string(QUARNEL_FIXTURES) + "/models/";

std::string ReadFixture(const std::string& name) {
    std::ifstream in(FIXTURES + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Document(const std::string& body) { return "Metasequoia Document\nFormat Text Ver 1.0\n" + body + "Eof\n"; }

std::string Object(const std::string& vertices, const std::string& faces) {
    return "Object \"o\" {\n" + vertices + faces + "}\n";
}

const std::string THREE_VERTICES = " vertex 3 {\n 0 0 0\n 1 0 0\n 0 1 0\n }\n";
const std::string ONE_MATERIAL = "Material 1 {\n \"m\" col(1 1 1 1)\n}\n";

MqoModel MustParse(std::string_view text) {
    MqoModel model;
    std::string error;
    EXPECT_TRUE(ParseMqo(text, model, error)) << error;
    return model;
}

// Expects the text to be refused with a message holding `reason`, and the model left empty.
void ExpectRefused(const std::string& text, const std::string& reason) {
    MqoModel model;
    model.objects.resize(1);
    std::string error;
    EXPECT_FALSE(ParseMqo(text, model, error)) << "accepted:\n" << text;
    EXPECT_NE(error.find(reason), std::string::npos) << "message: " << error;
    EXPECT_TRUE(model.objects.empty() && model.materials.empty());
}

// The fixture's materials and frames, in file order.
void ExpectCell(const MqoModel& model) {
    ASSERT_EQ(model.materials.size(), 2u);
    const MqoMaterial& stone = model.materials[0];
    EXPECT_EQ(stone.name, "stone");
    EXPECT_EQ(std::vector<float>(stone.colour, stone.colour + 4), (std::vector<float>{0.5f, 0.25f, 1, 1}));
    EXPECT_EQ((std::vector<float>{stone.diffuse, stone.ambient, stone.emissive, stone.specular, stone.power}),
              (std::vector<float>{0.7f, 0.4f, 0.1f, 0.2f, 7.5f}));
    // Braces inside a name are not chunk braces; a hidden object is kept as a frame all the same.
    EXPECT_EQ((std::vector<std::string>{stone.texture, model.materials[1].name, model.materials[1].texture}),
              (std::vector<std::string>{"stone.png", "plain {x}", ""}));
    std::vector<std::pair<std::string, bool>> objects;  // name, visible
    for (const MqoObject& object : model.objects) objects.push_back({object.name, object.visible});
    ASSERT_EQ(objects, (decltype(objects){{"floor", true}, {"hidden", false}}));
    // The quad gives two triangles, the triangle one, the edge none; a face without M(...) has no material.
    ASSERT_EQ(model.objects[0].triangles.size(), 3u);
    std::vector<int> materials;
    for (const MqoObject& object : model.objects)
        for (const MqoTriangle& t : object.triangles) materials.push_back(t.material);
    EXPECT_EQ(materials, (std::vector<int>{0, 0, 1, -1}));
    EXPECT_EQ(model.objects[1].triangles[0].corner[2].z, -250.0f);
}

// Line endings, a byte-order mark, blank lines, unknown chunks and anything after Eof do not matter.
TEST(MqoParse, FixtureLoadsMaterialsAndFramesInFileOrder) {
    MqoModel model;
    std::string error;
    ASSERT_TRUE(LoadMqo(FIXTURES + "cell.mqo", model, error)) << error;
    ExpectCell(model);
    const std::string lf = ReadFixture("cell.mqo");
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string variants[] = {crlf, "\xEF\xBB\xBF" + lf, lf + "anything after Eof {\n",
                                    "Metasequoia Document\nFormat Text Ver 1.1\nCodePage utf8\n"
                                    "BackImage {\n\tpers \"\" 0 0 1 1\n}\nThumbnail 128 128 24 rgb raw {\n"
                                    "\tFFFFFF\n}\n\n" +
                                        lf.substr(lf.find("Scene"))};
    for (const std::string& text : variants) {
        SCOPED_TRACE(text.substr(0, 60));
        ExpectCell(MustParse(text));
    }
}

// Quads split along their first diagonal, the UVs following the corners; empty objects and models
// without materials are fine.
TEST(MqoParse, QuadsSplitAlongTheirFirstDiagonalAndEmptyObjectsAreFine) {
    const MqoModel model =
        MustParse(Document("Object \"a\" {\n}\nObject \"b\" {\n vertex 0 {\n }\n face 0 {\n }\n}\n"
                           "Object \"q\" {\n vertex 4 {\n 0 0 0\n 10 0 0\n 10 20 0\n 0 20 0\n }\n"
                           " face 1 {\n 4 V(0 1 2 3) UV(0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8)\n }\n}\n"));
    ASSERT_EQ(model.objects.size(), 3u);
    EXPECT_TRUE(model.objects[0].triangles.empty() && model.objects[1].triangles.empty() && model.materials.empty());
    std::vector<float> corners;  // x, y, u, v of each corner
    for (const MqoTriangle& t : model.objects[2].triangles)
        for (const MqoCorner& c : t.corner) corners.insert(corners.end(), {c.x, c.y, c.u, c.v});
    EXPECT_EQ(corners, (std::vector<float>{0, 0, .1f, .2f, 10, 0,  .3f, .4f, 10, 20, .5f, .6f,
                                           0, 0, .1f, .2f, 10, 20, .5f, .6f, 0,  20, .7f, .8f}));
}

TEST(MqoReject, BadHeadersMaterialsVerticesAndFaces) {
    ExpectRefused("", "not a Metasequoia document");
    ExpectRefused("Metasequoia Document\nFormat Compress Ver 1.0\nEof\n", "text format");
    ExpectRefused("Metasequoia Document\nFormat Text Ver 2.0\nEof\n", "text format");
    ExpectRefused("Metasequoia Document\nFormat Text Ver 1.0\n" + ONE_MATERIAL, "ends before Eof");
    ExpectRefused(Document("Scene {\n pos 0 0 0\n dirlights 1 {\n}\n"), "line 7: the file ends inside a chunk");
    ExpectRefused(Document("Material 2 {\n \"m\" col(1 1 1 1)\n}\n"), "fewer materials");
    ExpectRefused(Document("Material 1 {\n \"a\"\n \"b\"\n}\n"), "more materials");
    for (const auto& [attribute, reason] : {std::pair<std::string, std::string>{"col(1 1 1)", "col"},
                                            {"dif(high)", "dif"},
                                            {"amb(nan)", "amb"},
                                            {"tex(stone.png)", "tex"},
                                            {"col(1 1 1 1", "unclosed"}})
        ExpectRefused(Document("Material 1 {\n \"m\" " + attribute + "\n}\n"), reason);
    ExpectRefused(Document("Material 1 {\n m col(1 1 1 1)\n}\n"), "quoted name");
    ExpectRefused(Document(ONE_MATERIAL + ONE_MATERIAL), "second Material");
    ExpectRefused(Document("Material 65 {\n}\n"), "too many materials");
    ExpectRefused(Document("Material -1 {\n}\n"), "bad materials count");
    ExpectRefused(Document(Object(" vertex 3 {\n 0 0 0\n 1 0\n 0 1 0\n }\n", "")), "three numbers");
    ExpectRefused(Document(Object(" vertex 1 {\n 0 0 inf\n }\n", "")), "three numbers");
    ExpectRefused(Document(Object(" vertex 1 {\n 0 0 0 0\n }\n", "")), "three numbers");
    ExpectRefused(Document(Object(" vertex 4 {\n 0 0 0\n }\n", "")), "fewer entries");
    ExpectRefused(Document(Object(" vertex 0 {\n 0 0 0\n }\n", "")), "more entries");
    ExpectRefused(Document(Object(THREE_VERTICES + THREE_VERTICES, "")), "second vertex list");
    // clang-format off
    const std::string bad[][2] = {
        {"3 V(0 1 3)", "vertex index 3 out of range"},   {"3 V(0 1 -1)", "vertex index -1 out of range"},
        {"2 V(0 7)", "out of range"},                    {"3 V(0 1)", "bad values in V"},
        {"3 V(0 1 2 0)", "bad values in V"},             {"5 V(0 1 2 0 1)", "2, 3 or 4 vertices"},
        {"1 V(0)", "2, 3 or 4 vertices"},                {"3 M(0)", "without V"},
        {"3 V(0 1 2) M(-2)", "bad values in M"},         {"3 V(0 1 2) UV(0 0 1 1)", "bad values in UV"},
        {"3 V(0 1 2) UV(0 0 1 1 0", "bad face attribute"}, {"3 V(0 1 2) junk", "bad face attribute"},
        {"3 V(0 1 2) M(1)", "line 13: material 1 out of range"},
    };
    // clang-format on
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
    std::string full = " face 65536 {\n", body;
    for (int i = 0; i < 65536; ++i) full += "4 V(0 1 2 0)\n";
    for (int i = 0; i < 3; ++i) body += Object(THREE_VERTICES, full + " }\n");
    ExpectRefused(Document(body), "too many triangles");
    ExpectRefused(std::string(MQO_MAX_FILE_BYTES + 1, ' '), "larger than");
    std::string deep = "Scene {\n";
    for (size_t i = 0; i <= MQO_MAX_NESTING; ++i) deep += "{\n";
    ExpectRefused(Document(deep), "nested too deep");
}

// Random damage is left to the fuzz target (tests/fuzz/fuzz_mqo.cpp).
TEST(MqoReject, EveryTruncationFailsCleanly) {
    const std::string text = ReadFixture("cell.mqo");
    const size_t end = text.find("Eof") + 3;
    for (size_t n = 0; n < end; ++n) {
        MqoModel model;
        std::string error;
        ASSERT_FALSE(ParseMqo(std::string_view(text).substr(0, n), model, error)) << "prefix of " << n;
        EXPECT_FALSE(error.empty());
    }
    MustParse(std::string_view(text).substr(0, end));
}

TEST(MqoLoad, FoldersAndOversizedFilesAreRefusedUnread) {
    MqoModel model;
    model.objects.resize(1);
    std::string error;
    EXPECT_FALSE(LoadMqo(FIXTURES, model, error));  // a folder
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(model.objects.empty());
    // A file over the size limit is not read at all. Named by process, as parallel runs share /tmp.
    const auto big = std::filesystem::temp_directory_path() / ("quarnel_mqo_big_" + std::to_string(getpid()));
    std::ofstream{big};
    std::filesystem::resize_file(big, MQO_MAX_FILE_BYTES + 1);
    EXPECT_FALSE(LoadMqo(big.string(), model, error));
    EXPECT_NE(error.find("at most"), std::string::npos) << error;
    std::filesystem::remove(big);
}

}  // namespace
