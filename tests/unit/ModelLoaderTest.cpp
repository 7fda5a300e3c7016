#include <gtest/gtest.h>

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

TEST(ModelLoader, OneTriangleGetsItsFaceNormalAndScaledTextureCoordinates) {
    const ModelData data = decode(oneTriangle().build());
    ASSERT_EQ(3, data.vertexCount);
    // (2,0,0) x (0,4,0) points along +z; the loader negates it.
    EXPECT_FLOAT_EQ(-1.0f, data.vertices[0].normal[2]);
    EXPECT_FLOAT_EQ(4.0f, data.vertices[2].vertex[1]);
    EXPECT_FLOAT_EQ(0.5f, data.vertices[2].texCoord[1]);
}

// A small file must not make the game take gigabytes: 3 vertices drawn by
// 4000 triangles in 1000 frames.
TEST(ModelLoader, DisproportionateExpansionIsRefused) {
    Md2Builder bomb = oneTriangle();
    bomb.triangles.assign(4000, Md2Builder::Triangle{{0, 1, 2}, {0, 1, 2}});
    bomb.frames.assign(1000, oneTriangle().frames[0]);
    EXPECT_EQ(
        "1000 frames of 4000 triangles would expand 100080 bytes into 366 MB of vertices, "
        "out of all proportion to the file.",
        failureOf(bomb.build()));
}

TEST(ModelLoader, AFailedLoadNamesTheFileFound) {
    ModelLoader::instance().addResourceLocation("tests/fuzz/md2/regressions");
    EXPECT_EQ(
        "MD2 file tests/fuzz/md2/regressions/truncated-cube.md2 of model truncated-cube: "
        "File size is smaller than declared model size.",
        test::failureOf<IOException>([] { ModelLoader::instance().load("truncated-cube"); }));
}
