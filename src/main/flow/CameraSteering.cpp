#include "flow/CameraSteering.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>

#include "lum/Control.h"
#include "lum/character/Glimmet.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/platform/Timer.h"
#include "lum/platform/Window.h"
#include "lum/scene/Camera.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const glm::vec3 worldUp(0, 1, 0);
const int largestMouseJump = 50;
// The look from the camera to Tobble starts this far from Tobble's centre,
// outside its ball.
const float outsideTobble = 1.2f;
// How far below Tobble's centre the camera must also see.
const float lowerHalf = 0.6f;
// Kept between the camera and whatever it would otherwise look through.
const float wallMargin = 0.6f;
// Nearer than this Tobble (a ball 2 units across) would fill more than a
// quarter of the picture's height under the camera's 40 degree field of view.
const float nearestCamera = 11.0f;
// When a wall or a step hides Tobble, the camera rises over it in steps of
// this many degrees, up to nearly straight above.
const float liftStep = 5.0f;
const float highestLook = 85.0f;
// Pulled in and lifted at once when something comes between; let out
// (units/s) and lowered (degrees/s) at these speeds once the way is clear,
// so the view does not jump.
const float letOutSpeed = 20.0f;
const float lowerSpeed = 30.0f;

void flySpectator(float dt, Camera& camera) {
    const float s = GameSettings::instance().playerSpeed * dt;
    const glm::vec3 back = camera.getWorldTransform().rotation * glm::vec3(0, 0, 1) * s;
    const glm::vec3 right = glm::cross(worldUp, back);
    const glm::vec3 up = worldUp * s;
    const Window& keys = window();
    if (keys.isKeyDown('W') || keys.isKeyDown(key::Up)) camera.translate(-back);
    if (keys.isKeyDown('S') || keys.isKeyDown(key::Down)) camera.translate(back);
    if (keys.isKeyDown('A') || keys.isKeyDown(key::Left)) camera.translate(-right);
    if (keys.isKeyDown('D') || keys.isKeyDown(key::Right)) camera.translate(right);
    if (keys.isKeyDown('Q')) camera.translate(up);
    if (keys.isKeyDown('E')) camera.translate(-up);
    const Control& control = Control::instance();
    const int dx =
        std::clamp(control.mouseX - control.lastMouseX, -largestMouseJump, largestMouseJump);
    const PlayerOptions& player = GameSettings::instance().player;
    const int dy = (player.invertCamera ? -1 : 1) * std::clamp(control.mouseY - control.lastMouseY,
                                                               -largestMouseJump, largestMouseJump);
    // A pixel turns the view as far at any frame rate: as far as it did at
    // the nominal pace. Both turns act on the parent's side, so both are
    // about world axes.
    const float degreesPerPixel = GameSettings::instance().playerSpeed *
                                  static_cast<float>(nominalPass) * player.mouseSensitivity;
    if (dx != 0) camera.rotate(-dx * degreesPerPixel, glm::vec3(0, 1, 0));
    if (dy != 0) camera.rotate(-dy * degreesPerPixel, glm::vec3(1, 0, 0));
    // The camera hangs in no scene: without this its view would never move.
    camera.update(dt);
}

// How far out along `out` (a unit direction) from the target, up to
// `length`, the camera sees the target with nothing in between.
float clearAlong(const glm::vec3& target, const glm::vec3& out, float length) {
    float clear = length;
    // Both Tobble's middle and its lower half: over a wall's top that hides
    // all but its crown the camera must rise further.
    for (const glm::vec3& from : {target, target - worldUp * lowerHalf}) {
        const RayHit hit = PhysicsSystem::instance().rayTest(from + out * outsideTobble,
                                                             from + out * (length + wallMargin));
        if (hit.node != nullptr) {
            clear = std::min(clear, glm::length(hit.point - from) - wallMargin);
        }
    }
    return clear;
}

// The direction `degrees` above the horizontal `across`.
glm::vec3 lifted(const glm::vec3& across, float degrees) {
    const float radians = glm::radians(degrees);
    return across * std::cos(radians) + worldUp * std::sin(radians);
}

// The lift over the orbit's own elevation at which the camera sees the
// target from at least nearestCamera away: none in the open, more behind a
// wall or under a step's edge.
float liftNeeded(const glm::vec3& target, const glm::vec3& across, float elevation, float length) {
    for (float lift = 0; elevation + lift < highestLook; lift += liftStep) {
        if (clearAlong(target, lifted(across, elevation + lift), length) >= nearestCamera) {
            return lift;
        }
    }
    return highestLook - elevation;
}

// Where the camera may stand instead of `wanted` with the target in sight:
// lifted over whatever stands between, and as far out as the way is clear,
// never nearer than nearestCamera.
glm::vec3 keepInSight(const glm::vec3& target, const glm::vec3& wanted, float dt,
                      OrbitCamera& orbit) {
    const glm::vec3 way = wanted - target;
    const float length = glm::length(way);
    const glm::vec3 flatWay(way.x, 0, way.z);
    if (length < nearestCamera || glm::length(flatWay) < 1e-4f) {
        return wanted;
    }
    const glm::vec3 across = glm::normalize(flatWay);
    const float elevation = glm::degrees(std::atan2(way.y, glm::length(flatWay)));
    const float lift = liftNeeded(target, across, elevation, length);
    orbit.lift = lift > orbit.lift ? lift : std::max(lift, orbit.lift - lowerSpeed * dt);
    const glm::vec3 out = lifted(across, elevation + orbit.lift);
    const float allowed = std::clamp(clearAlong(target, out, length), nearestCamera, length);
    orbit.reach =
        allowed < orbit.reach ? allowed : std::min(allowed, orbit.reach + letOutSpeed * dt);
    return target + out * orbit.reach;
}

void followPlayer(float dt, Camera& camera) {
    const Transform& player = Glimmet::instance().getWorldTransform();
    Transform followed;
    followed.scale = player.scale;
    followed.rotation = camera.getTransform().rotation;
    followed.translation = player.translation;
    Control& control = Control::instance();
    const PlayerOptions& options = GameSettings::instance().player;
    control.orbit.sensitivity = options.mouseSensitivity;
    control.orbit.inverted = options.invertCamera;
    Transform placement = control.followTransform(followed, dt);
    placement.translation =
        keepInSight(player.translation, placement.translation, dt, control.orbit);
    camera.setTranslation(placement.translation);
    camera.setRotation(control.orbit.lookingIn(placement.translation - player.translation));
    camera.update(dt);
}

}  // namespace

void updateCamera(float dt, GameType gameType, Camera& camera) {
    LUM_TRACE_BEGIN
    if (gameType == SPECTATOR) {
        flySpectator(dt, camera);
    } else if (gameType == GAME) {
        followPlayer(dt, camera);
    }
    LUM_TRACE_END
}

}  // namespace lum
