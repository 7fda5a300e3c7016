#include "flow/Area.h"

namespace lum {

bool Area::contains(const glm::vec3& point) const {
    return glm::all(glm::lessThan(low, point)) && glm::all(glm::lessThan(point, high));
}

}  // namespace lum
