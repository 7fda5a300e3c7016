#ifndef LUM_RESOURCE_SHADERLOADER_H
#define LUM_RESOURCE_SHADERLOADER_H

#include <map>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <boost/shared_ptr.hpp>

#include "lum/resource/ResourceLoader.h"
#include "lum/util/Log.h"
#include "lum/util/Singleton.h"

namespace lum {

class Shader;
class Uniform;

// Builds GLSL programs from "<name>.vert" and "<name>.frag" below
// "resources/shaders" and caches them by name for the whole run. Needs a
// living Renderer. Loading "simple" also makes the cel-shading ramp, which
// stays bound to the 1D target of texture unit 0.
class ShaderLoader : public Singleton<ShaderLoader, 0>, public ResourceLoader {
public:
    explicit ShaderLoader(const boost::filesystem::path& location = "resources/shaders");

    boost::shared_ptr<Shader> load(const std::string& name);
    // Forgets every cached object: they belong to the OpenGL context that the
    // renderer is about to close.
    void clearCache();

private:
    GLuint createShader(GLenum type, const std::string& name, const char* source);
    GLuint linkProgram(const std::string& name, GLuint vertexShader, GLuint fragmentShader);
    void getUniforms(GLuint program, std::vector<boost::shared_ptr<Uniform>>& out);
    std::string getShaderInfoLog(GLuint shader);
    std::string getProgramInfoLog(GLuint program);
    void setupCelShading();

    Log log;
    std::map<std::string, boost::shared_ptr<Shader>> cache;
};

}  // namespace lum

#endif
