#include <gtest/gtest.h>

#include <GL/glew.h>

#include <GLFW/glfw3.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <boost/filesystem.hpp>

#include "ConfigFixture.h"
#include "lum/platform/GlfwWindow.h"
#include "lum/platform/Window.h"
#include "lum/render/GLBuffer.h"
#include "lum/render/Renderer.h"
#include "lum/render/Shader.h"
#include "lum/render/Texture.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "lum/util/Exception.h"

using namespace lum;

class RendererOnlyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "graphics tests need an X display (xvfb-run)";
    }
};

// The test program keeps GLFW started between its windows (as a launcher
// that opens the game twice would): a closed renderer's window must go with
// it, and the next window's clock starts at zero as after a fresh start.
TEST_F(RendererOnlyTest, WithGlfwKeptStartedEachRendererClosesItsWindowAndStartsItsClock) {
    GlfwSession session;
    ASSERT_TRUE(session.started());
    {
        Renderer renderer;
        ASSERT_NE(nullptr, glfwGetCurrentContext());
        window().setTime(1000);
    }
    EXPECT_EQ(nullptr, glfwGetCurrentContext()) << "the closed renderer's window is still there";
    EXPECT_FALSE(window().isOpen());
    Renderer next;
    EXPECT_TRUE(window().isOpen());
    EXPECT_LT(window().getTime(), 1000.0);
}

// The font is built on the first text, but a game without its files still
// fails at start-up, before anything is shown, and leaves no renderer.
TEST_F(RendererOnlyTest, WithoutTheFontTextureTheRendererFailsAtStart) {
    const boost::filesystem::path game = boost::filesystem::current_path() / "resources";
    const lum::test::TempResources files;
    boost::filesystem::create_directory_symlink(game / "shaders", "resources/shaders");
    boost::filesystem::create_directory("resources/textures");
    try {
        Renderer renderer;
        FAIL() << "the renderer started without font.tga";
    } catch (const IOException& e) {
        EXPECT_NE(std::string::npos, e.getMessage().find("font.tga")) << e.getMessage();
    }
    EXPECT_FALSE(Renderer::isInitialized());
}

// Objects outlive the renderer in the game: the player (made once for the
// whole run) keeps its model, and a scene may still hold a level. The next
// renderer's context hands out the same OpenGL names again, so letting go
// of such an object later must not delete what the new context made.
TEST_F(RendererOnlyTest, ObjectsOfAClosedRendererLetGoLaterLeaveTheNextOnesLevelWhole) {
    boost::shared_ptr<Spatial> playerModel;
    {
        Renderer first;
        UberLoader::instance().loadLevel("level1");
        playerModel = UberLoader::instance().loadModel("tobble");
    }
    Renderer second;
    const boost::shared_ptr<Spatial> newPlayerModel = UberLoader::instance().loadModel("tobble");
    playerModel.reset();
    const boost::shared_ptr<Node> root = Scene::global().getRoot();
    std::vector<boost::shared_ptr<Spatial>> oldLevel(root->begin(), root->end());
    root->removeAllChildren();
    UberLoader::instance().loadLevel("level1");
    oldLevel.clear();

    const boost::shared_ptr<Shader> simple = ShaderLoader::instance().load("simple");
    EXPECT_TRUE(glIsProgram(simple->getProgram()));
    EXPECT_TRUE(glIsTexture(TextureLoader::instance().load("none")->getId()));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    Scene::global().addChild(newPlayerModel);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Scene::global().render(second);
    EXPECT_EQ(GL_NO_ERROR, glGetError());
    root->removeAllChildren();
}

// A renderer closed in the middle of a draw (an exception between a bind and
// its release) leaves the next one every binding point free.
TEST_F(RendererOnlyTest, BindingsLeftMarkedByAClosedRendererDoNotHoldUpTheNext) {
    {
        Renderer first;
        GLBuffer buffer(16, StaticDraw);
        buffer.bind();
    }
    Renderer second;
    GLBuffer buffer(16, StaticDraw);
    EXPECT_NO_THROW(buffer.bind());
    buffer.release();
}
