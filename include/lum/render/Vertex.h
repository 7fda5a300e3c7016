#ifndef LUM_RENDER_VERTEX_H
#define LUM_RENDER_VERTEX_H

namespace lum {

// One vertex as it lies in a vertex buffer: tightly packed, 32 bytes.
// Shader attributes: "vertex" at 0, "normal" at 12, "texCoord" at 24.
struct Vertex {
    float vertex[3];
    float normal[3];
    float texCoord[2];
};

static_assert(sizeof(Vertex) == 32, "vertex buffers rely on 32-byte vertices");

}  // namespace lum

#endif
