#include "lum/ControlLogic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include <glm/geometric.hpp>

#include "lum/Control.h"
#include "lum/GameSettings.h"
#include "lum/character/Glimmet.h"
#include "lum/platform/Window.h"
#include "lum/render/Renderer.h"
#include "lum/render/Texture.h"
#include "lum/resource/TextureLoader.h"
#include "lum/scene/Camera.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const int pauseLatch = 0;
// Back quits like Escape only when held this long: a pad's Back sits close
// to its other buttons and is easily brushed.
const double backHoldToQuit = 1.0;
// "-" slows the game down to this and no further: at zero or below the keys
// would stop or pull the wrong way.
const float slowestGameSpeed = 0.5f;
// One press, one jump: a held jump key does not bounce Tobble on at each
// landing, which carried players off the far side of what they jumped onto.
// A press this short a time before Tobble lands still jumps (seconds).
const double jumpGrace = 0.15;

// Flips a setting and returns the message for it: `whenOn` if it was on.
std::string flip(bool& setting, const char* whenOn, const char* whenOff) {
    const bool wasOn = setting;
    setting = !setting;
    return wasOn ? whenOn : whenOff;
}

std::string toggleTextureQuality(GameSettings& settings) {
    Texture::quality = Texture::quality == Texture::Nearest ? Texture::Linear : Texture::Nearest;
    Texture::updateQuality();
    return flip(settings.texturequality, "Texture quality: bilinear",
                "Texture quality: nearest neighbor");
}

std::string cycleMipmaps(GameSettings& settings) {
    Texture::mipmapMode = (Texture::mipmapMode + 1) % 3;
    Texture::updateQuality();
    settings.mipMapQuality = (settings.mipMapQuality + 1) % 3;
    switch (settings.mipMapQuality) {
        case 1:
            return "Mipmap quality: nearest neighbor";
        case 2:
            return "Mipmap quality: linear";
        default:
            return "Mipmap quality: off";
    }
}

// The pass frees or captures the pointer by the new choice.
std::string toggleCursor(GameSettings& settings) {
    return flip(settings.cursorEnabled, "disabled cursor", "enabled cursor");
}

// F2 to F11, in that order.
std::string runOptionKey(int functionKey, GameSettings& settings) {
    switch (functionKey) {
        case 2:
            return flip(settings.showframerate, "Disable framerate", "Show framerate");
        case 3:
            return flip(settings.wireframe, "Disable wireframe", "Show wireframe");
        case 4:
            return toggleTextureQuality(settings);
        case 5:
            return cycleMipmaps(settings);
        case 6:
            return flip(settings.vertexArrayVBO, "disabled VBO", "enabled VBO");
        case 7:
            return flip(settings.physicsdebug, "disabled physics debugdraw",
                        "enabled physics debugdraw");
        case 8:
            return flip(settings.frustrumCulling, "disabled frustrum culling",
                        "enabled frustrum culling");
        case 9:
            return flip(settings.transperancy, "disabled transparency", "enabled transparency");
        case 10:
            return toggleCursor(settings);
        default:
            return flip(settings.animationenabled, "disabled animation", "enabled animation");
    }
}

// Never longer than `full`, so keys and stick together push no harder than
// the keys alone.
glm::vec3 atMost(const glm::vec3& push, float full) {
    const float length = glm::length(push);
    return length > full ? push * (full / length) : push;
}

}  // namespace

ControlLogic::ControlLogic()
    : latches(latchCount), backHeld(0), jumpAskLeft(0), jumpKeyWasDown(false) {}

void ControlLogic::setCamera(const boost::shared_ptr<Camera>& newCamera) {
    camera = newCamera;
}

int ControlLogic::latchedKey(int index) {
    return index == pauseLatch ? GameSettings::instance().player.bindings.keyOf(action::Pause)
                               : key::function(index + 1);
}

bool ControlLogic::actionKeyDown(action::Action action) {
    return window().isKeyDown(GameSettings::instance().player.bindings.keyOf(action));
}

bool ControlLogic::latchedKeyDown(int index) {
    return window().isKeyDown(latchedKey(index));
}

bool ControlLogic::pressedOnce(int index) {
    return latches.pressedOnce(index, latchedKeyDown(index));
}

bool ControlLogic::handleKeys(float dt) {
    LUM_TRACE_BEGIN
    const Window& keys = window();
    if (keys.isKeyDown(key::Escape) || backHeldLongEnough(dt)) {
        std::exit(0);
    }
    // Both are taken, so that pressed together they do not undo each other
    // in the next frame.
    const bool pKey = pressedOnce(pauseLatch);
    const bool startButton = Control::instance().padPressed(gamepad::Start);
    if (pKey || startButton) {
        togglePause();
        return true;
    }
    if (keys.isKeyDown(key::Plus)) {
        changeSpeed(dt);
    }
    if (keys.isKeyDown(key::Minus)) {
        changeSpeed(-dt);
    }
    for (int index = pauseLatch + 1; index < latchCount; ++index) {
        if (pressedOnce(index)) {
            runToggle(index);
            return true;
        }
    }
    return false;
    LUM_TRACE_END
}

bool ControlLogic::backHeldLongEnough(float dt) {
    backHeld = Control::instance().padDown(gamepad::Back) ? backHeld + dt : 0.0;
    return backHeld >= backHoldToQuit;
}

bool ControlLogic::jumpAsked(float dt) {
    const bool down = actionKeyDown(action::Jump) || Control::instance().padDown(gamepad::South);
    const bool pressed = down && !jumpKeyWasDown;
    jumpKeyWasDown = down;
    jumpAskLeft = pressed ? jumpGrace : std::max(0.0, jumpAskLeft - dt);
    return jumpAskLeft > 0;
}

void ControlLogic::releaseLatches() {
    latches.releaseUp(&ControlLogic::latchedKeyDown);
}

void ControlLogic::latchHeldKeys() {
    latches.takeHeld(&ControlLogic::latchedKeyDown);
}

void ControlLogic::togglePause() {
    LUM_TRACE_BEGIN
    GameSettings& settings = GameSettings::instance();
    // The game draws the pause, with its menu, as it begins.
    settings.state = settings.state == RUNNING ? PAUSED : RUNNING;
    LUM_TRACE_END
}

void ControlLogic::changeSpeed(float change) {
    LUM_TRACE_BEGIN
    GameSettings& settings = GameSettings::instance();
    settings.playerSpeed = std::max(slowestGameSpeed, settings.playerSpeed + change);
    std::cout << "Game speed : " << settings.playerSpeed << std::endl;
    settings.announceGameSpeed();
    LUM_TRACE_END
}

void ControlLogic::runToggle(int index) {
    LUM_TRACE_BEGIN
    GameSettings& settings = GameSettings::instance();
    settings.messages.push_back(runOptionKey(index + 1, settings));
    LUM_TRACE_END
}

void ControlLogic::handleModeKeys() {
    LUM_TRACE_BEGIN
    Glimmet& player = Glimmet::instance();
    if (actionKeyDown(action::BaseMode) && player.modeAvailable[Glimmet::Base]) {
        player.switchToBase();
    }
    if (actionKeyDown(action::JumpMode) && player.modeAvailable[Glimmet::Jump]) {
        player.switchToJump();
    }
    if (actionKeyDown(action::SpikeMode) && player.modeAvailable[Glimmet::Spike]) {
        player.switchToSpike();
    }
    if (actionKeyDown(action::SpeedMode) && player.modeAvailable[Glimmet::Speed]) {
        player.switchToSpeed();
    }
    Control& control = Control::instance();
    if (control.padPressed(gamepad::LeftShoulder)) player.cycleMode(-1);
    if (control.padPressed(gamepad::RightShoulder)) player.cycleMode(1);
    LUM_TRACE_END
}

void ControlLogic::movePlayer(float dt) {
    LUM_TRACE_BEGIN
    Glimmet& player = Glimmet::instance();
    const bool wantsJump = jumpAsked(dt);
    if (!player.onGround) {
        return;
    }
    const glm::vec3 playerAt = player.getWorldTransform().translation;
    const glm::vec3 cameraAt = camera ? camera->getWorldTransform().translation : playerAt;
    const glm::vec3 towards(playerAt.x - cameraAt.x, 0, playerAt.z - cameraAt.z);
    const Control& control = Control::instance();
    const Window& keys = window();
    glm::vec3 push(0);
    // Straight above the player the camera gives no direction to push in.
    if (glm::length(towards) > 1e-4f) {
        const glm::vec3 f = glm::normalize(towards);
        const glm::vec3 l = glm::normalize(glm::vec3(f.z, 0, -f.x));
        const float s = GameSettings::instance().playerSpeed * dt *
                        static_cast<float>(std::trunc(player.speedFactor));
        // The arrows roll as well, whatever keys the player chose.
        if (actionKeyDown(action::RollForward) || keys.isKeyDown(key::Up)) push += s * f;
        if (actionKeyDown(action::RollBack) || keys.isKeyDown(key::Down)) push -= s * f;
        if (actionKeyDown(action::RollLeft) || keys.isKeyDown(key::Left)) push += s * l;
        if (actionKeyDown(action::RollRight) || keys.isKeyDown(key::Right)) push -= s * l;
        // Up on the stick is W, right is D; half a tilt, half a push.
        const glm::vec2 tilt = control.leftStick();
        const glm::vec3 stickPush = s * (tilt.y * f - tilt.x * l);
        push = atMost(push + stickPush, std::max(std::abs(s), glm::length(push)));
    }
    player.roll(push, dt);
    if (wantsJump && player.jump(push)) {
        jumpAskLeft = 0;
    }
    if (keys.isKeyDown(key::function(12))) {
        std::cout << "Tobbles transform : " << player.getWorldTransform() << std::endl;
    }
    LUM_TRACE_END
}

}  // namespace lum
