#ifndef LUM_RENDER_GLENUMNAME_H
#define LUM_RENDER_GLENUMNAME_H

#include <string>

#include <GL/glew.h>

namespace lum {

// The name of a uniform type, shader kind or error code ("GL_FRAGMENT_SHADER");
// an empty string for any other value.
std::string glEnumName(GLenum value);

}  // namespace lum

#endif
