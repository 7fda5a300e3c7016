// Checks the committed data files under resources/ as the game reads them:
// the models' frame counts and sizes, the font's cell layout and the vertex
// shaders' attribute binding. (That every texture is a plain bottom-up
// 24-bit Targa is checked where the game's own decoding is compared with
// DevIL's.)

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "ConfigFixture.h"
#include "PixelReadingStandIn.h"
#include "lum/render/Texture.h"
#include "lum/resource/ModelLoader.h"
#include "lum/resource/TextureLoader.h"

namespace {

namespace fs = boost::filesystem;

// The tests run from the repository root, like the game. (__FILE__ is no
// guide: a compiler cache may spell it relative to another directory.)
const fs::path resources = "resources";

// The models the levels and the player use: their frame counts (the
// prototypes' animation tables count on them) and their half sizes (a model
// without a shape of its own collides as a box of these).
TEST(ResourceFiles, ModelsKeepTheirFramesAndSizes) {
    const struct {
        std::string name;
        int frames;
        glm::vec3 extents;
    } models[] = {
        {"cube", 1, {1, 1, 1}},
        {"corn", 8, {0.29f, 0.6f, 0.29f}},
        {"toyMouse", 8, {0.37f, 0.46f, 0.73f}},
        {"toyRobot", 16, {1.02f, 1.27f, 0.79f}},
        {"door", 1, {1, 1.5f, 0.15f}},
        {"marker", 8, {1.3f, 1.5f, 1.3f}},
    };
    for (const auto& e : models) {
        SCOPED_TRACE(e.name);
        const lum::ModelData model = lum::ModelLoader::instance().load(e.name);
        EXPECT_EQ(e.frames, model.frameCount);
        // The sizes as the README gives them, to two decimals.
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_NEAR(e.extents[axis], model.extents[axis], 0.005f) << "axis " << axis;
        }
    }
}

// A texture as the game's loader hands it to OpenGL: RGB, rows bottom-up.
struct Targa {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    int red(int x, int row) const { return rgb[3 * (size_t(row) * width + x)]; }
    int green(int x, int row) const { return rgb[3 * (size_t(row) * width + x) + 1]; }
};

// Loads the texture the game's way.
Targa readTarga(const std::string& name) {
    lum::TextureLoader::setPixelUpload(&readPixelsLikeOpenGL);
    const boost::shared_ptr<lum::Texture> texture =
        lum::TextureLoader::instance().loadPicture(name);
    lum::TextureLoader::setPixelUpload(nullptr);
    return Targa{texture->getWidth(), texture->getHeight(), lastUploadedPixels()};
}

TEST(ResourceFiles, FontHasOneInkedCellPerCharacterWithClearEdges) {
    const Targa font = readTarga("font");
    ASSERT_EQ(30 * 96, font.width);
    for (int code = 32; code <= 127; ++code) {
        const int left = (code - 32) * 30;
        int ink = 0, outline = 0, edge = 0;
        for (int row = 0; row < font.height; ++row) {
            for (int x = left; x < left + 30; ++x) {
                ink += font.red(x, row) > 127;
                outline += font.green(x, row) > 127;
            }
            edge += font.green(left, row) + font.green(left + 29, row);
        }
        if (code == ' ') {
            EXPECT_EQ(0, outline) << "the space cell is not empty";
        } else {
            EXPECT_GT(ink, 10) << "no glyph for code " << code;
            EXPECT_GT(outline, ink) << "no outline round code " << code;
        }
        EXPECT_EQ(0, edge) << "cell of code " << code
                           << " reaches its edge and bleeds into its neighbour";
    }
}

TEST(ResourceFiles, EveryShaderPairExistsAndPinsVertexToLocationZero) {
    // Overlay and debug draws emit corners through generic attributes between
    // glBegin and glEnd, which only works for attribute 0; the models' arrays
    // rely on it too under the compatibility profile.
    const std::regex vertexAtZero(
        R"(layout\s*\(\s*location\s*=\s*0\s*\)\s*in\s+vec[23]\s+vertex\s*;)");
    for (const char* name : {"simple", "outline", "font", "image", "debug"}) {
        const std::string vert =
            lum::test::contentOf(resources / "shaders" / (std::string(name) + ".vert"));
        EXPECT_TRUE(std::regex_search(vert, vertexAtZero)) << name << ".vert";
        EXPECT_TRUE(fs::exists(resources / "shaders" / (std::string(name) + ".frag"))) << name;
    }
}

}  // namespace
