#include "lum/Control.h"

#include <algorithm>
#include <cmath>

#include "lum/render/Window.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const float degreesPerRadian = 57.29577951f;
const float radiansPerDegree = 0.017453293f;
const int largestMouseJump = 50;
const float cameraDistance = 30.0f;
const float cameraPitch = 50.0f;

glm::quat turned(const glm::quat& rotation, float degrees, const glm::vec3& axis) {
    return glm::angleAxis(degrees * radiansPerDegree, axis) * rotation;
}

}  // namespace

OrbitCamera::OrbitCamera()
    : result(Transform::identity()),
      heightMax(100),
      heightMin(0),
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
      restRotation(1, 0, 0, 0) {}

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

Transform Control::followTransform(const Transform& t, double dt) {
    LUM_TRACE_BEGIN
    orbit.result = t;
    if (firstFollow) {
        orbit.restRotation = t.rotation;
        return resetOrbit();
    }
    if (leftButton) {
        return resetOrbit();
    }
    return orbitAround(dt);
    LUM_TRACE_END
}

Transform Control::orbitAround(double dt) {
    const int dx = -std::clamp(mouseX - lastMouseX, -largestMouseJump, largestMouseJump);
    const int dy = std::clamp(mouseY - lastMouseY, -largestMouseJump, largestMouseJump);
    const int w = lastWheel - wheel;
    if (dx != 0 && std::abs(dx) < 100) {
        orbit.yaw += static_cast<float>(std::floor(100 * orbit.yawSpeed * dx * dt) / 100);
        if (orbit.yaw > orbit.yawMax) orbit.yaw -= 360;
        if (orbit.yaw < orbit.yawMin) orbit.yaw += 360;
    }
    if (dy != 0 && std::abs(dy) < 100) {
        const float step = static_cast<float>(std::floor(100 * orbit.yawSpeed * 0.5 * dy * dt) / 100);
        orbit.height = std::clamp(orbit.height - step, orbit.heightMin, orbit.heightMax);
    }
    if (w != 0) {
        orbit.distance = std::clamp(static_cast<float>(orbit.distance + orbit.zoomSpeed * w * dt),
                                    orbit.distanceMin, orbit.distanceMax);
    }
    const float pitch = -std::atan2(orbit.height, orbit.distance) * degreesPerRadian;
    orbit.result.rotation = turned(turned(glm::quat(1, 0, 0, 0), pitch, glm::vec3(1, 0, 0)),
                                   90 - orbit.yaw, glm::vec3(0, 1, 0));
    orbit.result.translation += orbit.offset();
    return orbit.result;
}

// Back to the default place behind the player, with the rotation of the first frame.
Transform Control::resetOrbit() {
    firstFollow = false;
    leftButton = false;
    const CursorPosition cursor = window().getCursorPosition();
    mouseX = cursor.x;
    mouseY = cursor.y;
    orbit.distance = orbit.defaultDistance;
    orbit.yaw = orbit.defaultYaw;
    orbit.height = orbit.defaultHeight;
    orbit.result.rotation = orbit.restRotation;
    orbit.result.translation += orbit.offset();
    return orbit.result;
}

}  // namespace lum
