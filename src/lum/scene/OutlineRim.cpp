#include "lum/scene/OutlineRim.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace lum {

namespace {

using Corner = std::array<float, 3>;
using Edge = std::pair<Corner, Corner>;

Corner cornerOf(const Vertex& vertex) {
    return {vertex.vertex[0], vertex.vertex[1], vertex.vertex[2]};
}

// The same for both directions an edge is walked in.
Edge edgeBetween(const Vertex& a, const Vertex& b) {
    const Corner first = cornerOf(a);
    const Corner second = cornerOf(b);
    return first < second ? Edge(first, second) : Edge(second, first);
}

glm::vec3 positionOf(const Vertex& vertex) {
    return glm::vec3(vertex.vertex[0], vertex.vertex[1], vertex.vertex[2]);
}

}  // namespace

OutlineRim::OutlineRim(const Vertex* vertices, int vertexCount)
    : triangleCount(vertexCount / 3),
      neighbours(static_cast<std::size_t>(triangleCount) * 3, noNeighbour),
      away(static_cast<std::size_t>(triangleCount), 0) {
    findNeighbours(vertices);
}

// Each edge meets the first other triangle found along it; an edge more than
// two triangles share keeps one neighbour per side, which is enough to tell
// whether the rim passes there.
void OutlineRim::findNeighbours(const Vertex* vertices) {
    // The first triangle's slot for each edge: three a triangle, then the side.
    std::map<Edge, int> firstSlot;
    for (int slot = 0; slot < triangleCount * 3; ++slot) {
        const int triangle = slot / 3;
        const Vertex& from = vertices[slot];
        const Vertex& to = vertices[triangle * 3 + (slot + 1) % 3];
        const auto found = firstSlot.emplace(edgeBetween(from, to), slot);
        if (found.second) {
            continue;
        }
        const int otherSlot = found.first->second;
        neighbours[static_cast<std::size_t>(slot)] = otherSlot / 3;
        int& back = neighbours[static_cast<std::size_t>(otherSlot)];
        if (back == noNeighbour) {
            back = triangle;
        }
    }
}

// Front faces wind clockwise on screen; seen from the eye, a triangle whose
// corners turn anticlockwise about its normal (the right-hand rule) is one
// whose normal points at the eye, so a front face's normal points away from
// it. An edge-on triangle counts as facing away, as the outline drew it.
void OutlineRim::markAway(const Vertex* vertices, const glm::vec3& eye, bool mirrored) {
    for (int triangle = 0; triangle < triangleCount; ++triangle) {
        const glm::vec3 a = positionOf(vertices[triangle * 3]);
        const glm::vec3 b = positionOf(vertices[triangle * 3 + 1]);
        const glm::vec3 c = positionOf(vertices[triangle * 3 + 2]);
        const float towardEye = glm::dot(glm::cross(b - a, c - a), eye - a);
        away[static_cast<std::size_t>(triangle)] = mirrored ? towardEye <= 0.0f : towardEye >= 0.0f;
    }
}

bool OutlineRim::onRim(int triangle) const {
    if (!away[static_cast<std::size_t>(triangle)]) {
        return false;
    }
    for (int side = 0; side < 3; ++side) {
        const int other = neighbours[static_cast<std::size_t>(triangle) * 3 + side];
        if (other == noNeighbour || !away[static_cast<std::size_t>(other)]) {
            return true;
        }
    }
    return false;
}

const std::vector<unsigned>& OutlineRim::facingAway(const Vertex* vertices, const glm::vec3& eye,
                                                    bool mirrored) {
    markAway(vertices, eye, mirrored);
    rim.clear();
    for (int triangle = 0; triangle < triangleCount; ++triangle) {
        if (onRim(triangle)) {
            const unsigned first = static_cast<unsigned>(triangle) * 3;
            rim.insert(rim.end(), {first, first + 1, first + 2});
        }
    }
    return rim;
}

}  // namespace lum
