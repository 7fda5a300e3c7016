#ifndef LUM_SCENE_OUTLINERIM_H
#define LUM_SCENE_OUTLINERIM_H

#include <glm/vec3.hpp>

#include <vector>

#include "lum/render/Vertex.h"

namespace lum {

// Which triangles of a mesh the outline needs. The outline draws the edges of
// the triangles facing away from the eye; the only ones that can show are
// those of a triangle beside one that faces the eye, or at the mesh's open
// edge: every other one lies behind the mesh's own front. Drawing just these
// spares the software renderer most of a detailed model's lines.
//
// Built once from a flat triangle list (three vertices a triangle); which
// triangles touch is read from where their corners are, so every key frame
// of a mesh shares it. Pure arithmetic: no GL.
class OutlineRim {
public:
    OutlineRim() = default;
    OutlineRim(const Vertex* vertices, int vertexCount);

    // The indices (three a triangle, into the list it was built from) of the
    // rim's triangles, with the mesh's corners at `vertices` and the eye at
    // `eye`, both in the mesh's own space. `mirrored`: the mesh is drawn
    // through a transform that turns it inside out, so its front is its back.
    // The list stays valid until the next call.
    const std::vector<unsigned>& facingAway(const Vertex* vertices, const glm::vec3& eye,
                                            bool mirrored);

private:
    static constexpr int noNeighbour = -1;

    void findNeighbours(const Vertex* vertices);
    void markAway(const Vertex* vertices, const glm::vec3& eye, bool mirrored);
    bool onRim(int triangle) const;

    int triangleCount = 0;
    // Three a triangle: the triangle across each edge, or noNeighbour.
    std::vector<int> neighbours;
    std::vector<char> away;
    std::vector<unsigned> rim;
};

}  // namespace lum

#endif
