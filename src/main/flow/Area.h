#ifndef GLIMMET_AREA_H
#define GLIMMET_AREA_H

#include <limits>

#include <glm/glm.hpp>

namespace lum {

// A box of a level's world that the level scripts watch: a point is inside
// when it lies strictly between the bounds on every axis. An axis the area
// does not limit has the bounds -unbounded and unbounded.
struct Area {
    static constexpr float unbounded = std::numeric_limits<float>::infinity();

    glm::vec3 low;
    glm::vec3 high;

    bool contains(const glm::vec3& point) const;
};

}  // namespace lum

#endif
