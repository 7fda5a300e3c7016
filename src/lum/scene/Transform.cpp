#include "lum/scene/Transform.h"

#include <ostream>

#include <boost/io/ios_state.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace lum {

const Transform& Transform::identity() {
    static const Transform value{glm::vec3(1.0f), glm::quat(1.0f, 0.0f, 0.0f, 0.0f),
                                 glm::vec3(0.0f)};
    return value;
}

glm::mat4 Transform::toMatrix() const {
    const glm::mat4 translated = glm::translate(glm::mat4(1.0f), translation);
    return glm::scale(translated * glm::mat4_cast(rotation), scale);
}

glm::quat normalizedRotation(const glm::quat& rotation) {
    const float length = glm::length(rotation);
    if (!(length > 0.0f)) {
        return Transform::identity().rotation;
    }
    return rotation / length;
}

std::ostream& operator<<(std::ostream& out, const Transform& transform) {
    const boost::io::ios_all_saver saved(out);
    out.precision(7);
    out.unsetf(std::ios_base::floatfield);
    const glm::vec3& s = transform.scale;
    const glm::quat& r = transform.rotation;
    const glm::vec3& t = transform.translation;
    return out << "{scale: (" << s.x << ", " << s.y << ", " << s.z << "), rotation: (" << r.x
               << ", " << r.y << ", " << r.z << ", " << r.w << "), translation: (" << t.x << ", "
               << t.y << ", " << t.z << ")}";
}

}  // namespace lum
