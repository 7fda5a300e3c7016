#ifndef LUM_RENDER_UNIFORM_H
#define LUM_RENDER_UNIFORM_H

#include <string>

#include <GL/glew.h>
#include <boost/shared_ptr.hpp>
#include <glm/glm.hpp>

namespace lum {

class UniformInt;
class UniformFloat;
class UniformVec3;
class UniformVec4;
class UniformMat3;
class UniformMat4;

// One active uniform of a shader program with the value it uploads. Shaders
// keep the initial values; materials work on clones.
class Uniform {
public:
    // The class for an OpenGL uniform type with its initial value; any type
    // without a class is a GLException.
    static boost::shared_ptr<Uniform> make(GLenum type, const std::string& name, GLint location);

    Uniform(const std::string& name, GLint location);
    virtual ~Uniform();
    virtual boost::shared_ptr<Uniform> clone() const = 0;
    // Uploads the value into the program in use.
    virtual void apply() const = 0;

    const std::string& getName() const;
    GLint getLocation() const;

    // Checked downcasts: a uniform of another class is a CastException.
    UniformInt& asInt();
    UniformFloat& asFloat();
    UniformVec3& asVec3();
    UniformVec4& asVec4();
    UniformMat3& asMat3();
    UniformMat4& asMat4();

private:
    std::string name;
    GLint location;
};

// A uniform holding a value of type T, uploaded by its own apply().
template <class T, class Self>
class TypedUniform : public Uniform {
public:
    TypedUniform(const std::string& name, GLint location, const T& value)
        : Uniform(name, location), value(value) {}

    boost::shared_ptr<Uniform> clone() const override {
        return boost::shared_ptr<Uniform>(new Self(static_cast<const Self&>(*this)));
    }

    const T& getValue() const { return value; }
    void setValue(const T& newValue) { value = newValue; }

protected:
    T value;
};

#define LUM_DECLARE_UNIFORM(Class, Type, initial)                   \
    class Class : public TypedUniform<Type, Class> {                \
    public:                                                         \
        Class(const std::string& name, GLint location)              \
            : TypedUniform<Type, Class>(name, location, initial) {} \
        void apply() const override;                                \
    }

LUM_DECLARE_UNIFORM(UniformInt, GLint, 0);
LUM_DECLARE_UNIFORM(UniformUint, GLuint, 0u);
LUM_DECLARE_UNIFORM(UniformFloat, GLfloat, 0.0f);
LUM_DECLARE_UNIFORM(UniformVec2, glm::vec2, glm::vec2(0.0f));
LUM_DECLARE_UNIFORM(UniformVec3, glm::vec3, glm::vec3(0.0f));
LUM_DECLARE_UNIFORM(UniformVec4, glm::vec4, glm::vec4(0.0f));
LUM_DECLARE_UNIFORM(UniformMat3, glm::mat3, glm::mat3(1.0f));
LUM_DECLARE_UNIFORM(UniformMat4, glm::mat4, glm::mat4(1.0f));

#undef LUM_DECLARE_UNIFORM

}  // namespace lum

#endif
