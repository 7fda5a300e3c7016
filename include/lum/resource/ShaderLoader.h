#ifndef LUM_RESOURCE_SHADERLOADER_H
#define LUM_RESOURCE_SHADERLOADER_H

#include <map>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <boost/shared_ptr.hpp>

#include "lum/render/ProgramBinaryCache.h"
#include "lum/resource/ResourceLoader.h"
#include "lum/util/Log.h"
#include "lum/util/Singleton.h"

namespace lum {

class Shader;
class Uniform;

// Builds GLSL programs from "<name>.vert" and "<name>.frag" below
// "resources/shaders" and caches them by name for the whole run. Needs a
// living Renderer. Loading "simple" also makes the cel-shading ramp, which
// stays bound to the 1D target of texture unit 0. With a program cache the
// linked programs are also kept on disk, and a later run takes them back
// instead of compiling.
class ShaderLoader : public Singleton<ShaderLoader, 0>, public ResourceLoader {
public:
    explicit ShaderLoader(const boost::filesystem::path& location = "resources/shaders");

    boost::shared_ptr<Shader> load(const std::string& name);
    // Keeps linked programs in `directory` from now on (empty: nowhere, as
    // at the start). Allowed at any time.
    void setProgramCache(const boost::filesystem::path& directory);
    // Forgets every cached object: they belong to the OpenGL context that the
    // renderer is about to close.
    void clearCache();

private:
    // A linked program and the shaders compiled for it (none when it came
    // from the program cache).
    struct Program {
        GLuint program = 0;
        GLuint vertexShader = 0;
        GLuint fragmentShader = 0;
    };

    Program build(const std::string& name, const char* vertexSource, const char* fragmentSource);
    void keep(const std::string& name, const std::string& sources, GLuint program);
    GLuint createShader(GLenum type, const std::string& name, const char* source);
    GLuint linkProgram(const std::string& name, GLuint vertexShader, GLuint fragmentShader);
    void getUniforms(GLuint program, std::vector<boost::shared_ptr<Uniform>>& out);
    std::string getShaderInfoLog(GLuint shader);
    std::string getProgramInfoLog(GLuint program);
    void setupCelShading();

    Log log;
    std::map<std::string, boost::shared_ptr<Shader>> cache;
    ProgramBinaryCache programs;
    bool keepFailureTold;
};

}  // namespace lum

#endif
