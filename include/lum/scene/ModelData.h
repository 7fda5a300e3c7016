#ifndef LUM_SCENE_MODELDATA_H
#define LUM_SCENE_MODELDATA_H

#include <boost/shared_array.hpp>
#include <glm/vec4.hpp>

#include "lum/render/Vertex.h"

namespace lum {

// A decoded key-frame mesh: every frame expanded to a flat triangle list,
// frame after frame.
struct ModelData {
    int frameCount = 0;
    int verticesPerFrame = 0;  // three per triangle
    int vertexCount = 0;       // frameCount * verticesPerFrame
    boost::shared_array<Vertex> vertices;
    // Largest |x|, |y| and |z| over all frames, then the largest of the three.
    glm::vec4 extents = glm::vec4(0.0f);
};

}  // namespace lum

#endif
