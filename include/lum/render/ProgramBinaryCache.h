#ifndef LUM_RENDER_PROGRAMBINARYCACHE_H
#define LUM_RENDER_PROGRAMBINARYCACHE_H

#include <string>

#include <GL/glew.h>
#include <boost/filesystem/path.hpp>

namespace lum {

// Linked GLSL programs kept on disk between runs, one file per shader name.
// The driver's first compile in a process costs more than anything else
// before the title picture shows; a kept program is back in a millisecond.
// A program is taken back only when it was linked from exactly the same
// sources by the same driver (vendor, renderer and version), and only when
// the driver accepts it; any other file, damaged or stale, is ignored and
// overwritten later. Owned by the ShaderLoader; its calls need the context
// of a living Renderer.
class ProgramBinaryCache {
public:
    // Keeps nothing when `directory` is empty or the driver cannot hand out
    // programs; the directory is made when the first program is kept.
    explicit ProgramBinaryCache(const boost::filesystem::path& directory = {});

    bool isKeeping() const;

    // The program kept for `name` built from `sources`, or 0 when there is none.
    GLuint load(const std::string& name, const std::string& sources) const;

    // To be called before linking a program that is to be kept.
    void prepareForKeeping(GLuint program) const;
    // Writes the linked `program` of `name` for the next run. Returns what
    // went wrong, naming the file, or "" when all went well or nothing is kept.
    std::string keep(const std::string& name, const std::string& sources, GLuint program) const;

private:
    boost::filesystem::path fileOf(const std::string& name) const;

    boost::filesystem::path directory;
};

}  // namespace lum

#endif
