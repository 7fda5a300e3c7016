#include <gtest/gtest.h>

#include <cmath>

#include "ConfigFixture.h"
#include "Md2Builder.h"
#include "lum/resource/ModelLoader.h"
#include "lum/util/Exception.h"

using namespace lum;

namespace {

// One triangle in the z = 0 plane: (0,0,0), (2,0,0), (0,4,0) after scaling.
Md2Builder oneTriangle() {
    Md2Builder md2;
    md2.texCoords = {{{0, 0}}, {{32, 0}}, {{0, 16}}};
    md2.triangles = {{{0, 1, 2}, {0, 1, 2}}};
    md2.frames = {{{1, 2, 1}, {0, 0, 0}, {{{0, 0, 0}}, {{2, 0, 0}}, {{0, 2, 0}}}}};
    return md2;
}

ModelData decode(const std::vector<unsigned char>& file) {
    return ModelLoader::instance().decode("test", Md2Builder::toArray(file), file.size());
}

// The reason a decode failed, after the file and model every message names.
std::string failureOf(const std::vector<unsigned char>& file) {
    const std::string naming = "MD2 file test.md2 of model test: ";
    try {
        decode(file);
    } catch (const IOException& e) {
        EXPECT_EQ(0u, e.getMessage().find(naming)) << e.getMessage();
        return e.getMessage().substr(naming.size());
    }
    return "no failure";
}

}  // namespace

TEST(ModelLoader, HeaderRulesAreCheckedInOrder) {
    const std::vector<unsigned char> good = oneTriangle().build();

    EXPECT_EQ("File is too small to contain a valid MD2 model",
              failureOf(std::vector<unsigned char>(good.begin(), good.begin() + 68)));

    std::vector<unsigned char> magic = good;
    std::memcpy(magic.data(), "ABCD", 4);
    EXPECT_EQ(std::string("Bad MD2 magic number DCBA") + '\0' + ".", failureOf(magic));

    std::vector<unsigned char> version = good;
    Md2Builder::setInt(version, 1, 6);
    EXPECT_EQ("Bad MD2 version 6.", failureOf(version));

    std::vector<unsigned char> shortFile(good.begin(), good.begin() + 69);
    Md2Builder::setInt(shortFile, 16, 1000);
    EXPECT_EQ("File size is smaller than declared model size.", failureOf(shortFile));

    const struct {
        int field;
        const char* message;
    } emptyCounts[] = {{5, "MD2 file contains no skins."},
                       {7, "MD2 file contains no texture coordinates."},
                       {8, "MD2 file contains no triangles."},
                       {10, "MD2 file contains no frames."}};
    for (const auto& rule : emptyCounts) {
        std::vector<unsigned char> file = good;
        Md2Builder::setInt(file, rule.field, 0);
        EXPECT_EQ(rule.message, failureOf(file));
    }
}

TEST(ModelLoader, RecordsAndIndicesOutsideTheFileAreRefused) {
    Md2Builder badVertex = oneTriangle();
    badVertex.triangles[0].vertex[2] = 3;
    EXPECT_EQ("triangle 0 uses vertex 3 of 3.", failureOf(badVertex.build()));

    Md2Builder badTexCoord = oneTriangle();
    badTexCoord.triangles[0].texCoord[0] = -1;
    EXPECT_EQ("triangle 0 uses texture coordinate -1 of 3.", failureOf(badTexCoord.build()));

    std::vector<unsigned char> manyTriangles = oneTriangle().build();
    Md2Builder::setInt(manyTriangles, 8, 1 << 20);
    EXPECT_EQ("triangles lie outside the file.", failureOf(manyTriangles));

    // Truncated inside the frames while the header still claims the old size.
    std::vector<unsigned char> truncated = oneTriangle().build();
    truncated.resize(truncated.size() - 4);
    Md2Builder::setInt(truncated, 16, static_cast<int>(truncated.size()));
    EXPECT_EQ("frames lie outside the file.", failureOf(truncated));

    std::vector<unsigned char> noSkinWidth = oneTriangle().build();
    Md2Builder::setInt(noSkinWidth, 2, 0);
    EXPECT_EQ("skin size 0x32 is not positive.", failureOf(noSkinWidth));
}

TEST(ModelLoader, OneTriangleGetsItsFaceNormalAndScaledTextureCoordinates) {
    const ModelData data = decode(oneTriangle().build());
    EXPECT_EQ(1, data.frameCount);
    EXPECT_EQ(3, data.verticesPerFrame);
    EXPECT_EQ(3, data.vertexCount);
    // (2,0,0) x (0,4,0) points along +z; the loader negates it.
    for (int k = 0; k < 3; ++k) {
        EXPECT_FLOAT_EQ(0.0f, data.vertices[k].normal[0]);
        EXPECT_FLOAT_EQ(0.0f, data.vertices[k].normal[1]);
        EXPECT_FLOAT_EQ(-1.0f, data.vertices[k].normal[2]);
    }
    EXPECT_FLOAT_EQ(2.0f, data.vertices[1].vertex[0]);
    EXPECT_FLOAT_EQ(4.0f, data.vertices[2].vertex[1]);
    EXPECT_FLOAT_EQ(0.5f, data.vertices[1].texCoord[0]);
    EXPECT_FLOAT_EQ(0.5f, data.vertices[2].texCoord[1]);
}

TEST(ModelLoader, ExtentsAreTheLargestMagnitudesOverAllFrames) {
    Md2Builder md2 = oneTriangle();
    // Bytes 0..7 map to -4..3 in x, -1..2 in y (step 3/7), -2..1 in z.
    md2.frames = {{{1, 0.5f, 1}, {-4, -1, -2}, {{{0, 0, 0}}, {{7, 6, 3}}, {{1, 1, 1}}}},
                  {{1, 0.5f, 1}, {-4, -1, -2}, {{{2, 2, 2}}, {{3, 3, 3}}, {{4, 4, 0}}}}};
    const ModelData data = decode(md2.build());
    EXPECT_EQ(2, data.frameCount);
    EXPECT_EQ(6, data.vertexCount);
    EXPECT_FLOAT_EQ(4.0f, data.extents.x);
    EXPECT_FLOAT_EQ(2.0f, data.extents.y);
    EXPECT_FLOAT_EQ(2.0f, data.extents.z);
    EXPECT_FLOAT_EQ(4.0f, data.extents.w);
}

TEST(ModelLoader, VerticesWithoutAFaceStillGetAFiniteNormal) {
    Md2Builder md2 = oneTriangle();
    md2.triangles = {{{0, 0, 1}, {0, 1, 2}}};  // degenerate: no area
    const ModelData data = decode(md2.build());
    for (int k = 0; k < 3; ++k) {
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_TRUE(std::isfinite(data.vertices[k].normal[axis]));
        }
    }
}

TEST(ModelLoader, SharedBytesAndDisproportionateExpansionAreRefused) {
    std::vector<unsigned char> overlapping = oneTriangle().build();
    Md2Builder::setInt(overlapping, 13, 68 + 4);  // offsetTriangles into the texture coordinates
    EXPECT_EQ("the texture coordinates and the triangles overlap.", failureOf(overlapping));

    // Disjoint sections, but 3 vertices drawn by 4000 triangles in 1000 frames.
    Md2Builder bomb = oneTriangle();
    bomb.triangles.assign(4000, Md2Builder::Triangle{{0, 1, 2}, {0, 1, 2}});
    bomb.frames.assign(1000, oneTriangle().frames[0]);
    EXPECT_EQ(
        "1000 frames of 4000 triangles would expand 100080 bytes into 366 MB of vertices, "
        "out of all proportion to the file.",
        failureOf(bomb.build()));

    // A big but honest model still loads.
    Md2Builder many = oneTriangle();
    many.frames.assign(200, oneTriangle().frames[0]);
    EXPECT_EQ(600, decode(many.build()).vertexCount);
}

TEST(ModelLoader, AFailedLoadNamesTheFileFound) {
    ModelLoader::instance().addResourceLocation("tests/fuzz/md2/regressions");
    EXPECT_EQ(
        "MD2 file tests/fuzz/md2/regressions/truncated-cube.md2 of model truncated-cube: "
        "File size is smaller than declared model size.",
        test::failureOf<IOException>([] { ModelLoader::instance().load("truncated-cube"); }));
}
