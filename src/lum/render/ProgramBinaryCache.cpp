#include "lum/render/ProgramBinaryCache.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include <boost/filesystem/operations.hpp>

#include "lum/util/AtomicFile.h"

namespace fs = boost::filesystem;

namespace lum {

namespace {

// A kept file: this line, then "<identity bytes> <format> <binary bytes>\n",
// then the identity, then the driver's binary.
const char* const magic = "glimmet program binary 1\n";

bool driverHandsOutPrograms() {
    if (!GLEW_VERSION_4_1 && !GLEW_ARB_get_program_binary) {
        return false;
    }
    GLint formats = 0;
    glGetIntegerv(GL_NUM_PROGRAM_BINARY_FORMATS, &formats);
    return formats > 0;
}

std::string glString(GLenum which) {
    const GLubyte* const text = glGetString(which);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

// What a kept program must have been built from: its name and sources, and
// the driver that built it.
std::string identityOf(const std::string& name, const std::string& sources) {
    return name + '\n' + glString(GL_VENDOR) + '\n' + glString(GL_RENDERER) + '\n' +
           glString(GL_VERSION) + '\n' + sources;
}

// The file's start up to the sizes that follow the identity's.
std::string headerOf(const std::string& identity) {
    return std::string(magic) + std::to_string(identity.size()) + " ";
}

std::string readWhole(const fs::path& file) {
    std::ifstream in(file.string(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Names come from the data; only plain characters make the file name.
std::string fileNameOf(const std::string& name) {
    std::string file;
    for (const char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_';
        file += plain ? c : '_';
    }
    return file + ".program";
}

}  // namespace

ProgramBinaryCache::ProgramBinaryCache(const fs::path& directory) : directory(directory) {}

bool ProgramBinaryCache::isKeeping() const {
    return !directory.empty() && driverHandsOutPrograms();
}

fs::path ProgramBinaryCache::fileOf(const std::string& name) const {
    return directory / fileNameOf(name);
}

GLuint ProgramBinaryCache::load(const std::string& name, const std::string& sources) const {
    if (!isKeeping()) {
        return 0;
    }
    const std::string kept = readWhole(fileOf(name));
    const std::string identity = identityOf(name, sources);
    const std::string header = headerOf(identity);
    if (kept.compare(0, header.size(), header) != 0) {
        return 0;
    }
    std::istringstream sizes(kept.substr(header.size(), 32));
    unsigned long format = 0;
    std::size_t length = 0;
    char newline = 0;
    if (!(sizes >> format >> length) || !sizes.get(newline) || newline != '\n') {
        return 0;
    }
    const std::size_t start = header.size() + static_cast<std::size_t>(sizes.tellg());
    const bool whole =
        kept.size() >= start + identity.size() && kept.size() - start - identity.size() == length;
    if (!whole || kept.compare(start, identity.size(), identity) != 0) {
        return 0;
    }
    const GLuint program = glCreateProgram();
    glProgramBinary(program, static_cast<GLenum>(format), kept.data() + start + identity.size(),
                    static_cast<GLsizei>(length));
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

void ProgramBinaryCache::prepareForKeeping(GLuint program) const {
    if (isKeeping()) {
        glProgramParameteri(program, GL_PROGRAM_BINARY_RETRIEVABLE_HINT, GL_TRUE);
    }
}

std::string ProgramBinaryCache::keep(const std::string& name, const std::string& sources,
                                     GLuint program) const {
    if (!isKeeping()) {
        return "";
    }
    GLint length = 0;
    glGetProgramiv(program, GL_PROGRAM_BINARY_LENGTH, &length);
    if (length <= 0) {
        return "";
    }
    std::vector<char> binary(static_cast<std::size_t>(length));
    GLenum format = 0;
    GLsizei written = 0;
    glGetProgramBinary(program, length, &written, &format, binary.data());
    const std::string identity = identityOf(name, sources);
    std::string content = headerOf(identity) + std::to_string(format) + " " +
                          std::to_string(written) + "\n" + identity;
    content.append(binary.data(), static_cast<std::size_t>(written));
    boost::system::error_code error;
    fs::create_directories(directory, error);
    if (error) {
        return directory.string() + ": " + error.message();
    }
    return writeAtomically(fileOf(name), content);
}

}  // namespace lum
