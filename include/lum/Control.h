#ifndef LUM_CONTROL_H
#define LUM_CONTROL_H

#include <functional>

#include <glm/vec2.hpp>

#include "lum/platform/Gamepad.h"
#include "lum/platform/PressLatch.h"
#include "lum/scene/Transform.h"
#include "lum/util/Singleton.h"

namespace lum {

// The camera that circles the player: a yaw around it, a height above it and
// a horizontal distance from it, steered by mouse motion and the wheel.
class OrbitCamera {
public:
    OrbitCamera();

    // Where the camera stands relative to the target.
    glm::vec3 offset() const;
    // The camera's rotation at `offset` from the target on this orbit's yaw,
    // looking down at the target.
    glm::quat lookingIn(const glm::vec3& offset) const;

    Transform result;
    float heightMax, heightMin;
    float distanceMax, distanceMin;
    float yawMax, yawMin;
    // Mouse and wheel act per pixel and per step, whatever the frame time:
    // these speeds are per second of the loop's nominal pass.
    float yawSpeed;   // degrees per pixel per second; the height moves at half this
    float zoomSpeed;  // distance per wheel step per second
    // The right stick at full tilt, per second of play.
    float stickYawSpeed;     // degrees
    float stickHeightSpeed;  // height units
    float defaultDistance, defaultYaw, defaultHeight;
    float distance, yaw, height;
    // How far out along the orbit the camera may go before something would
    // stand between it and the target, and how many degrees it is lifted
    // above the orbit to look over something; set by the camera steering.
    float reach;
    float lift;
    // The player's: times the usual turn per pixel, and whether moving the
    // mouse up lowers the camera instead of raising it.
    float sensitivity;
    bool inverted;
};

// Samples keyboard, mouse and gamepad once per frame and owns the orbit
// camera. Events are processed only by update, never behind the game's back.
class Control : public Singleton<Control, 0> {
public:
    Control();

    void update(double dt);

    // The pad's button as it was at the last sample; up without a pad.
    bool padDown(gamepad::Button button) const;
    // True once per press: the button is down and has not been taken since
    // it went down. A sample that finds it up (or the pad gone) frees it.
    bool padPressed(gamepad::Button button);
    // Every button held now acts only when pressed anew, so a button still
    // held from play does not also answer the screen that follows.
    void takeHeldPadButtons();
    // The sticks' tilt beyond the dead zone, from 0 at its edge to length 1
    // at full tilt; right and up positive.
    glm::vec2 leftStick() const;
    glm::vec2 rightStick() const;
    // Where the camera goes to follow the placement t this frame: on the
    // orbit, looking at t's translation.
    Transform followTransform(const Transform& t, double dt);
    // The next followTransform puts the orbit back behind the target.
    void resetOrbitNextFollow();
    // Holds the pointer (hidden, turning the camera without limit at the
    // window's edge) while `wanted` and the window has the focus, and frees
    // it otherwise. Called by play each pass and by the screens that wait
    // for a key as they show.
    void capturePointer(bool wanted);
    // Called once each time Alt and Enter go down together, at whichever
    // sample of the game's: on the title, in menus, in play, on end screens.
    // Null calls nothing.
    void onFullScreenKeys(std::function<void()> handler);

    bool spaceDown;
    bool leftButton, rightButton;
    int mouseX, mouseY;
    int lastMouseX, lastMouseY;
    int lastWheel, wheel;
    OrbitCamera orbit;
    bool firstFollow;
    GamepadState pad;

private:
    void orbitAround(double dt);
    void turnWithStick(double dt);
    // Turns by `degrees`, wrapped into the yaw range.
    void turnOrbit(float degrees);
    // Raises by `rise` (lowers when negative), within the height limits.
    void raiseOrbit(float rise);
    void resetOrbit();
    // The orbit's placement around the target at t.
    Transform placeAround(const Transform& t) const;

    // Whether button b is down at the last sample.
    PressLatch::IsDown padButtonDown() const;

    PressLatch padLatch;
    std::function<void()> fullScreenKeys;
    bool fullScreenKeysDown;
    // Whether the pointer is held now, and how many samples more take the
    // pointer's position without turning: the window library moves the
    // pointer back where it was as it frees it, and that is no turn.
    bool pointerHeld;
    int pointerSettling;
};

}  // namespace lum

#endif
