#include "flow/CameraSteering.h"

#include <algorithm>

#include <glm/geometric.hpp>

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
// Kept between the camera and whatever it would otherwise look through.
const float wallMargin = 0.6f;
// Nearer than this the camera would see nothing but Tobble.
const float nearestCamera = 3.0f;
// Pulled in at once when something comes between; let out at this speed
// (units/s) once the way is clear, so the view does not jump.
const float letOutSpeed = 20.0f;

bool held(int code) {
    return window().isKeyDown(code);
}

void flySpectator(float dt, Camera& camera) {
    const float s = GameSettings::instance().playerSpeed * dt;
    const glm::vec3 back = camera.getWorldTransform().rotation * glm::vec3(0, 0, 1) * s;
    const glm::vec3 right = glm::cross(worldUp, back);
    const glm::vec3 up = worldUp * s;
    if (held('W') || held(key::Up)) camera.translate(-back);
    if (held('S') || held(key::Down)) camera.translate(back);
    if (held('A') || held(key::Left)) camera.translate(-right);
    if (held('D') || held(key::Right)) camera.translate(right);
    if (held('Q')) camera.translate(up);
    if (held('E')) camera.translate(-up);
    const Control& control = Control::instance();
    const int dx =
        std::clamp(control.mouseX - control.lastMouseX, -largestMouseJump, largestMouseJump);
    const int dy =
        std::clamp(control.mouseY - control.lastMouseY, -largestMouseJump, largestMouseJump);
    // A pixel turns the view as far at any frame rate: as far as it did at
    // the nominal pace. Both turns act on the parent's side, so both are
    // about world axes.
    const float degreesPerPixel =
        GameSettings::instance().playerSpeed * static_cast<float>(nominalPass);
    if (dx != 0) camera.rotate(-dx * degreesPerPixel, glm::vec3(0, 1, 0));
    if (dy != 0) camera.rotate(-dy * degreesPerPixel, glm::vec3(1, 0, 0));
    // The camera hangs in no scene: without this its view would never move.
    camera.update(dt);
}

// Where the camera may stand on the line from the target out to `wanted`
// without a wall or a floor between it and the target.
glm::vec3 keepInSight(const glm::vec3& target, const glm::vec3& wanted, float dt,
                      OrbitCamera& orbit) {
    const glm::vec3 way = wanted - target;
    const float length = glm::length(way);
    if (length < nearestCamera) {
        return wanted;
    }
    const glm::vec3 out = way / length;
    const RayHit hit =
        PhysicsSystem::instance().rayTest(target + out * outsideTobble, wanted + out * wallMargin);
    const float clear = hit.node != nullptr ? glm::length(hit.point - target) - wallMargin : length;
    const float allowed = std::clamp(clear, nearestCamera, length);
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
    Transform placement = control.followTransform(followed, dt);
    placement.translation =
        keepInSight(player.translation, placement.translation, dt, control.orbit);
    camera.setTranslation(placement.translation);
    camera.setRotation(placement.rotation);
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
