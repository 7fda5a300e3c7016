#include "lum/resource/ShaderLoader.h"

#include <cstdlib>
#include <fstream>

#include "lum/render/GLEnumName.h"
#include "lum/render/Renderer.h"
#include "lum/render/Shader.h"
#include "lum/render/Uniform.h"
#include "lum/scene/Material.h"
#include "lum/util/Assert.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const int rampSize = 32;
const std::size_t rampLineLength = 255;

// The ramp file: one brightness per line, read the way atof reads (the
// leading number, 0 without one); texels without a line stay black.
std::vector<GLfloat> readRamp(std::istream& in) {
    std::vector<GLfloat> ramp(3 * rampSize, 0.0f);
    std::string line;
    for (int i = 0; i < rampSize && std::getline(in, line); ++i) {
        const float v = static_cast<float>(std::atof(line.substr(0, rampLineLength).c_str()));
        ramp[3 * i] = ramp[3 * i + 1] = ramp[3 * i + 2] = v;
    }
    return ramp;
}

// A shader's or a program's info log, read with that object's own length
// query and log call; empty when the driver has nothing to say.
template <class QueryLength, class ReadLog>
std::string readInfoLog(GLuint object, QueryLength queryLength, ReadLog readLog) {
    GLint length = 0;
    queryLength(object, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1) {
        return "";
    }
    std::vector<GLchar> text(length);
    readLog(object, length, nullptr, text.data());
    return std::string(text.data());
}

void uploadRamp(const std::vector<GLfloat>& ramp) {
    glEnable(GL_TEXTURE_1D);
    GLuint id = 0;
    glGenTextures(1, &id);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_1D, id);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, rampSize, 0, GL_RGB, GL_FLOAT, ramp.data());
}

}  // namespace

ShaderLoader::ShaderLoader(const boost::filesystem::path& location)
    : ResourceLoader(location), log("ShaderLoader"), keepFailureTold(false) {}

void ShaderLoader::setProgramCache(const boost::filesystem::path& directory) {
    programs = ProgramBinaryCache(directory);
    keepFailureTold = false;
}

boost::shared_ptr<Shader> ShaderLoader::load(const std::string& name) {
    LUM_TRACE_BEGIN
    const auto cached = cache.find(name);
    if (cached != cache.end()) {
        return cached->second;
    }
    LUM_ASSERT(Renderer::isInitialized());
    const TextFile vertexText = loadTextFile(name + ".vert");
    const TextFile fragmentText = loadTextFile(name + ".frag");
    const Program built = build(name, vertexText.data.get(), fragmentText.data.get());
    std::vector<boost::shared_ptr<Uniform>> uniforms;
    getUniforms(built.program, uniforms);
    const boost::shared_ptr<Shader> shader(
        new Shader(name, built.program, built.vertexShader, built.fragmentShader, uniforms));
    cache[name] = shader;
    if (name == "simple") {
        setupCelShading();
    }
    return shader;
    LUM_TRACE_END
}

ShaderLoader::Program ShaderLoader::build(const std::string& name, const char* vertexSource,
                                          const char* fragmentSource) {
    LUM_TRACE_BEGIN
    const std::string sources = std::string(vertexSource) + '\0' + fragmentSource;
    Program built;
    built.program = programs.load(name, sources);
    if (built.program != 0) {
        log.info("Shader " + name + " taken from the program cache.");
        return built;
    }
    built.vertexShader = createShader(GL_VERTEX_SHADER, name, vertexSource);
    built.fragmentShader = createShader(GL_FRAGMENT_SHADER, name, fragmentSource);
    built.program = linkProgram(name, built.vertexShader, built.fragmentShader);
    keep(name, sources, built.program);
    return built;
    LUM_TRACE_END
}

// A program that cannot be kept still works: the next run compiles again.
void ShaderLoader::keep(const std::string& name, const std::string& sources, GLuint program) {
    const std::string problem = programs.keep(name, sources, program);
    if (!problem.empty() && !keepFailureTold) {
        log.warning("Shader programs are not kept for the next start: " + problem);
        keepFailureTold = true;
    }
}

GLuint ShaderLoader::createShader(GLenum type, const std::string& name, const char* source) {
    LUM_TRACE_BEGIN
    const GLuint id = glCreateShader(type);
    glShaderSource(id, 1, &source, nullptr);
    glCompileShader(id);
    const std::string infoLog = getShaderInfoLog(id);
    const std::string kind = glEnumName(type);
    GLint status = 0;
    glGetShaderiv(id, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE) {
        throw GLException(kind + " " + name + " could not be compiled.\n" + infoLog);
    }
    log.info("Shader " + name + " : " + kind + " compiled successfully.");
    return id;
    LUM_TRACE_END
}

GLuint ShaderLoader::linkProgram(const std::string& name, GLuint vertexShader,
                                 GLuint fragmentShader) {
    LUM_TRACE_BEGIN
    const GLuint program = glCreateProgram();
    programs.prepareForKeeping(program);
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    const std::string linkLog = getProgramInfoLog(program);
    GLint status = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != GL_TRUE) {
        throw GLException("Shader " + name + " could not be compiled.\n" + linkLog);
    }
    log.info("Shader " + name + " linked successfully.\n" + linkLog);
    // The validation result is only reported: a program that fails it is still used.
    glValidateProgram(program);
    log.info("Shader " + name + " validated.\n" + getProgramInfoLog(program));
    return program;
    LUM_TRACE_END
}

void ShaderLoader::getUniforms(GLuint program, std::vector<boost::shared_ptr<Uniform>>& out) {
    LUM_TRACE_BEGIN
    GLint count = 0;
    GLint maxLength = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    glGetProgramiv(program, GL_ACTIVE_UNIFORM_MAX_LENGTH, &maxLength);
    std::vector<GLchar> nameBuffer(std::max(maxLength, 1));
    for (GLint i = 0; i < count; ++i) {
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, i, static_cast<GLsizei>(nameBuffer.size()), &length, &size,
                           &type, nameBuffer.data());
        const std::string uniformName(nameBuffer.data(), length);
        const GLint location = glGetUniformLocation(program, uniformName.c_str());
        out.push_back(Uniform::make(type, uniformName, location));
    }
    LUM_TRACE_END
}

std::string ShaderLoader::getShaderInfoLog(GLuint shader) {
    LUM_TRACE_BEGIN
    const std::string text = readInfoLog(shader, glGetShaderiv, glGetShaderInfoLog);
    return text.empty() ? text : "OpenGL errors: " + text;
    LUM_TRACE_END
}

std::string ShaderLoader::getProgramInfoLog(GLuint program) {
    LUM_TRACE_BEGIN
    return readInfoLog(program, glGetProgramiv, glGetProgramInfoLog);
    LUM_TRACE_END
}

void ShaderLoader::setupCelShading() {
    LUM_TRACE_BEGIN
    std::string path;
    try {
        path = findFile("celShaderTex");
    } catch (const IOException&) {
        return;  // no ramp: "simple" still works, only unshaded
    }
    std::ifstream in(path);
    if (!in) {
        return;
    }
    uploadRamp(readRamp(in));
    const boost::shared_ptr<Material> material = cache["simple"]->createMaterial("material");
    material->getUniform("celShade")->asInt().setValue(0);
    LUM_TRACE_END
}

void ShaderLoader::clearCache() {
    cache.clear();
}

}  // namespace lum
