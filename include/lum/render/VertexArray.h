#ifndef LUM_RENDER_VERTEXARRAY_H
#define LUM_RENDER_VERTEXARRAY_H

#include <string>
#include <vector>

#include <GL/glew.h>
#include <boost/noncopyable.hpp>
#include <boost/shared_ptr.hpp>

#include "lum/render/ContextStamp.h"

namespace lum {

class GLBuffer;
class Shader;
class VertexBuffer;
struct VertexAttribute;
struct VertexLayout;

// One vertex array object whose attribute pointers are recorded once, at
// construction, for one shader's attribute locations. Keeps its buffers and
// its shader alive. Deleted with the object while its renderer lives.
class VertexArray : private boost::noncopyable {
public:
    // An empty shader is a GLException.
    static boost::shared_ptr<VertexArray> make(const std::string& name,
                                               const boost::shared_ptr<Shader>& shader,
                                               const VertexLayout& layout);
    ~VertexArray();

    void bind();
    void release();

    unsigned getVertexCount() const;
    const boost::shared_ptr<Shader>& getShader() const;
    const std::string& getName() const;

private:
    VertexArray(const std::string& name, const boost::shared_ptr<Shader>& shader,
                const VertexLayout& layout);
    void recordAttributes(const VertexLayout& layout);
    void recordWithIndexBuffer(const VertexLayout& layout);
    void recordBuffer(VertexBuffer& buffer, const std::vector<VertexAttribute>& attributes);

    std::string name;
    ContextStamp context;
    GLuint vaoID;
    boost::shared_ptr<Shader> shader;
    std::vector<boost::shared_ptr<VertexBuffer>> buffers;
    boost::shared_ptr<GLBuffer> indexBuffer;
    unsigned vertexCount;
};

}  // namespace lum

#endif
