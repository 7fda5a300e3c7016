#ifndef LUM_RENDER_VERTEXLAYOUT_H
#define LUM_RENDER_VERTEXLAYOUT_H

#include <map>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <boost/shared_ptr.hpp>

namespace lum {

class GLBuffer;
class VertexBuffer;

// Attribute types by number: 0 float, 1 vec2, 2 vec3, 3 vec4.
struct AttributeType {
    const char* name;
    GLenum glType;
    int components;
    int byteSize;
};
const AttributeType& attributeType(int type);

struct VertexAttribute {
    bool integer;
    std::string name;
    int type;
    bool normalized;
    int offset;
};

// Which shader attributes live where in which vertex buffers. Filled by the
// caller, then turned into a VertexArray; the layout keeps the buffers alive.
struct VertexLayout {
    void addAttribute(const std::string& name, int type, int offset, bool normalized,
                      const boost::shared_ptr<VertexBuffer>& buffer);
    void addAttribute(const std::string& name, int type, int offset, bool normalized, bool integer,
                      const boost::shared_ptr<VertexBuffer>& buffer);

    std::map<boost::shared_ptr<VertexBuffer>, std::vector<VertexAttribute>> buffers;
    unsigned vertexCount = 0;
    boost::shared_ptr<GLBuffer> indexBuffer;
};

}  // namespace lum

#endif
