#ifndef LUM_RENDER_GLBUFFER_H
#define LUM_RENDER_GLBUFFER_H

#include <GL/glew.h>

#include <boost/noncopyable.hpp>

#include "lum/render/ContextStamp.h"

namespace lum {

struct BindingState;

// Index into the OpenGL usage hints, in OpenGL's own order.
enum BufferUsage {
    StreamDraw = 0,
    StreamRead,
    StreamCopy,
    StaticDraw,
    StaticRead,
    StaticCopy,
    DynamicDraw,
    DynamicRead,
    DynamicCopy
};

// Owns one OpenGL buffer object on the array-buffer target. Needs a living
// Renderer (an OpenGL context); the storage is allocated at construction and
// its content left undefined. Deleted with the object while that renderer
// lives.
class GLBuffer : private boost::noncopyable {
public:
    GLBuffer(unsigned size, BufferUsage usage);
    ~GLBuffer();

    void bind();
    // Marks the target free; the OpenGL binding stays on this buffer.
    void release();
    void setData(unsigned offset, unsigned size, const void* data);

    GLuint getId() const;
    GLenum getTarget() const;
    unsigned getSize() const;

private:
    BindingState* binding;
    ContextStamp context;
    GLuint id;
    GLenum target;
    unsigned size;
};

}  // namespace lum

#endif
