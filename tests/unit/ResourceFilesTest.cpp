// Checks the committed data files under resources/ as the game reads them:
// the models' shapes, winding, normals, frame names and sizes, the Targa
// headers and the pixels the game uploads, the font's cell layout, the ramp
// file and the vertex shaders' attribute binding.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <glm/geometric.hpp>
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

std::vector<unsigned char> readBytes(const fs::path& path) {
    const std::string content = lum::test::contentOf(path);
    EXPECT_FALSE(content.empty()) << "cannot read " << path;
    return std::vector<unsigned char>(content.begin(), content.end());
}

int32_t int32At(const std::vector<unsigned char>& data, size_t at) {
    return static_cast<int32_t>(uint32_t(data.at(at)) | uint32_t(data.at(at + 1)) << 8 |
                                uint32_t(data.at(at + 2)) << 16 | uint32_t(data.at(at + 3)) << 24);
}

// A model as the game's loader decodes it (which checks every record and
// index of the file), with the names of its frames.
struct Model {
    lum::ModelData data;
    std::vector<std::string> frameNames;

    int triangles() const { return data.verticesPerFrame / 3; }
    const lum::Vertex& corner(int frame, int triangle, int k) const {
        return data.vertices[size_t(frame) * data.verticesPerFrame + 3 * size_t(triangle) + k];
    }
    glm::vec3 at(int frame, int triangle, int k) const {
        const float* const v = corner(frame, triangle, k).vertex;
        return glm::vec3(v[0], v[1], v[2]);
    }
};

Model readModel(const std::string& name) {
    Model m;
    m.data = lum::ModelLoader::instance().load(name);
    // The header's frameSize, numFrames and offsetFrames, which the loader
    // has checked; a frame's name follows its scale and translation.
    const std::vector<unsigned char> file = readBytes(resources / "models" / (name + ".md2"));
    for (int f = 0; f < int32At(file, 40); ++f) {
        const size_t at = size_t(int32At(file, 56)) + size_t(f) * int32At(file, 16) + 24;
        const char* const frameName = reinterpret_cast<const char*>(&file.at(at));
        m.frameNames.emplace_back(frameName, strnlen(frameName, 16));
    }
    return m;
}

// The loader's normal is minus the corners' cross product, averaged over
// the triangles that share a vertex: a cube's vertex shared with a face at
// an angle would bend its normal and round the cube's shading.
TEST(ResourceFiles, CubeModelHasTwelveTrianglesWithNormalsAlongItsAxes) {
    const Model cube = readModel("cube");
    ASSERT_EQ(12, cube.triangles());
    for (int i = 0; i < cube.data.vertexCount; ++i) {
        const float* const n = cube.data.vertices[i].normal;
        const float largest = std::max({std::fabs(n[0]), std::fabs(n[1]), std::fabs(n[2])});
        EXPECT_FLOAT_EQ(1.0f, largest) << "vertex normal bends off its face axis";
        EXPECT_FLOAT_EQ(1.0f, n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    }
}

// Vertices that coincide were written from the same coordinates, so they
// decode to the same floats and compare exactly.
using Point = std::array<float, 3>;

Point pointOf(const glm::vec3& v) {
    return {v.x, v.y, v.z};
}

Point rootOf(std::map<Point, Point>& parents, Point p) {
    while (parents.at(p) != p) {
        p = parents[p] = parents.at(parents.at(p));
    }
    return p;
}

// Each edge is crossed once in each direction (so every piece is closed and
// its faces agree on their winding), no triangle is flat, and every
// connected piece encloses a positive volume when the corners run clockwise
// seen from outside: the renderer's front faces and the loader's normals
// then face out, whatever the shape.
void expectClosedPiecesFacingOutwards(const Model& m, int frame) {
    std::map<std::pair<Point, Point>, int> edgeBalance;
    std::map<Point, Point> parents;
    for (int t = 0; t < m.triangles(); ++t) {
        Point corners[3];
        for (int k = 0; k < 3; ++k) {
            corners[k] = pointOf(m.at(frame, t, k));
            parents.emplace(corners[k], corners[k]);
        }
        for (int k = 0; k < 3; ++k) {
            const Point& from = corners[k];
            const Point& to = corners[(k + 1) % 3];
            edgeBalance[{std::min(from, to), std::max(from, to)}] += from < to ? 1 : -1;
            parents[rootOf(parents, from)] = rootOf(parents, to);
        }
    }
    for (const auto& [edge, balance] : edgeBalance) {
        EXPECT_EQ(0, balance) << m.frameNames[frame] << ": edge (" << edge.first[0] << ", "
                              << edge.first[1] << ", " << edge.first[2] << ") to ("
                              << edge.second[0] << ", " << edge.second[1] << ", " << edge.second[2]
                              << ") is open or wound both ways";
    }
    std::map<Point, float> volumes;
    for (int t = 0; t < m.triangles(); ++t) {
        const glm::vec3 a = m.at(frame, t, 0), b = m.at(frame, t, 1), c = m.at(frame, t, 2);
        const glm::vec3 n = glm::cross(b - a, c - a);
        EXPECT_GT(glm::dot(n, n), 0.0f) << m.frameNames[frame] << ": triangle " << t << " is flat";
        volumes[rootOf(parents, pointOf(a))] -= glm::dot(a, glm::cross(b, c)) / 6;
    }
    for (const auto& [piece, volume] : volumes) {
        EXPECT_GT(volume, 0.0f) << m.frameNames[frame] << ": the piece round (" << piece[0] << ", "
                                << piece[1] << ", " << piece[2] << ") faces inwards";
    }
}

std::vector<std::string> numberedFrames(const std::string& animation, int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        names.push_back(animation + (i < 10 ? "0" : "") + std::to_string(i));
    }
    return names;
}

// The models the levels and the player use: their frame names (the levels'
// animation tables count on them), their half sizes (a model without a shape
// of its own collides as a box of these) and where their texture
// coordinates may reach (past 1 only where a texture repeats).
TEST(ResourceFiles, ModelsAreClosedFaceOutwardsAndKeepTheirFramesAndSizes) {
    struct Expected {
        std::string name;
        std::vector<std::string> frames;
        glm::vec3 extents;
        float texCoordLimit;
    };
    std::vector<std::string> robotFrames = numberedFrames("turn", 8);
    for (const std::string& name : numberedFrames("armsEvil", 8)) {
        robotFrames.push_back(name);
    }
    const std::vector<Expected> models{
        {"cube", {"cube"}, {1, 1, 1}, 1},
        {"tobble", {"tobble"}, {1, 1, 1}, 1},
        {"corn", numberedFrames("turn", 8), {0.29f, 0.6f, 0.29f}, 1},
        {"toyMouse", numberedFrames("turn", 8), {0.37f, 0.46f, 0.73f}, 1},
        {"toyRobot", robotFrames, {1.02f, 1.27f, 0.79f}, 1},
        {"plank", {"plank"}, {1, 1, 1}, 1},
        {"floor", {"floor"}, {1, 1, 1}, 8},
        {"wall", {"wall"}, {1, 1, 1}, 8},
        {"door", {"door"}, {1, 1.5f, 0.15f}, 1},
        {"marker", numberedFrames("turn", 8), {1.3f, 1.5f, 1.3f}, 1},
    };
    for (const Expected& e : models) {
        SCOPED_TRACE(e.name);
        const Model model = readModel(e.name);
        EXPECT_EQ(e.frames, model.frameNames);
        for (int f = 0; f < model.data.frameCount; ++f) {
            expectClosedPiecesFacingOutwards(model, f);
        }
        // The sizes as the README gives them, to two decimals.
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_NEAR(e.extents[axis], model.data.extents[axis], 0.005f) << "axis " << axis;
        }
        for (int i = 0; i < model.data.vertexCount; ++i) {
            for (const float st : model.data.vertices[i].texCoord) {
                EXPECT_TRUE(st >= 0.0f && st <= e.texCoordLimit) << st;
            }
        }
    }
}

TEST(ResourceFiles, TobbleFillsItsCollisionSphereOfRadiusOne) {
    const Model tobble = readModel("tobble");
    EXPECT_GE(tobble.triangles(), 300);
    EXPECT_LE(tobble.triangles(), 600);
    for (int i = 0; i < tobble.data.vertexCount; ++i) {
        const float* const p = tobble.data.vertices[i].vertex;
        // Within the quantisation of a byte grid across the diameter.
        EXPECT_NEAR(1.0f, glm::length(glm::vec3(p[0], p[1], p[2])), 2.0f / 255)
            << p[0] << ", " << p[1] << ", " << p[2];
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

// Checks the header for what the loader takes but the game does not want,
// then loads the texture the game's way.
Targa readTarga(const std::string& name) {
    const std::vector<unsigned char> data = readBytes(resources / "textures" / (name + ".tga"));
    if (data.size() < 18) {
        ADD_FAILURE() << name << ".tga is too small for a Targa header";
        return Targa();
    }
    EXPECT_TRUE(data[2] == 2 || data[2] == 10) << name << ": image type " << int(data[2]);
    EXPECT_EQ(0, data[1]) << name << " has a colour map";
    EXPECT_EQ(24, data[16]) << name << ": bits per pixel";
    // Bottom-left origin: rows come bottom row first, as glTexImage2D wants
    // them, whether or not the loader flips by the descriptor.
    EXPECT_EQ(0, data[17] & 0x30) << name << ": origin is not the bottom left";
    lum::TextureLoader::setPixelUpload(&readPixelsLikeOpenGL);
    const boost::shared_ptr<lum::Texture> texture =
        lum::TextureLoader::instance().loadPicture(name);
    lum::TextureLoader::setPixelUpload(nullptr);
    return Targa{texture->getWidth(), texture->getHeight(), lastUploadedPixels()};
}

TEST(ResourceFiles, TexturesAreBottomUpTwentyFourBitTargas) {
    struct Expected {
        const char* name;
        int width, height;
    };
    for (const Expected& e : {Expected{"start", 1024, 768},   Expected{"loading", 1024, 768},
                              Expected{"pause", 1024, 768},   Expected{"dead", 1024, 768},
                              Expected{"font", 30 * 96, 64},  Expected{"cube", 128, 128},
                              Expected{"crate", 128, 128},    Expected{"spikeSpot", 128, 128},
                              Expected{"none", 8, 8},         Expected{"tobble", 256, 256},
                              Expected{"corn", 256, 256},     Expected{"toyMouse", 256, 256},
                              Expected{"toyRobot", 256, 256}, Expected{"plank", 256, 256},
                              Expected{"floor", 256, 256},    Expected{"playMat", 256, 256},
                              Expected{"wall", 256, 256},     Expected{"door", 256, 256},
                              Expected{"marker", 256, 256},   Expected{"markerJump", 256, 256},
                              Expected{"markerF1", 256, 256}, Expected{"markerSpeed", 256, 256}}) {
        const Targa image = readTarga(e.name);
        EXPECT_EQ(e.width, image.width) << e.name;
        EXPECT_EQ(e.height, image.height) << e.name;
    }
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

TEST(ResourceFiles, RampHasThirtyTwoLevelsRisingFromDarkToFull) {
    std::istringstream lines(lum::test::contentOf(resources / "shaders" / "celShaderTex"));
    std::vector<double> levels;
    for (std::string line; std::getline(lines, line);) {
        char* end = nullptr;
        levels.push_back(std::strtod(line.c_str(), &end));
        EXPECT_NE(line.c_str(), end) << "no number on line: " << line;
    }
    ASSERT_EQ(32u, levels.size());
    for (size_t i = 1; i < levels.size(); ++i) {
        EXPECT_LE(levels[i - 1], levels[i]);
    }
    EXPECT_GT(levels.front(), 0.0);
    EXPECT_DOUBLE_EQ(1.0, levels.back());
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
