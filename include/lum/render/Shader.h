#ifndef LUM_RENDER_SHADER_H
#define LUM_RENDER_SHADER_H

#include <string>
#include <vector>

#include <GL/glew.h>
#include <boost/enable_shared_from_this.hpp>
#include <boost/noncopyable.hpp>
#include <boost/shared_ptr.hpp>

#include "lum/render/ContextStamp.h"
#include "lum/render/UniformTable.h"

namespace lum {

class Material;

// A linked GLSL program with its active uniforms at their initial values.
// Loaded and cached by the ShaderLoader; shared by every material and vertex
// array that uses it. Owns its program and shader objects, which it deletes
// when it goes while its renderer lives.
class Shader : public boost::enable_shared_from_this<Shader>, private boost::noncopyable {
public:
    using UniformList = UniformTable::UniformList;

    // Of two uniforms at the same location only the first is kept.
    Shader(const std::string& name, GLuint program, GLuint vertexShader, GLuint fragmentShader,
           const UniformList& uniforms);
    ~Shader();

    // The location of a vertex attribute; an attribute the program lacks is a GLException.
    GLint getAttribLocation(const std::string& attribute) const;
    // A material named "<shader>.<materialName>" with copies of every uniform.
    // The shader must be held by a shared_ptr.
    boost::shared_ptr<Material> createMaterial(const std::string& materialName);

    GLuint getProgram() const;
    const std::string& getName() const;
    const UniformList& getUniforms() const;

private:
    std::string name;
    ContextStamp context;
    GLuint program;
    GLuint vertexShader;
    GLuint fragmentShader;
    UniformTable uniforms;
};

}  // namespace lum

#endif
