#ifndef GLIMMET_CAMERASTEERING_H
#define GLIMMET_CAMERASTEERING_H

#include "lum/GameSettings.h"

namespace lum {

class Camera;

// Steers the camera for one frame: a free-flying spectator camera (keys and
// mouse) or the orbit camera around the player, by the game type.
void updateCamera(float dt, GameType gameType, Camera& camera);

}  // namespace lum

#endif
