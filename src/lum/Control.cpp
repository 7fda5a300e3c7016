#include "lum/Control.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>

#include "lum/platform/Timer.h"
#include "lum/platform/Window.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const float degreesPerRadian = 57.29577951f;
const float radiansPerDegree = 0.017453293f;
const int largestMouseJump = 50;
const float cameraDistance = 30.0f;
const float cameraPitch = 50.0f;
// The camera stays this much above the target, looking down at it: lower,
// it would look along the floor Tobble is on.
const float lowestCamera = 2.0f;
// Further than any orbit: nothing in the way yet.
const float unlimitedReach = 1e6f;
// A stick at rest seldom reads exactly zero: tilts up to this count as none.
const float stickDeadZone = 0.2f;
// The right stick turns the orbit once round in three seconds and raises it
// from lowest to highest in about two and a half.
const float fullTiltYawSpeed = 120.0f;
const float fullTiltHeightSpeed = 40.0f;

glm::quat turned(const glm::quat& rotation, float degrees, const glm::vec3& axis) {
    return glm::angleAxis(degrees * radiansPerDegree, axis) * rotation;
}

// The stick's axes (down positive) as a tilt with up positive, rescaled so
// that it grows from 0 at the dead zone's edge to 1 at full tilt, in the
// direction the stick leans.
glm::vec2 beyondDeadZone(float x, float y) {
    const glm::vec2 raw(x, -y);
    const float lean = glm::length(raw);
    if (lean <= stickDeadZone) {
        return glm::vec2(0);
    }
    return raw / lean * std::min(1.0f, (lean - stickDeadZone) / (1.0f - stickDeadZone));
}

}  // namespace

OrbitCamera::OrbitCamera()
    : result(Transform::identity()),
      heightMax(100),
      heightMin(lowestCamera),
      distanceMax(240),
      distanceMin(20),
      yawMax(180),
      yawMin(-180),
      yawSpeed(10),
      zoomSpeed(70),
      stickYawSpeed(fullTiltYawSpeed),
      stickHeightSpeed(fullTiltHeightSpeed),
      defaultDistance(cameraDistance * std::sin(cameraPitch * radiansPerDegree)),
      defaultYaw(0),
      defaultHeight(cameraDistance * std::cos(cameraPitch * radiansPerDegree)),
      distance(defaultDistance),
      yaw(defaultYaw),
      height(defaultHeight),
      reach(unlimitedReach),
      lift(0),
      sensitivity(1),
      inverted(false) {}

glm::vec3 OrbitCamera::offset() const {
    return glm::vec3(distance * std::cos(yaw * radiansPerDegree), height,
                     distance * std::sin(yaw * radiansPerDegree));
}

glm::quat OrbitCamera::lookingIn(const glm::vec3& towards) const {
    const float across = glm::length(glm::vec2(towards.x, towards.z));
    const float pitch = -std::atan2(towards.y, across) * degreesPerRadian;
    return turned(turned(glm::quat(1, 0, 0, 0), pitch, glm::vec3(1, 0, 0)), 90 - yaw,
                  glm::vec3(0, 1, 0));
}

Control::Control()
    : spaceDown(false),
      leftButton(false),
      rightButton(false),
      mouseX(0),
      mouseY(0),
      lastMouseX(0),
      lastMouseY(0),
      lastWheel(0),
      wheel(0),
      firstFollow(true),
      padLatch(gamepad::ButtonCount),
      fullScreenKeysDown(false),
      pointerHeld(false),
      pointerSettling(0) {
    window().setAutoPollEvents(false);
}

void Control::update(double) {
    Window& input = window();
    input.pollEvents();
    spaceDown = input.isKeyDown(key::Space);
    leftButton = input.isMouseButtonDown(mouse::Left);
    rightButton = input.isMouseButtonDown(mouse::Right);
    lastMouseX = mouseX;
    lastMouseY = mouseY;
    const CursorPosition cursor = input.getCursorPosition();
    mouseX = cursor.x;
    mouseY = cursor.y;
    if (pointerSettling > 0) {
        --pointerSettling;
        lastMouseX = mouseX;
        lastMouseY = mouseY;
    }
    lastWheel = wheel;
    wheel = input.getMouseWheel();
    pad = input.getGamepad();
    padLatch.releaseUp(padButtonDown());
    const bool bothDown = input.isKeyDown(key::Alt) && input.isKeyDown(key::Enter);
    if (bothDown && !fullScreenKeysDown && fullScreenKeys) {
        fullScreenKeys();
    }
    fullScreenKeysDown = bothDown;
}

void Control::onFullScreenKeys(std::function<void()> handler) {
    fullScreenKeys = std::move(handler);
}

PressLatch::IsDown Control::padButtonDown() const {
    return [this](int button) { return pad.isDown(static_cast<gamepad::Button>(button)); };
}

bool Control::padDown(gamepad::Button button) const {
    return pad.isDown(button);
}

bool Control::padPressed(gamepad::Button button) {
    return padLatch.pressedOnce(button, pad.isDown(button));
}

void Control::takeHeldPadButtons() {
    padLatch.takeHeld(padButtonDown());
}

glm::vec2 Control::leftStick() const {
    return beyondDeadZone(pad.axis(gamepad::LeftX), pad.axis(gamepad::LeftY));
}

glm::vec2 Control::rightStick() const {
    return beyondDeadZone(pad.axis(gamepad::RightX), pad.axis(gamepad::RightY));
}

Transform Control::followTransform(const Transform& t, double dt) {
    LUM_TRACE_BEGIN
    if (firstFollow || leftButton) {
        resetOrbit();
    } else {
        orbitAround(dt);
    }
    orbit.result = placeAround(t);
    return orbit.result;
    LUM_TRACE_END
}

void Control::resetOrbitNextFollow() {
    firstFollow = true;
}

// Asked every pass: the window library does nothing when the pointer is
// already so, and a new window starts with it free.
void Control::capturePointer(bool wanted) {
    const bool hold = wanted && window().isFocused();
    window().setCursorVisible(!hold);
    if (hold != pointerHeld) {
        pointerHeld = hold;
        // The move may arrive with this pass's events or the next's.
        pointerSettling = 2;
    }
}

void Control::orbitAround(double dt) {
    const int dx = -std::clamp(mouseX - lastMouseX, -largestMouseJump, largestMouseJump);
    const int dy = (orbit.inverted ? -1 : 1) *
                   std::clamp(mouseY - lastMouseY, -largestMouseJump, largestMouseJump);
    const int w = lastWheel - wheel;
    const double pace = nominalPass;
    // A sensitivity of 1 multiplies exactly: the usual turn is the same to the bit.
    const float perPixel = orbit.yawSpeed * orbit.sensitivity;
    if (dx != 0) {
        turnOrbit(static_cast<float>(std::floor(100 * perPixel * dx * pace) / 100));
    }
    if (dy != 0) {
        raiseOrbit(-static_cast<float>(std::floor(100 * perPixel * 0.5 * dy * pace) / 100));
    }
    if (w != 0) {
        orbit.distance = std::clamp(static_cast<float>(orbit.distance + orbit.zoomSpeed * w * pace),
                                    orbit.distanceMin, orbit.distanceMax);
    }
    turnWithStick(dt);
}

// The stick leans as the mouse moves: right turns the orbit as the mouse
// moving right does, down lowers it. Its rates are per second, so the
// orbit turns as fast at any frame rate.
void Control::turnWithStick(double dt) {
    const glm::vec2 tilt = rightStick();
    if (tilt.x != 0) {
        turnOrbit(-static_cast<float>(orbit.stickYawSpeed * tilt.x * dt));
    }
    if (tilt.y != 0) {
        raiseOrbit(static_cast<float>(orbit.stickHeightSpeed * tilt.y * dt));
    }
}

void Control::turnOrbit(float degrees) {
    orbit.yaw += degrees;
    if (orbit.yaw > orbit.yawMax) orbit.yaw -= 360;
    if (orbit.yaw < orbit.yawMin) orbit.yaw += 360;
}

void Control::raiseOrbit(float rise) {
    orbit.height = std::clamp(orbit.height + rise, orbit.heightMin, orbit.heightMax);
}

// Back to the default place behind the player. The cursor is read again so
// that the next frame sees no jump.
void Control::resetOrbit() {
    firstFollow = false;
    leftButton = false;
    const CursorPosition cursor = window().getCursorPosition();
    mouseX = lastMouseX = cursor.x;
    mouseY = lastMouseY = cursor.y;
    orbit.distance = orbit.defaultDistance;
    orbit.yaw = orbit.defaultYaw;
    orbit.height = orbit.defaultHeight;
    orbit.reach = unlimitedReach;
    orbit.lift = 0;
}

// Up on the orbit and turned to look down at the target.
Transform Control::placeAround(const Transform& t) const {
    Transform placed = t;
    placed.rotation = orbit.lookingIn(orbit.offset());
    placed.translation += orbit.offset();
    return placed;
}

}  // namespace lum
