#include <gtest/gtest.h>

#include <vector>

#include "ConfigFixture.h"
#include "RendererFixture.h"
#include "lum/render/Shader.h"
#include "lum/render/Texture.h"
#include "lum/render/Uniform.h"
#include "lum/render/VertexArray.h"
#include "lum/render/VertexBuffer.h"
#include "lum/render/VertexLayout.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/scene/Material.h"
#include "lum/util/Exception.h"

using namespace lum;
using lum::test::solidTarga;
using lum::test::TempDir;

namespace {

const char* const passVertex =
    "#version 120\nattribute vec3 vertex;\nvoid main() { gl_Position = vec4(vertex, 1.0); }\n";
const char* const plainFragment = "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n";

class ShaderTest : public RendererTest {
protected:
    void SetUp() override {
        RendererTest::SetUp();
        ShaderLoader::instance().addResourceLocation(files.path);
        TextureLoader::instance().addResourceLocation(files.path);
    }

    // Writes a shader pair under a name no other test uses.
    void writeShader(const std::string& name, const std::string& vertex,
                     const std::string& fragment) const {
        files.write(name + ".vert", vertex);
        files.write(name + ".frag", fragment);
    }

    static std::string loadFailure(const std::string& name) {
        return test::failureOf<Exception>([&] { ShaderLoader::instance().load(name); });
    }

    TempDir files;
};

}  // namespace

TEST_F(ShaderTest, BrokenShadersAreReportedWithTheDriversLog) {
    writeShader("badFragment", passVertex, "#version 120\nvoid main() { gl_FragColor = oops; }\n");
    const std::string compile = loadFailure("badFragment");
    EXPECT_EQ(0u, compile.find("Invalid use of OpenGL: GL_FRAGMENT_SHADER badFragment could not be "
                               "compiled.\nOpenGL errors: "))
        << compile;

    writeShader("noMain", "#version 120\nattribute vec3 vertex;\n", plainFragment);
    EXPECT_EQ(0u, loadFailure("noMain").find("Invalid use of OpenGL: Shader noMain could not be "
                                             "compiled.\n"));

    writeShader("boolUniform", passVertex,
                "#version 120\nuniform bool flag;\n"
                "void main() { gl_FragColor = vec4(flag ? 1.0 : 0.0); }\n");
    EXPECT_EQ("Invalid use of OpenGL: Tried to create Uniform with unknown type.",
              loadFailure("boolUniform"));
    // Nothing was cached: loading again fails again.
    EXPECT_EQ("Invalid use of OpenGL: Tried to create Uniform with unknown type.",
              loadFailure("boolUniform"));
}

TEST_F(ShaderTest, ShadersAreCachedAndMaterialsWorkOnCopies) {
    writeShader("tinted", passVertex,
                "#version 120\nuniform vec4 tint;\nvoid main() { gl_FragColor = tint; }\n");
    const boost::shared_ptr<Shader> shader = ShaderLoader::instance().load("tinted");
    EXPECT_EQ(shader, ShaderLoader::instance().load("tinted"));

    const boost::shared_ptr<Material> material = shader->createMaterial("material");
    material->getUniform("tint")->asVec4().setValue(glm::vec4(1, 0, 0, 1));
    EXPECT_EQ(glm::vec4(0.0f), shader->getUniforms()[0]->asVec4().getValue());
}

TEST_F(ShaderTest, PicturesAreReadAfreshAndLeftoverTexturesLiveOnlyWhileHeld) {
    TextureLoader& textures = TextureLoader::instance();
    files.write("shownOnce.tga", solidTarga(4, 2, 10, 20, 30));
    const boost::shared_ptr<Texture> shown = textures.loadPicture("shownOnce");
    files.write("shownOnce.tga", solidTarga(8, 8, 10, 20, 30));
    const boost::shared_ptr<Texture> again = textures.loadPicture("shownOnce");
    EXPECT_NE(shown, again);
    EXPECT_EQ(8, again->getWidth());
    EXPECT_EQ(GL_TRUE, glIsTexture(shown->getId()));

    files.write("inUse.tga", solidTarga(2, 2, 10, 20, 30));
    files.write("leftOver.tga", solidTarga(2, 2, 10, 20, 30));
    const boost::shared_ptr<Texture> inUse = textures.load("inUse");
    const GLuint leftOver = textures.load("leftOver")->getId();
    textures.forgetUnused();
    EXPECT_EQ(GL_FALSE, glIsTexture(leftOver));
    EXPECT_EQ(inUse, textures.load("inUse"));
}
