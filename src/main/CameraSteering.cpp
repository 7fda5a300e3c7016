#include "CameraSteering.h"

#include <algorithm>

#include "lum/Control.h"
#include "lum/character/Glimmet.h"
#include "lum/render/Window.h"
#include "lum/scene/Camera.h"
#include "lum/util/Timer.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const glm::vec3 worldUp(0, 1, 0);
const int largestMouseJump = 50;

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
    const int dx = std::clamp(control.mouseX - control.lastMouseX, -largestMouseJump, largestMouseJump);
    const int dy = std::clamp(control.mouseY - control.lastMouseY, -largestMouseJump, largestMouseJump);
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

void followPlayer(float dt, Camera& camera) {
    const Transform& player = Glimmet::instance().getWorldTransform();
    Transform followed;
    followed.scale = player.scale;
    followed.rotation = camera.getTransform().rotation;
    followed.translation = player.translation;
    const Transform placement = Control::instance().followTransform(followed, dt);
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
