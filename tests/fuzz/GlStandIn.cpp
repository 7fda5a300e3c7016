// Stands in for OpenGL where the level fuzzer has no context and no window:
// the GL 1.1 entry points are defined here (the program's own definitions
// win over the system library's), and glewInit points GLEW's entry points
// at the rest. Objects get names; buffers get storage of the size asked for,
// so that a write past its end is seen by AddressSanitizer; a program reports
// the uniforms its shaders' sources declare, as a driver would report them
// active.

#include <GL/glew.h>

#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

struct UniformEntry {
    std::string name;
    GLenum type;
};

struct Program {
    std::vector<GLuint> shaders;
    std::vector<UniformEntry> uniforms;
};

GLuint lastName = 0;
std::map<GLuint, std::string> shaderSources;
std::map<GLuint, Program> programs;
std::map<GLenum, GLuint> boundBuffers;
std::map<GLuint, std::vector<unsigned char>> bufferStorage;

GLuint nextName() {
    return ++lastName;
}

void nameObjects(GLsizei count, GLuint* names) {
    for (GLsizei i = 0; i < count; ++i) {
        names[i] = nextName();
    }
}

GLenum typeOf(const std::string& glsl) {
    static const std::map<std::string, GLenum> types = {
        {"float", GL_FLOAT},          {"vec3", GL_FLOAT_VEC3},      {"vec4", GL_FLOAT_VEC4},
        {"mat3", GL_FLOAT_MAT3},      {"mat4", GL_FLOAT_MAT4},      {"int", GL_INT},
        {"sampler1D", GL_SAMPLER_1D}, {"sampler2D", GL_SAMPLER_2D},
    };
    const auto found = types.find(glsl);
    return found == types.end() ? 0 : found->second;
}

std::string withoutComments(const std::string& source) {
    return std::regex_replace(std::regex_replace(source, std::regex("//[^\n]*"), ""),
                              std::regex("/\\*[\\s\\S]*?\\*/"), "");
}

int arrayLength(const std::string& text, const std::map<std::string, int>& defines) {
    if (text.empty()) {
        return 0;
    }
    const auto defined = defines.find(text);
    return defined != defines.end() ? defined->second : std::stoi(text);
}

// The uniforms a source declares, structures and arrays of them spelled out
// member by member and element by element, as drivers list them.
void declaredUniforms(const std::string& commented, std::vector<UniformEntry>& out) {
    const std::string source = withoutComments(commented);
    std::map<std::string, int> defines;
    const std::regex define("(?:#define\\s+|const\\s+int\\s+)(\\w+)\\s*=?\\s*(\\d+)");
    for (std::sregex_iterator m(source.begin(), source.end(), define), end; m != end; ++m) {
        defines[(*m)[1]] = std::stoi((*m)[2]);
    }
    std::map<std::string, std::vector<UniformEntry>> structs;
    const std::regex structure("struct\\s+(\\w+)\\s*\\{([^}]*)\\}");
    const std::regex member("(\\w+)\\s+(\\w+)\\s*;");
    for (std::sregex_iterator m(source.begin(), source.end(), structure), end; m != end; ++m) {
        const std::string body = (*m)[2];
        for (std::sregex_iterator f(body.begin(), body.end(), member); f != end; ++f) {
            structs[(*m)[1]].push_back({(*f)[2], typeOf((*f)[1])});
        }
    }
    const std::regex uniform("uniform\\s+(\\w+)\\s+(\\w+)\\s*(?:\\[\\s*(\\w+)\\s*\\])?\\s*;");
    for (std::sregex_iterator m(source.begin(), source.end(), uniform), end; m != end; ++m) {
        const std::string name = (*m)[2];
        const int length = arrayLength((*m)[3], defines);
        const auto members = structs.find((*m)[1]);
        for (int element = 0; element < std::max(length, 1); ++element) {
            const std::string base =
                length == 0 ? name : name + "[" + std::to_string(element) + "]";
            if (members == structs.end()) {
                out.push_back({base, typeOf((*m)[1])});
                continue;
            }
            for (const UniformEntry& field : members->second) {
                out.push_back({base + "." + field.name, field.type});
            }
        }
    }
}

void copyName(const std::string& name, GLsizei room, GLsizei* length, GLchar* out) {
    const std::size_t written = std::min<std::size_t>(name.size(), room > 0 ? room - 1 : 0);
    std::memcpy(out, name.data(), written);
    if (room > 0) {
        out[written] = '\0';
    }
    if (length != nullptr) {
        *length = static_cast<GLsizei>(written);
    }
}

std::size_t longestUniform(const Program& program) {
    std::size_t longest = 0;
    for (const UniformEntry& entry : program.uniforms) {
        longest = std::max(longest, entry.name.size() + 1);
    }
    return longest;
}

// GLEW's entry points.

void GLAPIENTRY genNames(GLsizei count, GLuint* names) {
    nameObjects(count, names);
}
void GLAPIENTRY forgetBuffers(GLsizei count, const GLuint* names) {
    for (GLsizei i = 0; i < count; ++i) {
        bufferStorage.erase(names[i]);
    }
}
void GLAPIENTRY forgetNames(GLsizei, const GLuint*) {}
void GLAPIENTRY bindBuffer(GLenum target, GLuint buffer) {
    boundBuffers[target] = buffer;
}
void GLAPIENTRY bufferData(GLenum target, GLsizeiptr size, const void* data, GLenum) {
    std::vector<unsigned char>& storage = bufferStorage[boundBuffers[target]];
    storage.assign(static_cast<std::size_t>(size), 0);
    if (data != nullptr && size > 0) {
        std::memcpy(storage.data(), data, static_cast<std::size_t>(size));
    }
}
void GLAPIENTRY bufferSubData(GLenum target, GLintptr offset, GLsizeiptr size, const void* data) {
    std::vector<unsigned char>& storage = bufferStorage[boundBuffers[target]];
    std::memcpy(storage.data() + offset, data, static_cast<std::size_t>(size));
}
GLuint GLAPIENTRY createShader(GLenum) {
    return nextName();
}
void GLAPIENTRY shaderSource(GLuint shader, GLsizei count, const GLchar* const* strings,
                             const GLint* lengths) {
    std::string& source = shaderSources[shader];
    source.clear();
    for (GLsizei i = 0; i < count; ++i) {
        source += lengths == nullptr || lengths[i] < 0 ? std::string(strings[i])
                                                       : std::string(strings[i], lengths[i]);
    }
}
void GLAPIENTRY compileShader(GLuint) {}
void GLAPIENTRY getShaderiv(GLuint, GLenum name, GLint* value) {
    *value = name == GL_COMPILE_STATUS ? GL_TRUE : 0;
}
void GLAPIENTRY getInfoLog(GLuint, GLsizei room, GLsizei* length, GLchar* log) {
    copyName("", room, length, log);
}
GLuint GLAPIENTRY createProgram() {
    const GLuint name = nextName();
    programs[name] = Program();
    return name;
}
void GLAPIENTRY attachShader(GLuint program, GLuint shader) {
    programs[program].shaders.push_back(shader);
}
void GLAPIENTRY linkProgram(GLuint name) {
    Program& program = programs[name];
    program.uniforms.clear();
    for (const GLuint shader : program.shaders) {
        declaredUniforms(shaderSources[shader], program.uniforms);
    }
}
void GLAPIENTRY getProgramiv(GLuint name, GLenum what, GLint* value) {
    const Program& program = programs[name];
    switch (what) {
        case GL_LINK_STATUS:
        case GL_VALIDATE_STATUS:
            *value = GL_TRUE;
            return;
        case GL_ACTIVE_UNIFORMS:
            *value = static_cast<GLint>(program.uniforms.size());
            return;
        case GL_ACTIVE_UNIFORM_MAX_LENGTH:
            *value = static_cast<GLint>(longestUniform(program));
            return;
        default:
            *value = 0;
    }
}
void GLAPIENTRY getActiveUniform(GLuint name, GLuint index, GLsizei room, GLsizei* length,
                                 GLint* size, GLenum* type, GLchar* out) {
    const UniformEntry& entry = programs[name].uniforms.at(index);
    copyName(entry.name, room, length, out);
    *size = 1;
    *type = entry.type;
}
GLint GLAPIENTRY uniformLocation(GLuint name, const GLchar* uniform) {
    const std::vector<UniformEntry>& uniforms = programs[name].uniforms;
    for (std::size_t i = 0; i < uniforms.size(); ++i) {
        if (uniforms[i].name == uniform) {
            return static_cast<GLint>(i);
        }
    }
    return -1;
}
GLint GLAPIENTRY attribLocation(GLuint, const GLchar*) {
    return 0;
}
void GLAPIENTRY noName(GLuint) {}
void GLAPIENTRY noEnum(GLenum) {}
void GLAPIENTRY pointer(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*) {}
void GLAPIENTRY integerPointer(GLuint, GLint, GLenum, GLsizei, const void*) {}
void GLAPIENTRY attrib2f(GLuint, GLfloat, GLfloat) {}
void GLAPIENTRY attrib3f(GLuint, GLfloat, GLfloat, GLfloat) {}
void GLAPIENTRY uniform1i(GLint, GLint) {}
void GLAPIENTRY uniform1ui(GLint, GLuint) {}
void GLAPIENTRY uniform1f(GLint, GLfloat) {}
void GLAPIENTRY uniformfv(GLint, GLsizei, const GLfloat*) {}
void GLAPIENTRY uniformMatrix(GLint, GLsizei, GLboolean, const GLfloat*) {}
void GLAPIENTRY programParameter(GLuint, GLenum, GLint) {}

void pointGlewAtStandIns() {
    __glewActiveTexture = &noEnum;
    __glewAttachShader = &attachShader;
    __glewBindBuffer = &bindBuffer;
    __glewBindVertexArray = &noName;
    __glewBufferData = &bufferData;
    __glewBufferSubData = &bufferSubData;
    __glewCompileShader = &compileShader;
    __glewCreateProgram = &createProgram;
    __glewCreateShader = &createShader;
    __glewDeleteBuffers = &forgetBuffers;
    __glewDeleteProgram = &noName;
    __glewDeleteShader = &noName;
    __glewDeleteVertexArrays = &forgetNames;
    __glewEnableVertexAttribArray = &noName;
    __glewGenBuffers = &genNames;
    __glewGenVertexArrays = &genNames;
    __glewGetActiveUniform = &getActiveUniform;
    __glewGetAttribLocation = &attribLocation;
    __glewGetProgramInfoLog = &getInfoLog;
    __glewGetProgramiv = &getProgramiv;
    __glewGetShaderInfoLog = &getInfoLog;
    __glewGetShaderiv = &getShaderiv;
    __glewGetUniformLocation = &uniformLocation;
    __glewLinkProgram = &linkProgram;
    __glewProgramParameteri = &programParameter;
    __glewShaderSource = &shaderSource;
    __glewUniform1f = &uniform1f;
    __glewUniform1i = &uniform1i;
    __glewUniform1ui = &uniform1ui;
    __glewUniform2fv = &uniformfv;
    __glewUniform3fv = &uniformfv;
    __glewUniform4fv = &uniformfv;
    __glewUniformMatrix3fv = &uniformMatrix;
    __glewUniformMatrix4fv = &uniformMatrix;
    __glewUseProgram = &noName;
    __glewValidateProgram = &noName;
    __glewVertexAttrib2f = &attrib2f;
    __glewVertexAttrib3f = &attrib3f;
    __glewVertexAttribIPointer = &integerPointer;
    __glewVertexAttribPointer = &pointer;
}

}  // namespace

// The system library's entry points, replaced.
extern "C" {

GLenum GLEWAPIENTRY glewInit() {
    pointGlewAtStandIns();
    return GLEW_OK;
}

void GLAPIENTRY glBegin(GLenum) {}
void GLAPIENTRY glEnd() {}
void GLAPIENTRY glBindTexture(GLenum, GLuint) {}
void GLAPIENTRY glBlendFunc(GLenum, GLenum) {}
void GLAPIENTRY glClear(GLbitfield) {}
void GLAPIENTRY glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) {}
void GLAPIENTRY glClearDepth(GLclampd) {}
void GLAPIENTRY glColor3f(GLfloat, GLfloat, GLfloat) {}
void GLAPIENTRY glColor4f(GLfloat, GLfloat, GLfloat, GLfloat) {}
void GLAPIENTRY glCullFace(GLenum) {}
void GLAPIENTRY glDeleteTextures(GLsizei, const GLuint*) {}
void GLAPIENTRY glDepthMask(GLboolean) {}
void GLAPIENTRY glDisable(GLenum) {}
void GLAPIENTRY glDrawArrays(GLenum, GLint, GLsizei) {}
void GLAPIENTRY glEnable(GLenum) {}
void GLAPIENTRY glFrontFace(GLenum) {}
void GLAPIENTRY glGenTextures(GLsizei count, GLuint* names) {
    nameObjects(count, names);
}
void GLAPIENTRY glGetIntegerv(GLenum, GLint* value) {
    *value = 0;
}
const GLubyte* GLAPIENTRY glGetString(GLenum) {
    return reinterpret_cast<const GLubyte*>("stand-in");
}
void GLAPIENTRY glLineWidth(GLfloat) {}
void GLAPIENTRY glPixelStorei(GLenum, GLint) {}
void GLAPIENTRY glPolygonMode(GLenum, GLenum) {}
void GLAPIENTRY glPolygonOffset(GLfloat, GLfloat) {}
void GLAPIENTRY glTexEnvf(GLenum, GLenum, GLfloat) {}
void GLAPIENTRY glTexImage1D(GLenum, GLint, GLint, GLsizei, GLint, GLenum, GLenum, const void*) {}
void GLAPIENTRY glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum,
                             const void*) {}
void GLAPIENTRY glTexParameterf(GLenum, GLenum, GLfloat) {}
void GLAPIENTRY glTexParameteri(GLenum, GLenum, GLint) {}
void GLAPIENTRY glViewport(GLint, GLint, GLsizei, GLsizei) {}
}
