#ifndef LUM_PHYSICS_BULLETMATH_H
#define LUM_PHYSICS_BULLETMATH_H

#include <LinearMath/btQuaternion.h>
#include <LinearMath/btVector3.h>
#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include "lum/scene/Transform.h"

namespace lum {

// The game's maths handed to Bullet at the physics boundary.

inline btVector3 toBullet(const glm::vec3& v) {
    return btVector3(v.x, v.y, v.z);
}

// The quaternion as it is; for rotations already kept at unit length.
inline btQuaternion toBullet(const glm::quat& q) {
    return btQuaternion(q.x, q.y, q.z, q.w);
}

// A rotation read from a file, made unit length as Bullet needs; a
// degenerate one stands for no turn.
inline btQuaternion toBulletRotation(const glm::quat& q) {
    return toBullet(normalizedRotation(q));
}

}  // namespace lum

#endif
