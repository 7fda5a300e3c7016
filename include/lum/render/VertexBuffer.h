#ifndef LUM_RENDER_VERTEXBUFFER_H
#define LUM_RENDER_VERTEXBUFFER_H

#include <string>

#include <boost/shared_ptr.hpp>

#include "lum/render/GLBuffer.h"

namespace lum {

// A buffer of a fixed number (> 0) of 32-byte vertices.
class VertexBuffer : public GLBuffer {
public:
    VertexBuffer(const std::string& name, unsigned vertexCount, BufferUsage usage);

    static boost::shared_ptr<VertexBuffer> make(const std::string& name, unsigned vertexCount,
                                                BufferUsage usage);

    unsigned getVertexCount() const;
    int getVertexSize() const;
    const std::string& getName() const;

private:
    std::string name;
    int vertexSize;
    unsigned vertexCount;
};

}  // namespace lum

#endif
