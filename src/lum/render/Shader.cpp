#include "lum/render/Shader.h"

#include "lum/render/Uniform.h"
#include "lum/scene/Material.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

Shader::Shader(const std::string& name, GLuint program, GLuint vertexShader, GLuint fragmentShader,
               const UniformList& uniforms)
    : name(name),
      program(program),
      vertexShader(vertexShader),
      fragmentShader(fragmentShader),
      uniforms(uniforms) {}

Shader::~Shader() {
    if (!context.isOpen()) {
        return;
    }
    glDeleteProgram(program);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
}

GLint Shader::getAttribLocation(const std::string& attribute) const {
    LUM_TRACE_BEGIN
    const GLint location = glGetAttribLocation(program, attribute.c_str());
    if (location == -1) {
        throw GLException("No attribute named " + attribute + " in shader " + name);
    }
    return location;
    LUM_TRACE_END
}

boost::shared_ptr<Material> Shader::createMaterial(const std::string& materialName) {
    LUM_TRACE_BEGIN
    UniformList copies;
    for (const boost::shared_ptr<Uniform>& uniform : uniforms.getList()) {
        copies.push_back(uniform->clone());
    }
    return boost::shared_ptr<Material>(
        new Material(name + "." + materialName, shared_from_this(), copies));
    LUM_TRACE_END
}

GLuint Shader::getProgram() const {
    return program;
}

const std::string& Shader::getName() const {
    return name;
}

const Shader::UniformList& Shader::getUniforms() const {
    return uniforms.getList();
}

}  // namespace lum
