// Metasequoia models that must load, and what they load into.
#include <gtest/gtest.h>


#include "mqo_test_support.h"
#include "platform/mqo/mqo_model.h"

namespace {

MqoModel MustParse(std::string_view text) {
    MqoModel model;
    std::string error;
    EXPECT_TRUE(ParseMqo(text, model, error)) << error;
    return model;
}

std::string Document(const std::string& body) {
    return "Metasequoia Document\nFormat Text Ver 1.0\n" + body + "Eof\n";
}

// Normal of a triangle's front side in the world the parser returns.
void FrontNormal(const MqoTriangle& t, float n[3]) {
    const MqoCorner &a = t.corner[0], &b = t.corner[1], &c = t.corner[2];
    const float u[3] = {b.x - a.x, b.y - a.y, b.z - a.z}, v[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
    n[0] = u[1] * v[2] - u[2] * v[1];
    n[1] = u[2] * v[0] - u[0] * v[2];
    n[2] = u[0] * v[1] - u[1] * v[0];
}

TEST(MqoParse, FixtureLoadsMaterialsAndFramesInFileOrder) {
    const MqoModel model = MustParse(ReadFixture("cell.mqo"));
    ASSERT_EQ(model.materials.size(), 2u);
    const MqoMaterial& stone = model.materials[0];
    EXPECT_EQ(stone.name, "stone");
    EXPECT_FLOAT_EQ(stone.colour[0], 0.5f);
    EXPECT_FLOAT_EQ(stone.colour[1], 0.25f);
    EXPECT_FLOAT_EQ(stone.colour[2], 1.0f);
    EXPECT_FLOAT_EQ(stone.colour[3], 1.0f);
    EXPECT_FLOAT_EQ(stone.diffuse, 0.7f);
    EXPECT_FLOAT_EQ(stone.ambient, 0.4f);
    EXPECT_FLOAT_EQ(stone.emissive, 0.1f);
    EXPECT_FLOAT_EQ(stone.specular, 0.2f);
    EXPECT_FLOAT_EQ(stone.power, 7.5f);
    EXPECT_EQ(stone.texture, "stone.png");
    EXPECT_EQ(model.materials[1].name, "plain {x}");  // braces inside a name are not chunk braces
    EXPECT_EQ(model.materials[1].texture, "");

    ASSERT_EQ(model.objects.size(), 2u);
    EXPECT_EQ(model.objects[0].name, "floor");
    EXPECT_TRUE(model.objects[0].visible);
    EXPECT_EQ(model.objects[1].name, "hidden");
    EXPECT_FALSE(model.objects[1].visible);  // kept as a frame all the same

    // The quad gives two triangles, the triangle one, the edge none.
    const std::vector<MqoTriangle>& floor = model.objects[0].triangles;
    ASSERT_EQ(floor.size(), 3u);
    EXPECT_EQ(floor[0].material, 0);
    EXPECT_EQ(floor[1].material, 0);
    EXPECT_EQ(floor[2].material, 1);
    // Faces without M(...) have no material.
    ASSERT_EQ(model.objects[1].triangles.size(), 1u);
    EXPECT_EQ(model.objects[1].triangles[0].material, -1);
}

TEST(MqoParse, QuadSplitsAlongItsFirstDiagonalWithUvsFollowingTheCorners) {
    const MqoModel model = MustParse(Document(
        "Object \"q\" {\n vertex 4 {\n 0 0 0\n 10 0 0\n 10 20 0\n 0 20 0\n }\n"
        " face 1 {\n 4 V(0 1 2 3) UV(0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8)\n }\n}\n"));
    const std::vector<MqoTriangle>& t = model.objects.at(0).triangles;
    ASSERT_EQ(t.size(), 2u);
    const float expectX[2][3] = {{0, 10, 10}, {0, 10, 0}};
    const float expectY[2][3] = {{0, 0, 20}, {0, 20, 20}};
    const float expectU[2][3] = {{0.1f, 0.3f, 0.5f}, {0.1f, 0.5f, 0.7f}};
    const float expectV[2][3] = {{0.2f, 0.4f, 0.6f}, {0.2f, 0.6f, 0.8f}};
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(testing::Message() << "triangle " << k << " corner " << i);
            EXPECT_FLOAT_EQ(t[k].corner[i].x, expectX[k][i]);
            EXPECT_FLOAT_EQ(t[k].corner[i].y, expectY[k][i]);
            EXPECT_FLOAT_EQ(t[k].corner[i].u, expectU[k][i]);
            EXPECT_FLOAT_EQ(t[k].corner[i].v, expectV[k][i]);
        }
}

TEST(MqoParse, ZIsNegatedAndFrontSidesKeepFacingTheSameWay) {
    const MqoModel model = MustParse(ReadFixture("cell.mqo"));
    const MqoObject& hidden = model.objects[1];
    EXPECT_FLOAT_EQ(hidden.triangles[0].corner[2].x, 100.0f);
    EXPECT_FLOAT_EQ(hidden.triangles[0].corner[2].z, -250.0f);

    // The floor is wound clockwise seen from above in the file: its front must face up.
    float n[3];
    FrontNormal(model.objects[0].triangles[0], n);
    EXPECT_GT(n[1], 0.0f);
    EXPECT_FLOAT_EQ(n[0], 0.0f);
    EXPECT_FLOAT_EQ(n[2], 0.0f);
    // A wall at file z = -500 facing into the cell (toward file +z) faces world -z after the flip,
    // that is still into the cell, which now lies toward world -z from it.
    const MqoModel wall = MustParse(Document(
        "Object \"w\" {\n vertex 4 {\n -500 1000 -500\n 500 1000 -500\n 500 0 -500\n -500 0 -500\n }\n"
        " face 1 {\n 4 V(0 1 2 3)\n }\n}\n"));
    FrontNormal(wall.objects[0].triangles[0], n);
    EXPECT_FLOAT_EQ(wall.objects[0].triangles[0].corner[0].z, 500.0f);
    EXPECT_LT(n[2], 0.0f);
}

TEST(MqoParse, LineEndingsByteOrderMarkBlankLinesAndUnknownChunksDoNotMatter) {
    const std::string lf = ReadFixture("cell.mqo");
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string variants[] = {crlf, "\xEF\xBB\xBF" + lf, lf + "anything after Eof {\n",
                                    "Metasequoia Document\nFormat Text Ver 1.1\nCodePage utf8\n"
                                    "BackImage {\n\tpers \"\" 0 0 1 1\n}\nThumbnail 128 128 24 rgb raw {\n"
                                    "\tFFFFFF\n}\n\n" + lf.substr(lf.find("Scene"))};
    const MqoModel reference = MustParse(lf);
    for (const std::string& text : variants) {
        const MqoModel model = MustParse(text);
        ASSERT_EQ(model.materials.size(), reference.materials.size());
        ASSERT_EQ(model.objects.size(), reference.objects.size());
        EXPECT_EQ(model.materials[0].texture, "stone.png");
        EXPECT_EQ(model.objects[0].triangles.size(), reference.objects[0].triangles.size());
        EXPECT_FLOAT_EQ(model.objects[1].triangles[0].corner[2].z, -250.0f);
    }
}

TEST(MqoParse, EmptyObjectsAndModelsWithoutMaterialsAreFine) {
    const MqoModel model =
        MustParse(Document("Object \"a\" {\n}\nObject \"b\" {\n vertex 0 {\n }\n face 0 {\n }\n}\n"));
    ASSERT_EQ(model.objects.size(), 2u);
    EXPECT_TRUE(model.objects[0].triangles.empty());
    EXPECT_TRUE(model.materials.empty());
}

TEST(MqoLoad, ReadsFilesAndNamesTheFileInItsMessages) {
    MqoModel model;
    std::string error;
    EXPECT_TRUE(LoadMqo(std::string(QUARNEL_FIXTURES) + "/models/cell.mqo", model, error)) << error;
    EXPECT_EQ(model.objects.size(), 2u);

    EXPECT_FALSE(LoadMqo(std::string(QUARNEL_FIXTURES) + "/models/no_such.mqo", model, error));
    EXPECT_NE(error.find("no_such.mqo"), std::string::npos);
    EXPECT_FALSE(LoadMqo(std::string(QUARNEL_FIXTURES) + "/models", model, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(model.objects.empty());
}

}  // namespace
