#include "lum/scene/Material.h"

#include "lum/render/Shader.h"
#include "lum/render/Uniform.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

Material::Material(const std::string& name, const boost::shared_ptr<Shader>& shader,
                   const UniformList& uniforms)
    : name(name), shader(shader), uniforms(uniforms) {}

Material::~Material() = default;

Uniform* Material::getUniform(const std::string& uniformName) const {
    LUM_TRACE_BEGIN
    Uniform* const uniform = uniforms.find(uniformName);
    if (uniform == nullptr) {
        throw OutOfBoundsException("No uniform with name " + uniformName + " in shader " +
                                   shader->getName());
    }
    return uniform;
    LUM_TRACE_END
}

void Material::apply() const {
    for (const boost::shared_ptr<Uniform>& uniform : uniforms.getList()) {
        uniform->apply();
    }
}

void Material::use() const {
    glUseProgram(shader->getProgram());
    apply();
}

const std::string& Material::getName() const {
    return name;
}

const boost::shared_ptr<Shader>& Material::getShader() const {
    return shader;
}

}  // namespace lum
