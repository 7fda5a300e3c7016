#include <gtest/gtest.h>

#include <BulletDynamics/Dynamics/btRigidBody.h>

#include "RendererFixture.h"
#include "SceneFiles.h"
#include "lum/character/Glimmet.h"
#include "lum/render/Uniform.h"
#include "lum/scene/Material.h"
#include "lum/scene/Model.h"
#include "lum/scene/Scene.h"

using namespace lum;

namespace {

// The player built from a small "tobble" of the test's own, on the game's
// shaders, textures, cube model and sounds.
class PlayerTest : public RendererTest {
protected:
    PlayerTest() {
        files.linkGameAssets(gameResources);
        // Copied: the search for sounds does not follow linked directories.
        boost::filesystem::copy_file(gameResources / "sounds" / "SFXroll.ogg",
                                     "resources/SFXroll.ogg");
    }

    void TearDown() override {
        player().deactivate();
        Scene::global().getRoot()->removeAllChildren();
        RendererTest::TearDown();
    }

    static Glimmet& player() { return Glimmet::instance(); }

    void writeTobble(const std::string& character, const std::string& states) const {
        files.writeResource("tobble.cfg",
                            "Model { model = \"cube\"; shape = Box { };\n"
                            "character = {" +
                                character +
                                "};\n"
                                "states = {" +
                                states + "} }\n");
    }

    std::string printedBy(const std::function<void()>& action) const {
        ::testing::internal::CaptureStdout();
        action();
        return ::testing::internal::GetCapturedStdout();
    }

    const boost::filesystem::path gameResources = boost::filesystem::current_path() / "resources";
    const SceneFiles files;
};

}  // namespace

TEST_F(PlayerTest, SpikeModeHaltsThePlayerOnceAndIsAnnouncedOnce) {
    writeTobble("", "base = [10, 0, 1]; spike = [5, 0, 3]");
    player().init();
    player().getBody()->setLinearVelocity(btVector3(3, 0, 0));
    EXPECT_EQ("Tobble turning to spike mode\n", printedBy([] { player().switchToSpike(); }));
    EXPECT_EQ(0.0f, player().getBody()->getLinearVelocity().length());
    EXPECT_FLOAT_EQ(3.0f, 1.0f / player().getBody()->getInvMass()) << "spike mode's weight at once";
    EXPECT_EQ("", printedBy([] { player().switchToSpike(); }));
    EXPECT_EQ(glm::vec4(0.7f, 0.7f, 0.7f, 1),
              player().model->getMaterial()->getUniform("material.diffuse")->asVec4().getValue());
}

// A new life (after dying in jump mode, here) starts at rest where it is put,
// in base mode's colour and weight.
TEST_F(PlayerTest, SetPositionPutsThePlayerBackAtRestInBaseModeItsColourAndWeight) {
    writeTobble("state = \"jump\"", "base = [10, 0, 1]; jump = [30, 0, 2]");
    player().init();
    EXPECT_EQ("jump", player().state);
    player().modeAvailable[Glimmet::Jump] = true;
    printedBy([] {
        player().switchToBase();
        player().switchToJump();
    });
    player().getBody()->setLinearVelocity(btVector3(0, -20, 0));
    player().kill();
    printedBy([] { player().setPosition(glm::vec3(81.5f, 10, 0)); });
    EXPECT_EQ("base", player().state);
    EXPECT_EQ(0.0f, player().getBody()->getLinearVelocity().length());
    EXPECT_FLOAT_EQ(1.0f, 1.0f / player().getBody()->getInvMass());
    EXPECT_EQ(glm::vec4(1, 1, 1, 1),
              player().model->getMaterial()->getUniform("material.diffuse")->asVec4().getValue())
        << "no longer red";
    EXPECT_EQ("Tobble turning to jump mode\n", printedBy([] { player().switchToJump(); }))
        << "the mode keys agree with the mode";
}
