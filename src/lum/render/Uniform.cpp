#include "lum/render/Uniform.h"

#include <typeinfo>

#include <glm/gtc/type_ptr.hpp>

#include "lum/util/CheckedCast.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

template <class Class>
boost::shared_ptr<Uniform> makeTyped(const std::string& name, GLint location) {
    return boost::shared_ptr<Uniform>(new Class(name, location));
}

}  // namespace

boost::shared_ptr<Uniform> Uniform::make(GLenum type, const std::string& name, GLint location) {
    LUM_TRACE_BEGIN
    switch (type) {
        case GL_INT:
        case GL_SAMPLER_1D:
        case GL_SAMPLER_2D:
            return makeTyped<UniformInt>(name, location);
        case GL_UNSIGNED_INT:
            return makeTyped<UniformUint>(name, location);
        case GL_FLOAT:
            return makeTyped<UniformFloat>(name, location);
        case GL_FLOAT_VEC2:
            return makeTyped<UniformVec2>(name, location);
        case GL_FLOAT_VEC3:
            return makeTyped<UniformVec3>(name, location);
        case GL_FLOAT_VEC4:
            return makeTyped<UniformVec4>(name, location);
        case GL_FLOAT_MAT3:
            return makeTyped<UniformMat3>(name, location);
        case GL_FLOAT_MAT4:
            return makeTyped<UniformMat4>(name, location);
        default:
            throw GLException("Tried to create Uniform with unknown type.");
    }
    LUM_TRACE_END
}

Uniform::Uniform(const std::string& name, GLint location) : name(name), location(location) {}

Uniform::~Uniform() = default;

const std::string& Uniform::getName() const {
    return name;
}

GLint Uniform::getLocation() const {
    return location;
}

UniformInt& Uniform::asInt() {
    LUM_TRACE_BEGIN
    return checkedCast<UniformInt>(*this);
    LUM_TRACE_END
}

UniformFloat& Uniform::asFloat() {
    LUM_TRACE_BEGIN
    return checkedCast<UniformFloat>(*this);
    LUM_TRACE_END
}

UniformVec3& Uniform::asVec3() {
    LUM_TRACE_BEGIN
    return checkedCast<UniformVec3>(*this);
    LUM_TRACE_END
}

UniformVec4& Uniform::asVec4() {
    LUM_TRACE_BEGIN
    return checkedCast<UniformVec4>(*this);
    LUM_TRACE_END
}

UniformMat3& Uniform::asMat3() {
    LUM_TRACE_BEGIN
    return checkedCast<UniformMat3>(*this);
    LUM_TRACE_END
}

UniformMat4& Uniform::asMat4() {
    LUM_TRACE_BEGIN
    return checkedCast<UniformMat4>(*this);
    LUM_TRACE_END
}

void UniformInt::apply() const {
    glUniform1i(getLocation(), value);
}

void UniformUint::apply() const {
    glUniform1ui(getLocation(), value);
}

void UniformFloat::apply() const {
    glUniform1f(getLocation(), value);
}

void UniformVec2::apply() const {
    glUniform2fv(getLocation(), 1, glm::value_ptr(value));
}

void UniformVec3::apply() const {
    glUniform3fv(getLocation(), 1, glm::value_ptr(value));
}

void UniformVec4::apply() const {
    glUniform4fv(getLocation(), 1, glm::value_ptr(value));
}

void UniformMat3::apply() const {
    glUniformMatrix3fv(getLocation(), 1, GL_FALSE, glm::value_ptr(value));
}

void UniformMat4::apply() const {
    glUniformMatrix4fv(getLocation(), 1, GL_FALSE, glm::value_ptr(value));
}

}  // namespace lum
