#ifndef GLIMMET_TESTS_GAMEFLOWFIXTURE_H
#define GLIMMET_TESTS_GAMEFLOWFIXTURE_H

#include <gtest/gtest.h>

#include <GL/glew.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <boost/filesystem.hpp>

#include "ConfigFixture.h"
#include "ScriptedGlfwWindow.h"
#include "flow/Levels.h"
#include "lum/ControlLogic.h"
#include "lum/GameSettings.h"
#include "lum/character/Glimmet.h"
#include "lum/physics/PhysicsNode.h"
#include "lum/render/Renderer.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"

// Solid colours of the full-screen pictures in the fixture.
const Rgb startColour{200, 40, 40};
const Rgb loadingColour{40, 200, 40};
const Rgb pauseColour{40, 40, 200};
const Rgb deadColour{200, 200, 40};

// Small levels of the test's own (tests/fixtures/gameflow) in a temporary
// working directory, with the object names the level scripts look up, on the
// game's shaders, cube model and font. The player is a ball drawn as a cube, with the game's four
// modes; it starts at (81.5, 10, 0) and drops onto a pad whose top is at
// y 8. Level 1 has its play corner's floor at y 0 below the green cubes'
// return point.
class GameFiles : public lum::test::TempResources {
public:
    // `game`: the game's own "resources" directory.
    explicit GameFiles(const boost::filesystem::path& game) {
        linkGameAssets(game);
        writeScreens();
        copyConfigurations(game.parent_path() / "tests" / "fixtures" / "gameflow");
    }

private:
    void linkGameAssets(const boost::filesystem::path& game) const {
        namespace fs = boost::filesystem;
        fs::create_directory_symlink(game / "shaders", "resources/shaders");
        fs::create_directory_symlink(game / "models", "resources/models");
        fs::create_directory("resources/textures");
        for (const char* const texture : {"font", "none", "textPanel"}) {
            const std::string file = std::string(texture) + ".tga";
            fs::create_symlink(game / "textures" / file, fs::path("resources/textures") / file);
        }
        // Copied: the search for sounds does not enter linked directories.
        for (const char* const sound : {"SFXroll", "BGMcalmViolence"}) {
            const std::string file = std::string(sound) + ".ogg";
            fs::copy_file(game / "sounds" / file, fs::path("resources") / file);
        }
    }

    void writeScreens() const {
        const std::pair<const char*, Rgb> screens[] = {{"start", startColour},
                                                       {"loading", loadingColour},
                                                       {"pause", pauseColour},
                                                       {"dead", deadColour}};
        for (const auto& screen : screens) {
            const std::vector<unsigned char> image =
                lum::test::solidTarga(4, 4, screen.second[0], screen.second[1], screen.second[2]);
            writeResource(std::string("textures/") + screen.first + ".tga",
                          std::string(image.begin(), image.end()));
        }
    }

    void copyConfigurations(const boost::filesystem::path& fixtures) const {
        namespace fs = boost::filesystem;
        for (const fs::directory_entry& file : fs::directory_iterator(fixtures)) {
            fs::copy_file(file.path(), fs::path("resources") / file.path().filename());
        }
    }
};

// The renderer in a real window with scripted input, over the fixture
// levels; the player, the settings and the controls start afresh. The whole
// picture of every frame is drawn and remembered, in a window `shrink`
// times smaller each way than the game asks for.
class GameFlowTest : public ::testing::Test {
protected:
    explicit GameFlowTest(int shrink = 1) : shrink(shrink) {}

    void SetUp() override {
        ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "graphics tests need an X display (xvfb-run)";
        std::unique_ptr<ScriptedGlfwWindow> scripted(new ScriptedGlfwWindow(shrink, 1, true));
        script = scripted.get();
        lum::installWindow(std::move(scripted));
        renderer.reset(new lum::Renderer());
        // The whole picture in the smaller window, as after a resize.
        const lum::WindowSize size = lum::window().getSize();
        glViewport(0, 0, size.width, size.height);
        lum::GameSettings& settings = lum::GameSettings::instance();
        settings.state = lum::RUNNING;
        settings.messages.clear();
        lum::ControlLogic::instance().releaseLatches();
    }

    void TearDown() override {
        lum::Glimmet& player = lum::Glimmet::instance();
        player.deactivate();
        lum::Scene::global().getRoot()->removeAllChildren();
        // The player's model lives in this renderer's OpenGL context.
        player.removeAllChildren();
        player.model.reset();
        renderer.reset();
        lum::installWindow(nullptr);
    }

    static lum::Glimmet& player() { return lum::Glimmet::instance(); }

    static glm::vec3 playerAt() { return player().getWorldTransform().translation; }

    // The `index`th child of the scene's group `group`.
    static boost::shared_ptr<lum::PhysicsNode> member(const std::string& group, int index) {
        return boost::dynamic_pointer_cast<lum::PhysicsNode>(
            lum::sceneNode(group)->getChild(index));
    }

    static bool isShown(const std::string& name) { return lum::sceneNode(name)->isVisible(); }

    // The tests start in the repository root, which holds the game's data.
    const GameFiles files{boost::filesystem::current_path() / "resources"};
    const int shrink;
    ScriptedGlfwWindow* script = nullptr;
    std::unique_ptr<lum::Renderer> renderer;
};

#endif
