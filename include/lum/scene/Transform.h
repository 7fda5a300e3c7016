#ifndef LUM_SCENE_TRANSFORM_H
#define LUM_SCENE_TRANSFORM_H

#include <iosfwd>

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

namespace lum {

// A placement: scale, then rotation, then translation. Plain value.
struct Transform {
    glm::vec3 scale;
    glm::quat rotation;  // stored x, y, z, w; expected to be of unit length
    glm::vec3 translation;

    // Scale (1, 1, 1), no rotation, no translation; every new scene object
    // starts from this one constant.
    static const Transform& identity();

    // translation × rotation × scale.
    glm::mat4 toMatrix() const;
};

// The rotation scaled to unit length; a rotation of no length (or not a
// number) becomes the identity, so a degenerate turn never spreads NaNs.
glm::quat normalizedRotation(const glm::quat& rotation);

// {scale: (x, y, z), rotation: (x, y, z, w), translation: (x, y, z)} with
// 7 significant digits; the stream's own format is left as it was.
std::ostream& operator<<(std::ostream& out, const Transform& transform);

}  // namespace lum

#endif
