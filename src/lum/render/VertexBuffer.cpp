#include "lum/render/VertexBuffer.h"

#include "lum/render/Vertex.h"
#include "lum/util/Assert.h"
#include "lum/util/Trace.h"

namespace lum {

VertexBuffer::VertexBuffer(const std::string& name, unsigned vertexCount, BufferUsage usage)
    : GLBuffer(vertexCount * sizeof(Vertex), usage),
      name(name),
      vertexSize(sizeof(Vertex)),
      vertexCount(vertexCount) {
    LUM_TRACE_BEGIN
    LUM_ASSERT(vertexCount > 0);
    LUM_TRACE_END
}

boost::shared_ptr<VertexBuffer> VertexBuffer::make(const std::string& name, unsigned vertexCount,
                                                   BufferUsage usage) {
    LUM_TRACE_BEGIN
    return boost::shared_ptr<VertexBuffer>(new VertexBuffer(name, vertexCount, usage));
    LUM_TRACE_END
}

unsigned VertexBuffer::getVertexCount() const {
    return vertexCount;
}

int VertexBuffer::getVertexSize() const {
    return vertexSize;
}

const std::string& VertexBuffer::getName() const {
    return name;
}

}  // namespace lum
