#include <gtest/gtest.h>

#include <glm/vec3.hpp>

#include <vector>

#include "lum/scene/OutlineRim.h"

namespace {

using lum::OutlineRim;
using lum::Vertex;

Vertex corner(const glm::vec3& at) {
    return Vertex{{at.x, at.y, at.z}, {0, 0, 0}, {0, 0}};
}

// A face of the cube from -1 to 1 whose outward normal is +/- axis `axis`, as
// two triangles winding clockwise seen from outside, the way the game's
// models wind their front faces.
void addFace(int axis, float side, std::vector<Vertex>& mesh) {
    glm::vec3 normal(0.0f), u(0.0f), v(0.0f);
    normal[axis] = side;
    u[(axis + 1) % 3] = 1.0f;
    v[(axis + 2) % 3] = side;
    const glm::vec3 quad[4] = {normal - u - v, normal + u - v, normal + u + v, normal - u + v};
    for (int index : {0, 2, 1, 0, 3, 2}) {
        mesh.push_back(corner(quad[index]));
    }
}

std::vector<Vertex> cube() {
    std::vector<Vertex> mesh;
    for (int axis = 0; axis < 3; ++axis) {
        addFace(axis, 1.0f, mesh);
        addFace(axis, -1.0f, mesh);
    }
    return mesh;
}

// Only triangles beside one the eye sees, or at an open edge, can show their
// back's edges; the rest of the back stays undrawn.
TEST(OutlineRimTest, KeepsTheTrianglesFacingAwayBesideTheOnesFacingTheEye) {
    std::vector<Vertex> front;
    addFace(2, 1.0f, front);
    const struct {
        const char* what;
        std::vector<Vertex> mesh;
        glm::vec3 eye;
        bool mirrored;
        std::size_t triangles;
    } cases[] = {
        // The +z face shows; of each side face, the triangle along its edge.
        {"cube seen from +z", cube(), {0, 0, 10}, false, 4},
        // Turned inside out, the face toward the eye shows its back.
        {"mirrored cube seen from +z", cube(), {0, 0, 10}, true, 2},
        {"open face seen from behind", front, {0, 0, -10}, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OutlineRim rim(c.mesh.data(), static_cast<int>(c.mesh.size()));
        const std::vector<unsigned>& indices = rim.facingAway(c.mesh.data(), c.eye, c.mirrored);
        ASSERT_EQ(c.triangles * 3, indices.size());
        // Every rim triangle has a corner on the face at z = 1.
        for (std::size_t i = 0; i < indices.size(); i += 3) {
            EXPECT_TRUE(c.mesh[indices[i]].vertex[2] == 1.0f ||
                        c.mesh[indices[i + 1]].vertex[2] == 1.0f ||
                        c.mesh[indices[i + 2]].vertex[2] == 1.0f);
        }
    }
}

}  // namespace
