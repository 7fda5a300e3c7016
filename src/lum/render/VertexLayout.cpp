#include "lum/render/VertexLayout.h"

#include "lum/render/VertexBuffer.h"
#include "lum/util/Assert.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const AttributeType attributeTypes[] = {
    {"float", GL_FLOAT, 1, 4},
    {"vec2", GL_FLOAT, 2, 8},
    {"vec3", GL_FLOAT, 3, 12},
    {"vec4", GL_FLOAT, 4, 16},
};

bool rangesIntersect(const VertexAttribute& a, const VertexAttribute& b) {
    const int aEnd = a.offset + attributeType(a.type).byteSize;
    const int bEnd = b.offset + attributeType(b.type).byteSize;
    return a.offset < bEnd && b.offset < aEnd;
}

void checkAgainst(const VertexAttribute& newAtt, const VertexAttribute& att) {
    LUM_TRACE_BEGIN
    LUM_ASSERT(newAtt.name != att.name);
    LUM_ASSERT(newAtt.offset != att.offset);
    if (rangesIntersect(newAtt, att)) {
        const std::string message =
            "Attribute " + newAtt.name + " overlaps with attribute " + att.name;
        internal::_log_assertion_(__FILE__, __LINE__, message.c_str());
    }
    LUM_TRACE_END
}

}  // namespace

const AttributeType& attributeType(int type) {
    LUM_TRACE_BEGIN
    LUM_ASSERT(0 <= type && type < 4);
    return attributeTypes[type];
    LUM_TRACE_END
}

void VertexLayout::addAttribute(const std::string& name, int type, int offset, bool normalized,
                                const boost::shared_ptr<VertexBuffer>& buffer) {
    LUM_TRACE_BEGIN
    addAttribute(name, type, offset, normalized, false, buffer);
    LUM_TRACE_END
}

void VertexLayout::addAttribute(const std::string& name, int type, int offset, bool normalized,
                                bool integer, const boost::shared_ptr<VertexBuffer>& buffer) {
    LUM_TRACE_BEGIN
    LUM_ASSERT_TEXT(buffer, "Invalid vertex buffer");
    const boost::shared_ptr<VertexBuffer>& buf = buffer;
    if (vertexCount == 0) {
        vertexCount = buf->getVertexCount();
    }
    LUM_ASSERT(vertexCount == buf->getVertexCount());
    std::vector<VertexAttribute>& attributes = buffers[buffer];
    const VertexAttribute newAtt{integer, name, type, normalized, offset};
    attributeType(type);  // an unknown type fails before anything is added
    for (const VertexAttribute& att : attributes) {
        checkAgainst(newAtt, att);
    }
    attributes.push_back(newAtt);
    LUM_TRACE_END
}

}  // namespace lum
