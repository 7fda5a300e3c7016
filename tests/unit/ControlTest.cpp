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

    bool savedFramerate = false;
    bool savedWireframe = false;
    float savedSpeed = 0;
};

}  // namespace

// A toggle acts once per press, one a frame, the earlier key first, and not
// for a key still held from the title screen.
TEST_F(ControlTest, ToggleKeysActOncePerPressOneAFrame) {
    GameSettings& settings = GameSettings::instance();
    const bool framerate = settings.showframerate;
    const bool wireframe = settings.wireframe;
    const auto setKeys = [this](bool f2, bool f3) {
        script->setKey(key::function(2), f2);
        script->setKey(key::function(3), f3);
    };
    setKeys(false, true);
    for (int i = 0; i < 10; ++i) runFrame();
    EXPECT_NE(wireframe, settings.wireframe);
    setKeys(false, false);
    runFrame();
    setKeys(true, true);
    runFrame();
    EXPECT_NE(framerate, settings.showframerate);
    EXPECT_NE(wireframe, settings.wireframe) << "F3 waits while F2 acts";
    runFrame();
    EXPECT_EQ(wireframe, settings.wireframe);
    EXPECT_NE(framerate, settings.showframerate) << "F2 must not act again while held";
    ASSERT_EQ(3u, settings.messages.size());
    EXPECT_EQ(wireframe ? "Disable wireframe" : "Show wireframe", settings.messages[0]);

    setKeys(false, false);
    runFrame();
    setKeys(false, true);  // F3 chose level 3
    Control::instance().update(frame);
    ControlLogic::instance().latchHeldKeys();
    runFrame();
    EXPECT_EQ(wireframe, settings.wireframe);
    setKeys(false, false);
    runFrame();
    setKeys(false, true);
    runFrame();
    EXPECT_NE(wireframe, settings.wireframe);
}

TEST_F(ControlTest, HoldingPlusForASecondRaisesTheSpeedByAboutOneAndMinusNeverStopsTheGame) {
    GameSettings& settings = GameSettings::instance();
    const float before = settings.playerSpeed;
    const auto hold = [this](int code, int frames) {
        script->setKey(code, true);
        ::testing::internal::CaptureStdout();
        for (int i = 0; i < frames; ++i) runFrame();
        script->setKey(code, false);
        return ::testing::internal::GetCapturedStdout();
    };
    const std::string raised = hold(key::Plus, 33);
    EXPECT_NEAR(before + 0.99f, settings.playerSpeed, 1e-3);
    EXPECT_EQ(0u, raised.find("Game speed : "));
    EXPECT_EQ(33, std::count(raised.begin(), raised.end(), '\n'));
    const std::string lowered = hold(key::Minus, 1000);
    EXPECT_FLOAT_EQ(0.5f, settings.playerSpeed);
    EXPECT_NE(std::string::npos, lowered.rfind("Game speed : 0.5\n"));
    ASSERT_EQ(1u, settings.messages.size()) << "one line on screen, however long they are held";
    EXPECT_EQ("Game speed: 0.5", settings.messages.back());
}

TEST_F(ControlTest, TheWheelZoomsTheOrbitWithinItsLimits) {
    Control& control = Control::instance();
    Transform target = Transform::identity();
    control.update(frame);
    control.followTransform(target, frame);  // the first follow resets the orbit
    const float start = control.orbit.distance;
    script->setMouseWheel(script->getMouseWheel() - 1);  // one step down: further away
    control.update(0.01);
    control.followTransform(target, 0.01);  // a short frame: a step zooms as far
    EXPECT_NEAR(start + 70 * frame, control.orbit.distance, 1e-4) << "2.1 a step at any frame rate";
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

// Where `point` shows in the camera's picture, in -1 .. 1 across and up.
glm::vec2 onScreen(const Camera& camera, const glm::vec3& point) {
    const glm::vec4 clip = camera.getViewProjection() * glm::vec4(point, 1.0f);
    return glm::vec2(clip.x, clip.y) / clip.w;
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

TEST_F(ControlTest, TheLeftButtonPutsTheCameraBackBehindTheTarget) {
    Control& control = Control::instance();
    const boost::shared_ptr<Camera> camera = Camera::make("orbiting", {});
    Transform target = Transform::identity();
    target.translation = glm::vec3(40, 10, -7);
    const auto follow = [&] {
        control.update(frame);
        const Transform placed = control.followTransform(target, frame);
        camera->setTranslation(placed.translation);
        camera->setRotation(placed.rotation);
        camera->update(frame);
    };
    control.resetOrbitNextFollow();
    follow();
    glm::vec2 seen = onScreen(*camera, target.translation);
    EXPECT_LT(glm::length(seen), 0.1f) << "the first frame shows the target in the middle";
    for (int i = 0; i < 20; ++i) {  // swing the camera round and up
        script->setCursorPosition({100 + 30 * i, 100 + 10 * i});
        follow();
    }
    script->setMouseButton(mouse::Left, true);
    follow();
    script->setMouseButton(mouse::Left, false);
    seen = onScreen(*camera, target.translation);
    EXPECT_LT(glm::length(seen), 0.1f);
    EXPECT_FLOAT_EQ(control.orbit.defaultYaw, control.orbit.yaw);
    EXPECT_GT(camera->getWorldTransform().translation.x, target.translation.x)
        << "behind the target as the levels run, from east to west";
}

// W, Q and E fly the spectator forward (the view's -z), up and down; the
// mouse turns it, by at most fifty pixels' worth a frame.
TEST_F(ControlTest, TheSpectatorCameraFliesAndTurnsAtMostFiftyPixelsWorthPerFrame) {
    const boost::shared_ptr<Camera> camera = Camera::make("spectator", {});
    Control& control = Control::instance();
    const auto fly = [&](int code) {
        script->setKey(code, true);
        control.update(frame);
        updateCamera(frame, SPECTATOR, *camera);
        script->setKey(code, false);
        return camera->getWorldTransform().translation;
    };
    const glm::mat4 first = camera->getView();
    EXPECT_LT(fly('W').z, 0.0f);
    EXPECT_NE(first, camera->getView()) << "the view follows";
    const float raised = fly('Q').y;
    EXPECT_GT(raised, 0.0f);
    EXPECT_LT(fly('E').y, raised);

    const auto turned = [&](int pixels) {
        const boost::shared_ptr<Camera> turning = Camera::make("turning", {});
        script->setCursorPosition({100, 100});
        control.update(frame);
        script->setCursorPosition({100 + pixels, 100});
        control.update(frame);
        updateCamera(frame, SPECTATOR, *turning);
        return turning->getTransform().rotation;
    };
    const glm::quat far = turned(300);
    EXPECT_NEAR(0.0f, glm::length(far - turned(50)), 1e-6);
    EXPECT_GT(glm::length(far - glm::quat(1, 0, 0, 0)), 1e-3);
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
    EXPECT_GT(glm::length(velocity()), 8.75f) << "less only a pass's rolling resistance";
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
    const struct {
        float sensitivity;
        bool inverted;
        glm::vec2 times;
        float dt;
    } cases[] = {{2.0f, false, {2, 2}, frame},
                 {0.5f, false, {0.5f, 0.5f}, frame},
                 {1.0f, true, {1, -1}, frame},
                 {1.0f, false, {1, 1}, 0.01f},
                 {1.0f, false, {1, 1}, 0.1f}};
    for (const auto& each : cases) {
        SCOPED_TRACE(std::to_string(each.sensitivity) + (each.inverted ? " inverted" : "") +
                     " at " + std::to_string(each.dt) + " s");
        const glm::vec2 turned = turn(each.sensitivity, each.inverted, each.dt);
        EXPECT_NEAR(usual.x * each.times.x, turned.x, 0.011f);
        EXPECT_NEAR(usual.y * each.times.y, turned.y, 0.011f);
    }
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

// 20, 30, 60 and 144 passes a second, and a fast machine's loop that
// alternates short passes with ones that sleep out the rest.
const std::vector<std::vector<double>> paces = {
    {1.0 / 20}, {1.0 / 30}, {1.0 / 60}, {1.0 / 144}, {0.005, 0.028}};

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
        run(cadence, 1.0);
        EXPECT_NEAR(top, flatSpeed(), 0.05 * top);

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
    for (std::size_t i = 0; i < heights.size(); ++i) {
        EXPECT_NEAR(heights[1], heights[i], 0.1f * heights[1]) << "pace " << i;
    }
}

TEST_F(PlayerMotionTest, OnTheGroundOnlyWhenSomethingHoldsTobbleUp) {
    placePlayer(glm::vec3(0, 1, 0));
    run({1.0 / 60}, 0.5);
    EXPECT_TRUE(Glimmet::instance().onGround) << "resting on the floor";
    Glimmet::instance().moveTo(glm::vec3(0, 30, 0));
    run({1.0 / 60}, 0.1);
    EXPECT_FALSE(Glimmet::instance().onGround) << "lifted high into the air";

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

// A ledge whose open rim runs along z = -6, a red cube on it 3 ahead of
// Tobble, and Tobble pushing it north (away from the camera) with W.
class BlockPushTest : public PlayerMotionTest {
protected:
    void SetUp() override {
        PlayerMotionTest::SetUp();
        floor->deactivate();
        ledge = PhysicsTest::box("ledge", glm::vec3(0, -0.5f, 4), glm::vec3(10, 0.5f, 10), 0);
        ledge->getBody()->setFriction(1.0f);
    }

    boost::shared_ptr<RecordingNode> cubeAt(const glm::vec3& place) {
        const boost::shared_ptr<RecordingNode> cube =
            PhysicsTest::box("redCube", place, glm::vec3(1), 1);
        cube->getBody()->setFriction(0.5f);
        return cube;
    }

    static glm::vec3 at(const PhysicsNode& node) { return node.getWorldTransform().translation; }

    boost::shared_ptr<RecordingNode> ledge;
};

}  // namespace

// A cube eased past the rim, slower than a body would be put to sleep at,
// goes over once the pushing stops, within a second: it never rests
// tilted over the edge.
TEST_F(BlockPushTest, ACubePastTheRimFallsEvenWhenItGotThereSlowly) {
    const boost::shared_ptr<RecordingNode> cube = cubeAt(glm::vec3(0, 1, -2));
    run({1.0 / 60}, 0.5);
    run({1.0 / 60}, 20, [&] {
        if (at(*cube).z > -6.2f) cube->getBody()->setLinearVelocity(btVector3(0, 0, -0.3f));
    });
    run({1.0 / 60}, 1.0);
    EXPECT_LT(at(*cube).y, -1.0f) << "over the rim and falling";
}

// Pushed square-on the cube goes straight; when it tips over the rim, a
// player who lets go, or presses S, within 0.3 s stays on the ledge.
TEST_F(BlockPushTest, TobbleStaysOnTheLedgeWhenThePlayerLetsGoAsTheCubeTips) {
    for (const std::vector<double>& cadence : paces) {
        for (const bool brake : {false, true}) {
            SCOPED_TRACE(std::string(brake ? "S" : "no key") + " at " + std::to_string(cadence[0]));
            const boost::shared_ptr<RecordingNode> cube = cubeAt(glm::vec3(0, 1, 1));
            placePlayer(glm::vec3(0, 1, 5));
            run(cadence, 0.5);
            script->setKey('W', true);
            double tipped = -1, time = 0;
            std::size_t pass = 0;
            float drift = 0;
            run(cadence, 6.0, [&] {
                time += cadence[pass++ % cadence.size()];
                drift = std::max(drift, std::abs(at(*cube).x));
                if (tipped < 0 && at(*cube).z < -6) tipped = time;
                if (tipped >= 0 && time >= tipped + 0.3) {
                    script->setKey('W', false);
                    script->setKey('S', brake);
                }
            });
            script->setKey('W', false);
            script->setKey('S', false);
            EXPECT_GE(tipped, 0.0) << "the cube reached the rim";
            EXPECT_LT(drift, 0.5f) << "straight ahead";
            EXPECT_LT(at(*cube).y, -1.0f) << "the cube went over";
            EXPECT_GT(position().y, 0.5f) << "Tobble did not";
            cube->deactivate();
        }
    }
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

GamepadState leftStickAt(float x, float y) {
    return pad({}, gamepad::LeftX, x, y);
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

TEST_F(GamepadPushTest, TheLeftStickPushesAsFarAsItIsTiltedBeyondTheDeadZoneAndNoHarderThanKeys) {
    const glm::vec3 w = pushedBy(pad(), {'W'});
    ASSERT_LT(w.z, 0.0f);
    EXPECT_TRUE(vectorsNear(w, pushedBy(leftStickAt(0, -1)), 1e-6f)) << "up at full tilt is W";
    EXPECT_TRUE(vectorsNear(pushedBy(pad(), {'D'}), pushedBy(leftStickAt(1, 0)), 1e-6f));
    EXPECT_TRUE(vectorsNear(0.5f * w, pushedBy(leftStickAt(0, -0.6f)), 1e-6f))
        << "halfway from the dead zone's edge to full tilt, half the push";
    EXPECT_EQ(glm::vec3(0), pushedBy(leftStickAt(0.1f, -0.15f))) << "inside the round dead zone";
    EXPECT_NEAR(glm::length(w), glm::length(pushedBy(leftStickAt(1, -1))), 1e-6f) << "a corner";
    EXPECT_TRUE(vectorsNear(w, pushedBy(leftStickAt(0, -1), {'W'}), 1e-6f)) << "not twice W";
    EXPECT_NEAR(glm::length(pushedBy(pad(), {'W', 'A'})),
                glm::length(pushedBy(leftStickAt(0, -1), {'W', 'A'})), 1e-6f);
}

TEST_F(GamepadPushTest, WhatAPadHoldsCountsOnlyWhileItIsPluggedIn) {
    Glimmet::instance().state = "jump";
    GamepadState tiltedJumping = pad({gamepad::South}, gamepad::LeftX, 0, -1);
    const glm::vec3 pushed = pushedBy(tiltedJumping);
    EXPECT_LT(pushed.z, 0.0f);
    EXPECT_GT(pushed.y, 5.0f) << "A takes off in jump mode";
    tiltedJumping.connected = false;  // pulled out mid-tilt
    EXPECT_EQ(glm::vec3(0), pushedBy(tiltedJumping));
    Glimmet::instance().state = "base";
    EXPECT_EQ(0.0f, pushedBy(pad({gamepad::South})).y) << "no jump in base mode";
}

namespace {

// The orbit's yaw and height after `seconds` of frames of `dt` with the
// pad as `state`, from the default place behind the target.
glm::vec2 orbitAfter(ScriptedWindow& script, const GamepadState& state, double dt, double seconds) {
    Control& control = Control::instance();
    control.resetOrbitNextFollow();
    control.followTransform(Transform::identity(), dt);
    script.setGamepad(state);
    for (int i = 0; i < static_cast<int>(std::lround(seconds / dt)); ++i) {
        control.update(dt);
        control.followTransform(Transform::identity(), dt);
    }
    return glm::vec2(control.orbit.yaw, control.orbit.height);
}

}  // namespace

TEST_F(ControlTest, TheRightStickTurnsTheOrbitAsFarPerSecondAtAnyFrameRateWithinItsLimits) {
    const OrbitCamera& orbit = Control::instance().orbit;
    const glm::vec2 rest(orbit.defaultYaw, orbit.defaultHeight);
    const GamepadState rightAndUp = pad({}, gamepad::RightX, 0.6f, -0.3f);
    const glm::vec2 fast = orbitAfter(*script, rightAndUp, 0.01, 1.0) - rest;
    const glm::vec2 slow = orbitAfter(*script, rightAndUp, 0.05, 1.0) - rest;
    EXPECT_LT(fast.x, -10.0f) << "right turns the orbit as the mouse moving right does";
    EXPECT_GT(fast.y, 1.0f) << "up raises it";
    EXPECT_NEAR(fast.x, slow.x, 1e-3f);
    EXPECT_NEAR(fast.y, slow.y, 1e-3f);
    EXPECT_EQ(rest, orbitAfter(*script, pad({}, gamepad::RightX, 0.15f, -0.1f), 0.03, 1.0));
    const glm::vec2 far = orbitAfter(*script, pad({}, gamepad::RightX, 1, -1), 0.03, 10);
    EXPECT_FLOAT_EQ(orbit.heightMax, far.y);
    EXPECT_LE(std::abs(far.x), orbit.yawMax) << "three times round, and still in range";
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
            holdBack(0.6, GamepadState());  // pulled out while held
            holdBack(0.6, pad());
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EXIT(holdBack(1.0, pad()), ::testing::ExitedWithCode(0), "");
}
