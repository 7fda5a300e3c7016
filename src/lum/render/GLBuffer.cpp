#include "lum/render/GLBuffer.h"

#include "lum/render/BindingState.h"
#include "lum/render/Renderer.h"
#include "lum/util/Assert.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const GLenum usageHints[] = {GL_STREAM_DRAW,  GL_STREAM_READ,  GL_STREAM_COPY,
                             GL_STATIC_DRAW,  GL_STATIC_READ,  GL_STATIC_COPY,
                             GL_DYNAMIC_DRAW, GL_DYNAMIC_READ, GL_DYNAMIC_COPY};

GLuint createBufferObject() {
    LUM_TRACE_BEGIN
    LUM_ASSERT(Renderer::isInitialized());
    GLuint vboID = 0;
    glGenBuffers(1, &vboID);
    LUM_ASSERT(vboID != 0);
    return vboID;
    LUM_TRACE_END
}

}  // namespace

GLBuffer::GLBuffer(unsigned size, BufferUsage usage)
    : binding(nullptr), id(0), target(GL_ARRAY_BUFFER), size(size) {
    LUM_TRACE_BEGIN
    binding = &bufferBindingState(target);
    id = createBufferObject();
    bind();
    glBufferData(target, size, nullptr, usageHints[usage]);
    release();
    LUM_TRACE_END
}

GLBuffer::~GLBuffer() {
    if (context.isOpen()) {
        glDeleteBuffers(1, &id);
    }
}

void GLBuffer::bind() {
    LUM_TRACE_BEGIN
    markBound(*binding);
    glBindBuffer(target, id);
    LUM_TRACE_END
}

void GLBuffer::release() {
    markUnbound(*binding);
    glBindBuffer(target, id);
}

void GLBuffer::setData(unsigned offset, unsigned size, const void* data) {
    LUM_TRACE_BEGIN
    LUM_ASSERT_TEXT(offset < this->size, "0 <= offset && offset < this->size");
    // Compared without adding, so a huge size cannot wrap around the check.
    LUM_ASSERT_TEXT(0 < size && size <= this->size - offset,
                    "0 < size && (offset + size) <= this->size");
    LUM_ASSERT(data);
    bind();
    glBufferSubData(target, offset, size, data);
    release();
    LUM_TRACE_END
}

GLuint GLBuffer::getId() const {
    return id;
}

GLenum GLBuffer::getTarget() const {
    return target;
}

unsigned GLBuffer::getSize() const {
    return size;
}

}  // namespace lum
