// Checks the committed data files under resources/ with readers written
// independently of the generators in tools/assets: the MD2 layout and the
// loader's header rules, the models' shapes, winding, frame names and sizes,
// the Targa headers and the pixels the game uploads, the font's cell layout,
// the ramp file and the vertex shaders' attribute binding.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "PixelReadingStandIn.h"
#include "lum/render/Texture.h"
#include "lum/resource/ModelLoader.h"
#include "lum/resource/TextureLoader.h"

namespace {

namespace fs = std::filesystem;

// The tests run from the repository root, like the game. (__FILE__ is no
// guide: a compiler cache may spell it relative to another directory.)
const fs::path resources = "resources";

std::vector<unsigned char> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot open " << path;
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in) << "cannot open " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int32_t int32At(const std::vector<unsigned char>& data, size_t at) {
    return static_cast<int32_t>(uint32_t(data.at(at)) | uint32_t(data.at(at + 1)) << 8 |
                                uint32_t(data.at(at + 2)) << 16 | uint32_t(data.at(at + 3)) << 24);
}

int16_t int16At(const std::vector<unsigned char>& data, size_t at) {
    return static_cast<int16_t>(data.at(at) | data.at(at + 1) << 8);
}

float floatAt(const std::vector<unsigned char>& data, size_t at) {
    const uint32_t bits = static_cast<uint32_t>(int32At(data, at));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

struct Vec3 {
    float x, y, z;
};

Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// An MD2 file decoded the way the game's loader reads it, with every record
// checked to lie inside the file and every index inside its table.
struct Md2 {
    enum Field {
        ident,
        version,
        skinWidth,
        skinHeight,
        frameSize,
        numSkins,
        numVertices,
        numTexCoords,
        numTriangles,
        numGlCommands,
        numFrames,
        offsetSkins,
        offsetTexCoords,
        offsetTriangles,
        offsetFrames,
        offsetGlCommands,
        offsetEnd
    };
    int32_t header[17];
    std::vector<std::string> frameNames;
    std::vector<Vec3> positions;   // frame after frame
    std::vector<int> triangles;    // vertex a, b, c, texcoord a, b, c
    std::vector<float> texCoords;  // s / skinWidth, t / skinHeight
};

void expectRecordsInside(const Md2& m, size_t fileSize, int32_t offset, int64_t count, int64_t size,
                         const char* what) {
    EXPECT_GE(offset, 68) << what;
    EXPECT_LE(offset + count * size, int64_t(fileSize)) << what << " run past the end of the file";
    EXPECT_LE(offset + count * size, m.header[Md2::offsetEnd]) << what << " run past offsetEnd";
}

Md2 readMd2(const std::string& name) {
    const std::vector<unsigned char> data = readBytes(resources / "models" / (name + ".md2"));
    Md2 m{};
    if (data.size() <= 68) {
        ADD_FAILURE() << name << ".md2 is too small for an MD2 header";
        return m;
    }
    for (int i = 0; i < 17; ++i) {
        m.header[i] = int32At(data, 4 * i);
    }
    // The game's loader checks the header's magic, version and counts and
    // every index; the layout is checked here more strictly than it needs.
    EXPECT_NO_THROW(lum::ModelLoader::instance().load(name));
    EXPECT_EQ(40 + 4 * m.header[Md2::numVertices], m.header[Md2::frameSize]);
    expectRecordsInside(m, data.size(), m.header[Md2::offsetSkins], m.header[Md2::numSkins], 64,
                        "skins");
    expectRecordsInside(m, data.size(), m.header[Md2::offsetTexCoords], m.header[Md2::numTexCoords],
                        4, "texture coordinates");
    expectRecordsInside(m, data.size(), m.header[Md2::offsetTriangles], m.header[Md2::numTriangles],
                        12, "triangles");
    expectRecordsInside(m, data.size(), m.header[Md2::offsetFrames], m.header[Md2::numFrames],
                        m.header[Md2::frameSize], "frames");
    if (testing::Test::HasFailure()) {
        return m;
    }

    for (int t = 0; t < m.header[Md2::numTriangles]; ++t) {
        const size_t at = m.header[Md2::offsetTriangles] + 12 * size_t(t);
        for (int k = 0; k < 6; ++k) {
            m.triangles.push_back(int16At(data, at + 2 * k));
        }
    }
    for (int i = 0; i < m.header[Md2::numTexCoords]; ++i) {
        const size_t at = m.header[Md2::offsetTexCoords] + 4 * size_t(i);
        m.texCoords.push_back(float(int16At(data, at)) / float(m.header[Md2::skinWidth]));
        m.texCoords.push_back(float(int16At(data, at + 2)) / float(m.header[Md2::skinHeight]));
    }
    for (int f = 0; f < m.header[Md2::numFrames]; ++f) {
        const size_t at = m.header[Md2::offsetFrames] + size_t(f) * m.header[Md2::frameSize];
        const char* name = reinterpret_cast<const char*>(&data.at(at + 24));
        m.frameNames.emplace_back(name, strnlen(name, 16));
        for (int j = 0; j < m.header[Md2::numVertices]; ++j) {
            float p[3];
            for (int axis = 0; axis < 3; ++axis) {
                p[axis] = float(data.at(at + 40 + 4 * j + axis)) * floatAt(data, at + 4 * axis) +
                          floatAt(data, at + 12 + 4 * axis);
            }
            m.positions.push_back({p[0], p[1], p[2]});
        }
    }
    return m;
}

// The cube's shape and winding are checked with the other models below.
TEST(ResourceFiles, CubeModelHasSixFlatFacesOfTwoByTwo) {
    const Md2 cube = readMd2("cube");
    ASSERT_FALSE(testing::Test::HasFailure());
    ASSERT_EQ(12, cube.header[Md2::numTriangles]);

    // The loader's normal is minus the corners' cross product, averaged over
    // the triangles that share a vertex: a vertex shared with a face at an
    // angle would bend its normal.
    std::vector<Vec3> summed(cube.positions.size(), Vec3{0, 0, 0});
    float area = 0;
    for (size_t t = 0; t < cube.triangles.size(); t += 6) {
        const Vec3 a = cube.positions[cube.triangles[t]], b = cube.positions[cube.triangles[t + 1]],
                   c = cube.positions[cube.triangles[t + 2]];
        const Vec3 n = cross(b - a, c - a);
        area += std::sqrt(dot(n, n)) / 2;
        for (int k = 0; k < 3; ++k) {
            summed[cube.triangles[t + k]] = summed[cube.triangles[t + k]] + n;
        }
    }
    EXPECT_FLOAT_EQ(24.0f, area);
    for (const Vec3& n : summed) {
        const float largest = std::max({std::fabs(n.x), std::fabs(n.y), std::fabs(n.z)});
        EXPECT_FLOAT_EQ(largest * largest, dot(n, n)) << "vertex normal bends off its face axis";
    }
}

// Vertices that coincide were written from the same coordinates, so they
// decode to the same floats and compare exactly.
using Point = std::array<float, 3>;

Point pointOf(Vec3 v) {
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
void expectClosedPiecesFacingOutwards(const Md2& m, int frame) {
    const size_t first = size_t(frame) * m.header[Md2::numVertices];
    std::map<std::pair<Point, Point>, int> edgeBalance;
    std::map<Point, Point> parents;
    for (size_t t = 0; t < m.triangles.size(); t += 6) {
        Point corners[3];
        for (int k = 0; k < 3; ++k) {
            corners[k] = pointOf(m.positions.at(first + m.triangles[t + k]));
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
    for (size_t t = 0; t < m.triangles.size(); t += 6) {
        const Vec3 a = m.positions.at(first + m.triangles[t]),
                   b = m.positions.at(first + m.triangles[t + 1]),
                   c = m.positions.at(first + m.triangles[t + 2]);
        const Vec3 n = cross(b - a, c - a);
        EXPECT_GT(dot(n, n), 0.0f) << m.frameNames[frame] << ": triangle " << t / 6 << " is flat";
        volumes[rootOf(parents, pointOf(a))] -= dot(a, cross(b, c)) / 6;
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

Vec3 extentsOf(const Md2& m) {
    Vec3 extents{0, 0, 0};
    for (const Vec3& p : m.positions) {
        extents = {std::max(extents.x, std::fabs(p.x)), std::max(extents.y, std::fabs(p.y)),
                   std::max(extents.z, std::fabs(p.z))};
    }
    return extents;
}

// The models the levels and the player use: their frame names (the levels'
// animation tables count on them), their half sizes (a model without a shape
// of its own collides as a box of these) and where their texture
// coordinates may reach (past 1 only where a texture repeats).
TEST(ResourceFiles, ModelsAreClosedFaceOutwardsAndKeepTheirFramesAndSizes) {
    struct Expected {
        std::string name;
        std::vector<std::string> frames;
        Vec3 extents;
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
        const Md2 model = readMd2(e.name);
        ASSERT_FALSE(testing::Test::HasFailure());
        EXPECT_EQ(e.frames, model.frameNames);
        for (int f = 0; f < model.header[Md2::numFrames]; ++f) {
            expectClosedPiecesFacingOutwards(model, f);
        }
        const Vec3 extents = extentsOf(model);
        // The sizes as the README gives them, to two decimals.
        EXPECT_NEAR(e.extents.x, extents.x, 0.005f);
        EXPECT_NEAR(e.extents.y, extents.y, 0.005f);
        EXPECT_NEAR(e.extents.z, extents.z, 0.005f);
        for (float st : model.texCoords) {
            EXPECT_TRUE(st >= 0.0f && st <= e.texCoordLimit) << st;
        }
    }
}

TEST(ResourceFiles, TobbleFillsItsCollisionSphereOfRadiusOne) {
    const Md2 tobble = readMd2("tobble");
    ASSERT_FALSE(testing::Test::HasFailure());
    EXPECT_GE(tobble.header[Md2::numTriangles], 300);
    EXPECT_LE(tobble.header[Md2::numTriangles], 600);
    for (const Vec3& p : tobble.positions) {
        // Within the quantisation of a byte grid across the diameter.
        EXPECT_NEAR(1.0f, std::sqrt(dot(p, p)), 2.0f / 255) << p.x << ", " << p.y << ", " << p.z;
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
    std::istringstream lines(readText(resources / "shaders" / "celShaderTex"));
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
        const std::string vert = readText(resources / "shaders" / (std::string(name) + ".vert"));
        EXPECT_TRUE(std::regex_search(vert, vertexAtZero)) << name << ".vert";
        EXPECT_TRUE(fs::exists(resources / "shaders" / (std::string(name) + ".frag"))) << name;
    }
}

}  // namespace
