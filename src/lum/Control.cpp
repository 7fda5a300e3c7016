#include "lum/Control.h"

#include <algorithm>
#include <cmath>

#include "lum/render/Window.h"
#include "lum/util/Timer.h"
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

glm::quat turned(const glm::quat& rotation, float degrees, const glm::vec3& axis) {
    return glm::angleAxis(degrees * radiansPerDegree, axis) * rotation;
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
      defaultDistance(cameraDistance * std::sin(cameraPitch * radiansPerDegree)),
      defaultYaw(0),
      defaultHeight(cameraDistance * std::cos(cameraPitch * radiansPerDegree)),
      distance(defaultDistance),
      yaw(defaultYaw),
      height(defaultHeight),
      reach(unlimitedReach) {}

glm::vec3 OrbitCamera::offset() const {
    return glm::vec3(distance * std::cos(yaw * radiansPerDegree), height,
                     distance * std::sin(yaw * radiansPerDegree));
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
      firstFollow(true) {
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
    lastWheel = wheel;
    wheel = input.getMouseWheel();
}

Transform Control::followTransform(const Transform& t, double) {
    LUM_TRACE_BEGIN
    if (firstFollow || leftButton) {
        resetOrbit();
    } else {
        orbitAround();
    }
    orbit.result = placeAround(t);
    return orbit.result;
    LUM_TRACE_END
}

void Control::resetOrbitNextFollow() {
    firstFollow = true;
}

void Control::orbitAround() {
    const int dx = -std::clamp(mouseX - lastMouseX, -largestMouseJump, largestMouseJump);
    const int dy = std::clamp(mouseY - lastMouseY, -largestMouseJump, largestMouseJump);
    const int w = lastWheel - wheel;
    const double pace = nominalPass;
    if (dx != 0) {
        orbit.yaw += static_cast<float>(std::floor(100 * orbit.yawSpeed * dx * pace) / 100);
        if (orbit.yaw > orbit.yawMax) orbit.yaw -= 360;
        if (orbit.yaw < orbit.yawMin) orbit.yaw += 360;
    }
    if (dy != 0) {
        const float step = static_cast<float>(std::floor(100 * orbit.yawSpeed * 0.5 * dy * pace) / 100);
        orbit.height = std::clamp(orbit.height - step, orbit.heightMin, orbit.heightMax);
    }
    if (w != 0) {
        orbit.distance = std::clamp(static_cast<float>(orbit.distance + orbit.zoomSpeed * w * pace),
                                    orbit.distanceMin, orbit.distanceMax);
    }
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
}

// Up on the orbit and turned to look down at the target.
Transform Control::placeAround(const Transform& t) const {
    Transform placed = t;
    const float pitch = -std::atan2(orbit.height, orbit.distance) * degreesPerRadian;
    placed.rotation = turned(turned(glm::quat(1, 0, 0, 0), pitch, glm::vec3(1, 0, 0)),
                             90 - orbit.yaw, glm::vec3(0, 1, 0));
    placed.translation += orbit.offset();
    return placed;
}

}  // namespace lum
