#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include <BulletDynamics/Dynamics/btRigidBody.h>

#include "PhysicsFixture.h"
#include "ScriptedWindowFixture.h"
#include "VectorExpect.h"
#include "flow/CameraSteering.h"
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
        savedWireframe = settings.wireframe;
        savedSpeed = settings.playerSpeed;
        settings.messages.clear();
    }

    void TearDown() override {
        GameSettings& settings = GameSettings::instance();
        settings.wireframe = savedWireframe;
        settings.playerSpeed = savedSpeed;
        settings.messages.clear();
        // Every toggle key up again, so no latch carries over to the next test.
        script->setKey('P', false);
        for (int n = 1; n <= 12; ++n) {
            script->setKey(key::function(n), false);
        }
        ControlLogic::instance().releaseLatches();
        // No pad left plugged in, nor its tilt in Control's last sample.
        script->setGamepad(GamepadState());
        Control::instance().update(frame);
        ScriptedWindowTest::TearDown();
    }

    // One frame of the game's input handling.
    void runFrame() {
        Control::instance().update(frame);
        ControlLogic::instance().handleKeys(frame);
        ControlLogic::instance().releaseLatches();
    }

    bool savedWireframe = false;
    float savedSpeed = 0;
};

}  // namespace

// A toggle acts once per press, and not for a key still held from the
// title screen.
TEST_F(ControlTest, ToggleKeysActOncePerPress) {
    GameSettings& settings = GameSettings::instance();
    const bool wireframe = settings.wireframe;
    const int f3 = key::function(3);
    script->setKey(f3, true);  // F3 chose level 3
    Control::instance().update(frame);
    ControlLogic::instance().latchHeldKeys();
    runFrame();
    EXPECT_EQ(wireframe, settings.wireframe);
    script->setKey(f3, false);
    runFrame();
    script->setKey(f3, true);
    for (int i = 0; i < 10; ++i) runFrame();
    EXPECT_NE(wireframe, settings.wireframe);
}

TEST_F(ControlTest, MinusHeldLongNeverStopsTheGame) {
    script->setKey(key::Minus, true);
    ::testing::internal::CaptureStdout();
    for (int i = 0; i < 1000; ++i) runFrame();
    ::testing::internal::GetCapturedStdout();
    script->setKey(key::Minus, false);
    EXPECT_FLOAT_EQ(0.5f, GameSettings::instance().playerSpeed);
}

// Held and then freed (the window lost the focus), the pointer jumps back
// where it was before it was held: no turn.
TEST_F(ControlTest, AFreedPointerJumpsBackWithoutTurningTheOrbit) {
    Control& control = Control::instance();
    const Transform target = Transform::identity();
    control.update(frame);
    control.followTransform(target, frame);
    const float before = control.orbit.yaw;
    control.capturePointer(true);
    control.capturePointer(false);
    script->setCursorPosition({900, 500});
    for (int pass = 0; pass < 3; ++pass) {
        control.update(frame);
        control.followTransform(target, frame);
    }
    EXPECT_FLOAT_EQ(before, control.orbit.yaw);
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
        player.onGround = false;
        ControlTest::TearDown();
    }

    static glm::vec3 velocity() {
        return fromBullet(Glimmet::instance().getBody()->getLinearVelocity());
    }

    boost::shared_ptr<Camera> camera;
};

}  // namespace

TEST_F(PlayerPushTest, TheKeysNeverPushBeyondTheModesTopSpeed) {
    Glimmet& player = Glimmet::instance();
    player.speedFactor = 50;
    player.topSpeed = 4;
    script->setKey('W', true);
    ControlLogic::instance().movePlayer(frame);
    EXPECT_EQ(glm::vec3(0), velocity()) << "no push in the air";
    player.onGround = true;
    for (int i = 0; i < 100; ++i) {
        ControlLogic::instance().movePlayer(frame);
    }
    EXPECT_NEAR(4.0f, glm::length(velocity()), 1e-4);
    // Faster already (a slope, a fall): the keys steer but do not add.
    player.getBody()->setLinearVelocity(btVector3(0, 0, -9));
    script->setKey('W', false);
    script->setKey('D', true);
    ControlLogic::instance().movePlayer(frame);
    EXPECT_LE(glm::length(velocity()), 9.0f);
    EXPECT_GT(velocity().x, 0.0f) << "still steered to the right";
    player.topSpeed = 0;
}

// Landed with Space still held: one press, one jump; none from the air.
TEST_F(PlayerPushTest, SpaceTakesOffOncePerPressAndOnlyOnTheGround) {
    Glimmet& player = Glimmet::instance();
    player.state = "jump";
    const auto pass = [&](bool spaceDown, bool onGround) {
        script->setKey(key::Space, spaceDown);
        Control::instance().update(frame);
        player.onGround = onGround;
        ControlLogic::instance().movePlayer(frame);
        const bool tookOff = velocity().y > 0;
        player.stop();
        return tookOff;
    };
    for (int i = 0; i < 20; ++i) pass(true, false);
    EXPECT_FALSE(pass(true, true)) << "a held Space bounced Tobble on at landing";
    for (const int airborne : {1, 20}) {
        pass(false, false);
        for (int i = 0; i < airborne; ++i) pass(true, false);
        EXPECT_EQ(airborne == 1, pass(true, true))
            << "pressed " << airborne << " passes before landing";
    }
}

// The player's sensitivity scales both turns of the camera that follows
// Tobble, as far per pixel at any frame rate; inverted, moving the mouse
// down raises the camera instead.
TEST_F(PlayerPushTest, TheMouseTurnsTheFollowingCameraByThePlayersSensitivityAndInversion) {
    PlayerOptions& options = GameSettings::instance().player;
    Control& control = Control::instance();
    // The orbit's yaw and height moved by the mouse going 10 pixels right and down.
    const auto turn = [&](float sensitivity, bool inverted, float dt) {
        options.mouseSensitivity = sensitivity;
        options.invertCamera = inverted;
        control.resetOrbitNextFollow();
        script->setCursorPosition({100, 100});
        control.update(dt);
        updateCamera(dt, GAME, *camera);
        const glm::vec2 before(control.orbit.yaw, control.orbit.height);
        script->setCursorPosition({110, 110});
        control.update(dt);
        updateCamera(dt, GAME, *camera);
        return glm::vec2(control.orbit.yaw, control.orbit.height) - before;
    };
    const glm::vec2 usual = turn(1.0f, false, frame);
    ASSERT_LT(usual.x, 0.0f);
    ASSERT_LT(usual.y, 0.0f) << "the mouse down lowers the camera";
    EXPECT_TRUE(
        vectorsNear(glm::vec3(2.0f * usual, 0), glm::vec3(turn(2.0f, false, 0.01f), 0), 0.02f));
    const glm::vec2 inverted = turn(1.0f, true, 0.1f);
    EXPECT_TRUE(vectorsNear(glm::vec3(usual.x, -usual.y, 0), glm::vec3(inverted, 0), 0.011f));
    options = PlayerOptions();
}

namespace {

// The player as a ball of radius 1 on a wide floor, moved by the game
// pass's steps in their order: input, push, scene update, physics.
class PlayerMotionTest : public PlayerPushTest {
protected:
    void SetUp() override {
        PlayerPushTest::SetUp();
        GameSettings::instance().playerSpeed = 5;
        floor = PhysicsTest::box("floor", glm::vec3(0, -0.5f, 0), glm::vec3(100, 0.5f, 100), 0);
        floor->getBody()->setFriction(1.0f);
    }

    // Tobble at rest at `position`, pushed as hard as base mode.
    static void placePlayer(const glm::vec3& position, const std::string& mode = "base") {
        Glimmet& player = Glimmet::instance();
        player.deactivate();
        player.removeAllChildren();
        BallSpatial::make("tobble.ball", player.self, 1.0f)->setTranslation(position);
        player.setMass(1.0f);
        player.rebuildPhysics();
        player.getBody()->setFriction(1.0f);
        player.getBody()->setActivationState(DISABLE_DEACTIVATION);
        player.activate();
        player.applyState(mode);  // the shipped numbers
        player.changeMass(player.getMass());
        player.onGround = false;
    }

    static void pass(double dt) {
        Control::instance().update(dt);
        ControlLogic::instance().movePlayer(static_cast<float>(dt));
        Glimmet::instance().update(dt);
        PhysicsSystem::instance().step(dt);
    }

    // Runs passes of the given lengths, in turn, for `seconds`; `watch`
    // looks after each.
    static void run(
        const std::vector<double>& cadence, double seconds,
        const std::function<void()>& watch = [] {}) {
        double time = 0;
        for (std::size_t i = 0; time < seconds - 1e-9; ++i) {
            const double dt = cadence[i % cadence.size()];
            pass(dt);
            time += dt;
            watch();
        }
    }

    static glm::vec3 position() { return Glimmet::instance().getWorldTransform().translation; }
    static float flatSpeed() {
        const btVector3 v = Glimmet::instance().getBody()->getLinearVelocity();
        return btVector3(v.x(), 0, v.z()).length();
    }

    boost::shared_ptr<RecordingNode> floor;
};

// 20, 60 and 144 passes a second, and a fast machine's loop that
// alternates short passes with ones that sleep out the rest.
const std::vector<std::vector<double>> paces = {
    {1.0 / 20}, {1.0 / 60}, {1.0 / 144}, {0.005, 0.028}};

}  // namespace

// Tobble answers the hands at once, at any pass rate: from rest most of the
// top speed within half a second; from the top speed the key against the
// motion stops it within one body length (2 units); with no key it comes to
// rest within 1.5 s.
TEST_F(PlayerMotionTest, TheKeysAnswerAtOnceAtAnyPassRate) {
    for (std::size_t pace = 0; pace < paces.size(); ++pace) {
        const std::vector<double>& cadence = paces[pace];
        SCOPED_TRACE("pace " + std::to_string(pace));
        placePlayer(glm::vec3(0, 1, 0));
        run(cadence, 0.5);  // settle on the floor
        const double top = Glimmet::instance().topSpeed;
        script->setKey('W', true);
        run(cadence, 0.5);
        EXPECT_GE(flatSpeed(), 0.8 * top) << "half a second of W from rest";

        script->setKey('W', false);
        script->setKey('S', true);
        const float braked = position().z;
        float turned = braked;
        run(cadence, 1.0, [&] { turned = std::min(turned, position().z); });
        script->setKey('S', false);
        EXPECT_LT(braked - turned, 2.0f) << "S against the top speed";

        placePlayer(glm::vec3(0, 1, 0));
        run(cadence, 0.5);
        Glimmet::instance().getBody()->setLinearVelocity(btVector3(0, 0, -float(top)));
        Glimmet::instance().getBody()->setAngularVelocity(btVector3(-float(top), 0, 0));
        run(cadence, 1.5);
        EXPECT_LT(flatSpeed(), 0.05f) << "no key for 1.5 s";
    }
}

TEST_F(PlayerMotionTest, AJumpIsAsHighAtAnyPassRate) {
    std::vector<float> heights;
    for (const std::vector<double>& cadence : paces) {
        placePlayer(glm::vec3(0, 1, 0), "jump");
        run(cadence, 0.5);
        const float rest = position().y;
        float highest = rest;
        script->setKey(key::Space, true);
        run(cadence, 1.0, [&] { highest = std::max(highest, position().y); });
        script->setKey(key::Space, false);
        heights.push_back(highest - rest);
    }
    EXPECT_GT(heights[1], 1.5f) << "high enough for level 2's beam, 1.2 up";
    for (const float height : heights) EXPECT_NEAR(heights[1], height, 0.1f * heights[1]);
}

TEST_F(PlayerMotionTest, OnTheGroundOnlyWhenSomethingHoldsTobbleUp) {
    // Beside a wall, high in the air, pressed against it.
    const boost::shared_ptr<RecordingNode> wall =
        PhysicsTest::box("wall", glm::vec3(3, 20, 0), glm::vec3(1, 20, 5), 0);
    placePlayer(glm::vec3(1, 30, 0));
    PhysicsSystem::instance().setGravity(0, 0, 0);
    bool everOnGround = false;
    run({1.0 / 60}, 0.5, [&] {
        Glimmet::instance().getBody()->applyCentralForce(btVector3(20, 0, 0));
        everOnGround = everOnGround || Glimmet::instance().onGround;
    });
    PhysicsSystem::instance().setGravity(0, -10, 0);
    EXPECT_FALSE(everOnGround) << "touching a wall's side in the air";
    wall->deactivate();

    // Rolling over the joint of two planks, the ground never goes away.
    floor->deactivate();
    const boost::shared_ptr<RecordingNode> west =
        PhysicsTest::box("west", glm::vec3(-5, -0.5f, 0), glm::vec3(5, 0.5f, 5), 0);
    const boost::shared_ptr<RecordingNode> east =
        PhysicsTest::box("east", glm::vec3(5, -0.5f, 0), glm::vec3(5, 0.5f, 5), 0);
    placePlayer(glm::vec3(-3, 1, 0));
    run({1.0 / 60}, 0.5);
    Glimmet::instance().getBody()->setLinearVelocity(btVector3(9, 0, 0));
    Glimmet::instance().getBody()->setAngularVelocity(btVector3(0, 0, -9));
    bool alwaysOnGround = true;
    run({1.0 / 60}, 2.0, [&] { alwaysOnGround = alwaysOnGround && Glimmet::instance().onGround; });
    EXPECT_GT(position().x, 1.0f) << "across the joint";
    EXPECT_TRUE(alwaysOnGround);
}

namespace {

// A pad plugged in with `buttons` held and the stick whose x axis is
// `stick` tilted to `x`, `y` (axes down positive).
GamepadState pad(std::initializer_list<gamepad::Button> buttons = {},
                 gamepad::Axis stick = gamepad::LeftX, float x = 0, float y = 0) {
    GamepadState state;
    state.connected = true;
    for (const gamepad::Button button : buttons) state.buttons[button] = true;
    state.axes[stick] = x;
    state.axes[stick + 1] = y;
    return state;
}

// Tobble at rest on the ground, pushed for one pass by the pad and keys.
class GamepadPushTest : public PlayerPushTest {
protected:
    void SetUp() override {
        PlayerPushTest::SetUp();
        Glimmet::instance().speedFactor = 10;
        Glimmet::instance().topSpeed = 0;
        GameSettings::instance().playerSpeed = 5;
    }

    // The velocity one pass gives Tobble from rest.
    glm::vec3 pushedBy(const GamepadState& state, std::initializer_list<int> keys = {}) {
        Glimmet::instance().stop();
        Glimmet::instance().onGround = true;
        script->setGamepad(state);
        for (const int code : keys) script->setKey(code, true);
        Control::instance().update(frame);
        ControlLogic::instance().movePlayer(frame);
        for (const int code : keys) script->setKey(code, false);
        return velocity();
    }
};

}  // namespace

// The left stick pushes as far as it is tilted beyond the dead zone, never
// harder than the keys; A jumps; a pad pulled out holds nothing.
TEST_F(GamepadPushTest, TheLeftStickAndAPushOnlyWhileThePadIsPluggedIn) {
    const glm::vec3 w = pushedBy(pad(), {'W'});
    ASSERT_LT(w.z, 0.0f);
    EXPECT_TRUE(vectorsNear(0.5f * w, pushedBy(pad({}, gamepad::LeftX, 0, -0.6f)), 1e-6f))
        << "halfway from the dead zone's edge to full tilt, half the push";
    EXPECT_TRUE(vectorsNear(w, pushedBy(pad({}, gamepad::LeftX, 0, -1), {'W'}), 1e-6f))
        << "not twice W";
    Glimmet::instance().state = "jump";
    GamepadState tiltedJumping = pad({gamepad::South}, gamepad::LeftX, 0, -1);
    EXPECT_GT(pushedBy(tiltedJumping).y, 5.0f) << "A takes off in jump mode";
    tiltedJumping.connected = false;  // pulled out mid-tilt
    EXPECT_EQ(glm::vec3(0), pushedBy(tiltedJumping));
}

TEST_F(ControlTest, BackQuitsOnlyWhenHeldForASecond) {
    const auto holdBack = [this](double seconds, const GamepadState& after) {
        script->setGamepad(pad({gamepad::Back}));
        for (double held = 0; held < seconds - 1e-9; held += frame) runFrame();
        script->setGamepad(after);
        runFrame();
    };
    // Quitting exits with 0 as a passing test would: the presses that must
    // not quit end with a code of their own.
    EXPECT_EXIT(
        {
            holdBack(0.6, pad());
            holdBack(0.6, pad());
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EXIT(holdBack(1.0, pad()), ::testing::ExitedWithCode(0), "");
}
