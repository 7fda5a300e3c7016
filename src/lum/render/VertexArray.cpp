#include "lum/render/VertexArray.h"

#include "lum/render/BindingState.h"
#include "lum/render/Renderer.h"
#include "lum/render/Shader.h"
#include "lum/render/VertexBuffer.h"
#include "lum/render/VertexLayout.h"
#include "lum/util/Assert.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

GLuint createVertexArrayObject() {
    LUM_TRACE_BEGIN
    LUM_ASSERT(Renderer::isInitialized());
    GLuint vaoID = 0;
    glGenVertexArrays(1, &vaoID);
    LUM_ASSERT(vaoID != 0);
    return vaoID;
    LUM_TRACE_END
}

void pointAttribute(GLint location, const VertexAttribute& attribute, GLsizei stride) {
    const AttributeType& type = attributeType(attribute.type);
    const void* const offset =
        reinterpret_cast<const void*>(static_cast<std::size_t>(attribute.offset));
    if (attribute.integer) {
        glVertexAttribIPointer(location, type.components, type.glType, stride, offset);
    } else {
        glVertexAttribPointer(location, type.components, type.glType,
                              attribute.normalized ? GL_TRUE : GL_FALSE, stride, offset);
    }
    glEnableVertexAttribArray(location);
}

}  // namespace

boost::shared_ptr<VertexArray> VertexArray::make(const std::string& name,
                                                 const boost::shared_ptr<Shader>& shader,
                                                 const VertexLayout& layout) {
    LUM_TRACE_BEGIN
    if (!shader) {
        throw GLException("Shader is null");
    }
    return boost::shared_ptr<VertexArray>(new VertexArray(name, shader, layout));
    LUM_TRACE_END
}

VertexArray::VertexArray(const std::string& name, const boost::shared_ptr<Shader>& shader,
                         const VertexLayout& layout)
    : name(name),
      vaoID(createVertexArrayObject()),
      shader(shader),
      indexBuffer(layout.indexBuffer),
      vertexCount(layout.vertexCount) {
    LUM_TRACE_BEGIN
    try {
        recordAttributes(layout);
    } catch (...) {
        glDeleteVertexArrays(1, &vaoID);
        throw;
    }
    LUM_TRACE_END
}

// A failure part-way (an attribute the shader lacks, a binding point taken)
// releases exactly what this set-up bound, so later binds are not refused.
void VertexArray::recordAttributes(const VertexLayout& layout) {
    LUM_TRACE_BEGIN
    bind();
    try {
        recordWithIndexBuffer(layout);
    } catch (...) {
        release();
        throw;
    }
    release();
    if (indexBuffer) {
        indexBuffer->release();
    }
    LUM_TRACE_END
}

void VertexArray::recordWithIndexBuffer(const VertexLayout& layout) {
    LUM_TRACE_BEGIN
    if (indexBuffer) {
        indexBuffer->bind();
    }
    try {
        for (const auto& entry : layout.buffers) {
            buffers.push_back(entry.first);
            recordBuffer(*entry.first, entry.second);
        }
    } catch (...) {
        if (indexBuffer) {
            indexBuffer->release();
        }
        throw;
    }
    LUM_TRACE_END
}

void VertexArray::recordBuffer(VertexBuffer& buffer,
                               const std::vector<VertexAttribute>& attributes) {
    LUM_TRACE_BEGIN
    buffer.bind();
    try {
        for (const VertexAttribute& attribute : attributes) {
            pointAttribute(shader->getAttribLocation(attribute.name), attribute,
                           buffer.getVertexSize());
        }
    } catch (...) {
        buffer.release();
        throw;
    }
    buffer.release();
    LUM_TRACE_END
}

VertexArray::~VertexArray() {
    if (context.isOpen()) {
        glDeleteVertexArrays(1, &vaoID);
    }
}

void VertexArray::bind() {
    LUM_TRACE_BEGIN
    markBound(vertexArrayBindingState());
    glBindVertexArray(vaoID);
    LUM_TRACE_END
}

void VertexArray::release() {
    markUnbound(vertexArrayBindingState());
    glBindVertexArray(0);
}

unsigned VertexArray::getVertexCount() const {
    return vertexCount;
}

const boost::shared_ptr<Shader>& VertexArray::getShader() const {
    return shader;
}

const std::string& VertexArray::getName() const {
    return name;
}

}  // namespace lum
