#include <gtest/gtest.h>

#include <array>
#include <string>

#include <boost/filesystem/operations.hpp>

#include "ConfigFixture.h"
#include "RendererFixture.h"
#include "lum/render/Shader.h"
#include "lum/render/Uniform.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/scene/Material.h"

using namespace lum;
using lum::test::TempDir;
namespace fs = boost::filesystem;

namespace {

using Pixel = std::array<unsigned char, 3>;

const char* const quadVertex =
    "#version 330 compatibility\nlayout(location = 0) in vec2 vertex;\n"
    "void main() { gl_Position = vec4(vertex, 0.0, 1.0); }\n";

std::string tintFragment(const std::string& green) {
    return "#version 330 compatibility\nuniform vec4 tint;\nout vec4 colour;\n"
           "void main() { colour = vec4(tint.r, " +
           green + ", tint.b, 1.0); }\n";
}

class ProgramCacheTest : public RendererTest {
protected:
    void SetUp() override {
        RendererTest::SetUp();
        ShaderLoader::instance().addResourceLocation(shaders.path);
        ShaderLoader::instance().setProgramCache(kept.path);
        writeShader("tint", "0.0");
    }

    void TearDown() override {
        ShaderLoader::instance().setProgramCache(fs::path());
        RendererTest::TearDown();
    }

    void writeShader(const std::string& name, const std::string& green) const {
        shaders.write(name + ".vert", quadVertex);
        shaders.write(name + ".frag", tintFragment(green));
    }

    // Loads `name` afresh; returns what the loader said.
    static std::string loadAgain(const std::string& name) {
        ShaderLoader::instance().clearCache();
        ::testing::internal::CaptureStdout();
        ShaderLoader::instance().load(name);
        return ::testing::internal::GetCapturedStdout();
    }

    // The centre pixel after drawing the whole window with `name`, tinted red.
    static Pixel drawn(const std::string& name) {
        const boost::shared_ptr<Material> material =
            ShaderLoader::instance().load(name)->createMaterial("material");
        material->getUniform("tint")->asVec4().setValue(glm::vec4(1, 0, 0, 1));
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        material->use();
        glBegin(GL_TRIANGLE_STRIP);
        for (const auto& corner : {std::array<float, 2>{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}) {
            glVertexAttrib2f(0, corner[0], corner[1]);
        }
        glEnd();
        glUseProgram(0);
        glEnable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);
        Pixel pixel{};
        glReadPixels(Renderer::windowWidth / 2, Renderer::windowHeight / 2, 1, 1, GL_RGB,
                     GL_UNSIGNED_BYTE, pixel.data());
        return pixel;
    }

    static bool compiled(const std::string& said) {
        return said.find("compiled successfully") != std::string::npos &&
               said.find("program cache") == std::string::npos;
    }

    static bool takenBack(const std::string& said) {
        return said.find("Shader tint taken from the program cache.") != std::string::npos &&
               said.find("compiled") == std::string::npos;
    }

    std::string keptFile() const { return test::contentOf(kept.path / "tint.program"); }

    TempDir shaders;
    TempDir kept;
};

}  // namespace

// A kept program comes back without a compile and works the same; whatever
// the file holds, a program that is not exactly the one asked for is built
// from its sources again, and the file is written anew.
TEST_F(ProgramCacheTest, KeptProgramsComeBackAndOtherSourcesOrDamagedFilesAreCompiledAgain) {
    loadAgain("tint");
    const std::string good = keptFile();

    writeShader("tint", "1.0");
    EXPECT_TRUE(compiled(loadAgain("tint")));
    EXPECT_EQ((Pixel{255, 255, 0}), drawn("tint"));
    EXPECT_TRUE(takenBack(loadAgain("tint")));
    EXPECT_EQ((Pixel{255, 255, 0}), drawn("tint")) << "the kept program works the same";

    writeShader("tint", "0.0");
    std::string flipped = good;
    for (std::size_t i = good.size() - 64; i < good.size(); ++i)
        flipped[i] = static_cast<char>(~good[i]);
    // The second line counts the bytes of what follows; its last number, the
    // binary's length, made far too large.
    const std::size_t lengthEnd = good.find('\n', good.find('\n') + 1);
    const std::size_t lengthStart = good.rfind(' ', lengthEnd) + 1;
    const std::string tooLong =
        std::string(good).replace(lengthStart, lengthEnd - lengthStart, "18446744073709551615");
    for (const std::string& damaged : {tooLong, good.substr(0, good.size() / 2), good + "more",
                                       flipped, std::string(good).replace(0, 7, "GLIMMET")}) {
        kept.write("tint.program", damaged);
        EXPECT_TRUE(compiled(loadAgain("tint"))) << "a file of " << damaged.size() << " bytes";
        EXPECT_EQ((Pixel{255, 0, 0}), drawn("tint"));
        EXPECT_TRUE(takenBack(loadAgain("tint"))) << "the file was not written anew";
    }
}

TEST_F(ProgramCacheTest, WhereNothingCanBeKeptShadersStillLoadAndOneWarningSaysWhy) {
    TempDir blocked;
    blocked.write("cache", "a file where the directory should be");
    ShaderLoader::instance().setProgramCache(blocked.path / "cache" / "programs");
    writeShader("other", "1.0");
    ::testing::internal::CaptureStderr();
    loadAgain("tint");
    ShaderLoader::instance().load("other");
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ((Pixel{255, 0, 0}), drawn("tint"));
    EXPECT_EQ((Pixel{255, 255, 0}), drawn("other"));
    const std::string warning = "ShaderLoader : WARNING: Shader programs are not kept";
    EXPECT_EQ(0u, warnings.find(warning)) << warnings;
    EXPECT_EQ(std::string::npos, warnings.find(warning, 1)) << warnings;
}
