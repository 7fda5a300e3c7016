#include "lum/render/GLEnumName.h"

namespace lum {

namespace {

struct NamedEnum {
    GLenum value;
    const char* name;
};

#define LUM_NAMED(value) \
    { value, #value }
const NamedEnum namedEnums[] = {
    LUM_NAMED(GL_FLOAT),
    LUM_NAMED(GL_FLOAT_VEC2),
    LUM_NAMED(GL_FLOAT_VEC3),
    LUM_NAMED(GL_FLOAT_VEC4),
    LUM_NAMED(GL_FLOAT_MAT2),
    LUM_NAMED(GL_FLOAT_MAT3),
    LUM_NAMED(GL_FLOAT_MAT4),
    LUM_NAMED(GL_FLOAT_MAT2x3),
    LUM_NAMED(GL_FLOAT_MAT2x4),
    LUM_NAMED(GL_FLOAT_MAT3x2),
    LUM_NAMED(GL_FLOAT_MAT3x4),
    LUM_NAMED(GL_INT),
    LUM_NAMED(GL_INT_VEC2),
    LUM_NAMED(GL_INT_VEC3),
    LUM_NAMED(GL_INT_VEC4),
    LUM_NAMED(GL_UNSIGNED_INT),
    LUM_NAMED(GL_UNSIGNED_INT_VEC2),
    LUM_NAMED(GL_UNSIGNED_INT_VEC3),
    LUM_NAMED(GL_UNSIGNED_INT_VEC4),
    LUM_NAMED(GL_VERTEX_SHADER),
    LUM_NAMED(GL_GEOMETRY_SHADER),
    LUM_NAMED(GL_FRAGMENT_SHADER),
    LUM_NAMED(GL_NO_ERROR),
    LUM_NAMED(GL_INVALID_ENUM),
    LUM_NAMED(GL_INVALID_VALUE),
    LUM_NAMED(GL_INVALID_OPERATION),
    LUM_NAMED(GL_INVALID_FRAMEBUFFER_OPERATION),
    LUM_NAMED(GL_OUT_OF_MEMORY),
};
#undef LUM_NAMED

}  // namespace

std::string glEnumName(GLenum value) {
    for (const NamedEnum& named : namedEnums) {
        if (named.value == value) {
            return named.name;
        }
    }
    return "";
}

}  // namespace lum
