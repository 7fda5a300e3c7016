#include <gtest/gtest.h>

#include <BulletDynamics/Dynamics/btRigidBody.h>

#include "CameraSteering.h"
#include "PhysicsFixture.h"
#include "ScriptedWindowFixture.h"
#include "lum/Control.h"
#include "lum/ControlLogic.h"
#include "lum/GameSettings.h"
#include "lum/character/Glimmet.h"
#include "lum/scene/Camera.h"

using namespace lum;

namespace {

// Keys and mouse come from the scripted window; every frame is 0.03 s.
class ControlTest : public ScriptedWindowTest {
protected:
    static constexpr float frame = 0.03f;

    void SetUp() override {
        ScriptedWindowTest::SetUp();
        GameSettings& settings = GameSettings::instance();
        savedFramerate = settings.showframerate;
        savedWireframe = settings.wireframe;
        savedSpeed = settings.playerSpeed;
        settings.messages.clear();
    }

    void TearDown() override {
        GameSettings& settings = GameSettings::instance();
        settings.showframerate = savedFramerate;
        settings.wireframe = savedWireframe;
        settings.playerSpeed = savedSpeed;
        settings.messages.clear();
        // Every toggle key up again, so no latch carries over to the next test.
        script->setKey('P', false);
        for (int n = 1; n <= 12; ++n) {
            script->setKey(key::function(n), false);
        }
        ControlLogic::instance().releaseLatches();
        ScriptedWindowTest::TearDown();
    }

    // One frame of the game's input handling.
    void runFrame() {
        Control::instance().update(frame);
        ControlLogic::instance().handleKeys(frame);
        ControlLogic::instance().releaseLatches();
    }

    bool savedFramerate = false;
    bool savedWireframe = false;
    float savedSpeed = 0;
};

}  // namespace

TEST_F(ControlTest, AHeldToggleKeyActsOncePerPress) {
    GameSettings& settings = GameSettings::instance();
    const bool before = settings.wireframe;
    script->setKey(key::function(3), true);
    for (int i = 0; i < 10; ++i) runFrame();
    EXPECT_NE(before, settings.wireframe);
    script->setKey(key::function(3), false);
    runFrame();
    script->setKey(key::function(3), true);
    runFrame();
    EXPECT_EQ(before, settings.wireframe);
    ASSERT_EQ(2u, settings.messages.size());
    EXPECT_EQ(before ? "Disable wireframe" : "Show wireframe", settings.messages[0]);
}

TEST_F(ControlTest, OnlyOneToggleActsPerFrameTheEarlierKeyFirst) {
    GameSettings& settings = GameSettings::instance();
    const bool framerate = settings.showframerate;
    const bool wireframe = settings.wireframe;
    script->setKey(key::function(2), true);
    script->setKey(key::function(3), true);
    runFrame();
    EXPECT_NE(framerate, settings.showframerate);
    EXPECT_EQ(wireframe, settings.wireframe);
    runFrame();  // F3 is still held: its turn comes now
    EXPECT_NE(wireframe, settings.wireframe);
    EXPECT_NE(framerate, settings.showframerate) << "F2 must not act again while held";
}

TEST_F(ControlTest, AKeyStillHeldFromTheTitleScreenDoesNotToggle) {
    GameSettings& settings = GameSettings::instance();
    const bool wireframe = settings.wireframe;
    script->setKey(key::function(3), true);  // F3 chose level 3
    Control::instance().update(frame);
    ControlLogic::instance().latchHeldKeys();
    runFrame();
    EXPECT_EQ(wireframe, settings.wireframe);
    script->setKey(key::function(3), false);
    runFrame();
    script->setKey(key::function(3), true);
    runFrame();
    EXPECT_NE(wireframe, settings.wireframe);
}

TEST_F(ControlTest, HoldingPlusForASecondRaisesTheSpeedByAboutOne) {
    GameSettings& settings = GameSettings::instance();
    const float before = settings.playerSpeed;
    script->setKey(key::Plus, true);
    ::testing::internal::CaptureStdout();
    for (int i = 0; i < 33; ++i) runFrame();
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_NEAR(before + 0.99f, settings.playerSpeed, 1e-3);
    EXPECT_EQ(0u, printed.find("Game speed : "));
    EXPECT_EQ(33, std::count(printed.begin(), printed.end(), '\n'));
}

TEST_F(ControlTest, TheWheelZoomsTheOrbitWithinItsLimits) {
    Control& control = Control::instance();
    Transform target = Transform::identity();
    control.update(frame);
    control.followTransform(target, frame);  // the first follow resets the orbit
    const float start = control.orbit.distance;
    script->setMouseWheel(script->getMouseWheel() - 1);  // one step down: further away
    control.update(frame);
    control.followTransform(target, frame);
    EXPECT_NEAR(start + 70 * frame, control.orbit.distance, 1e-4);
    for (int i = 0; i < 500; ++i) {
        script->setMouseWheel(script->getMouseWheel() - 1);
        control.update(frame);
        control.followTransform(target, frame);
    }
    EXPECT_FLOAT_EQ(240, control.orbit.distance);
    for (int i = 0; i < 500; ++i) {
        script->setMouseWheel(script->getMouseWheel() + 1);
        control.update(frame);
        control.followTransform(target, frame);
    }
    EXPECT_FLOAT_EQ(20, control.orbit.distance);
}

TEST_F(ControlTest, TheSpectatorTurnsAtMostFiftyPixelsWorthPerFrame) {
    const boost::shared_ptr<Camera> far = Camera::make("far", {});
    const boost::shared_ptr<Camera> near = Camera::make("near", {});
    Control& control = Control::instance();
    script->setCursorPosition({100, 100});
    control.update(frame);
    script->setCursorPosition({400, 100});
    control.update(frame);
    updateCamera(frame, SPECTATOR, *far);
    script->setCursorPosition({100, 100});
    control.update(frame);
    script->setCursorPosition({150, 100});
    control.update(frame);
    updateCamera(frame, SPECTATOR, *near);
    EXPECT_NEAR(0.0f, glm::length(far->getTransform().rotation - near->getTransform().rotation), 1e-6);
    EXPECT_GT(glm::length(far->getTransform().rotation - glm::quat(1, 0, 0, 0)), 1e-3);
}

namespace {

// The player with a plain box for a body, standing on a floor or in the air.
class PlayerPushTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        Glimmet& player = Glimmet::instance();
        BoxSpatial::make("tobble.box", player.self, glm::vec3(0.5f));
        player.setMass(1.0f);
        player.rebuildPhysics();
        player.activate();
        camera = Camera::make("camera", {});
        camera->setTranslation(glm::vec3(0, 5, 10));  // behind the player, looking down -z
        camera->update(0);
        ControlLogic::instance().setCamera(camera);
    }

    void TearDown() override {
        Glimmet& player = Glimmet::instance();
        player.deactivate();
        player.removeAllChildren();
        player.state.clear();
        ControlTest::TearDown();
    }

    glm::vec3 pushed() const {
        const btVector3 force = Glimmet::instance().getBody()->getTotalForce();
        return glm::vec3(force.x(), force.y(), force.z());
    }

    boost::shared_ptr<Camera> camera;
};

}  // namespace

TEST_F(PlayerPushTest, KeysPushAwayFromTheCameraOnlyOnTheGround) {
    Glimmet& player = Glimmet::instance();
    player.speedFactor = 10.7;  // counts as 10
    GameSettings::instance().playerSpeed = 5;
    script->setKey('W', true);
    player.onGround = false;
    ControlLogic::instance().movePlayer(frame);
    EXPECT_EQ(glm::vec3(0), pushed());
    player.onGround = true;
    ControlLogic::instance().movePlayer(frame);
    EXPECT_NEAR(-5 * frame * 10, pushed().z, 1e-4) << "forward is away from the camera";
    EXPECT_NEAR(0, pushed().x, 1e-5);
}

TEST_F(PlayerPushTest, SpaceLiftsOnlyInJumpMode) {
    Glimmet& player = Glimmet::instance();
    player.speedFactor = 10;
    GameSettings::instance().playerSpeed = 5;
    player.onGround = true;
    script->setKey(key::Space, true);
    Control::instance().update(frame);
    player.state = "base";
    ControlLogic::instance().movePlayer(frame);
    EXPECT_EQ(glm::vec3(0), pushed());
    player.state = "jump";
    ControlLogic::instance().movePlayer(frame);
    EXPECT_NEAR(3 * 5 * frame * 10, pushed().y, 1e-4);
}
