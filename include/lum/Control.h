#ifndef LUM_CONTROL_H
#define LUM_CONTROL_H

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

    Transform result;
    float heightMax, heightMin;
    float distanceMax, distanceMin;
    float yawMax, yawMin;
    // Mouse and wheel act per pixel and per step, whatever the frame time:
    // these speeds are per second of the loop's nominal pass.
    float yawSpeed;   // degrees per pixel per second; the height moves at half this
    float zoomSpeed;  // distance per wheel step per second
    float defaultDistance, defaultYaw, defaultHeight;
    float distance, yaw, height;
    // How far out along the orbit the camera may go before something would
    // stand between it and the target; set by the camera steering.
    float reach;
};

// Samples keyboard and mouse once per frame and owns the orbit camera.
// Events are processed only by update, never behind the game's back.
class Control : public Singleton<Control, 0> {
public:
    Control();

    void update(double dt);
    // Where the camera goes to follow the placement t this frame: on the
    // orbit, looking at t's translation.
    Transform followTransform(const Transform& t, double dt);
    // The next followTransform puts the orbit back behind the target.
    void resetOrbitNextFollow();

    bool spaceDown;
    bool leftButton, rightButton;
    int mouseX, mouseY;
    int lastMouseX, lastMouseY;
    int lastWheel, wheel;
    OrbitCamera orbit;
    bool firstFollow;

private:
    void orbitAround();
    void resetOrbit();
    // The orbit's placement around the target at t.
    Transform placeAround(const Transform& t) const;
};

}  // namespace lum

#endif
