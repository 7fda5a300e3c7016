#ifndef LUM_TEST_CONFIGFIXTURE_H
#define LUM_TEST_CONFIGFIXTURE_H

#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "lum/config/Setting.h"
#include "lum/resource/ConfigLoader.h"

#include <boost/filesystem.hpp>

namespace lum {
namespace test {

// A fresh directory for one test's files, removed with everything in it
// when the object goes.
class TempDir {
public:
    explicit TempDir(const std::string& pattern = "glimmet-%%%%-%%%%")
        : path(boost::filesystem::temp_directory_path() / boost::filesystem::unique_path(pattern)) {
        boost::filesystem::create_directories(path);
    }

    ~TempDir() {
        boost::system::error_code ignored;
        boost::filesystem::remove_all(path, ignored);
    }

    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes `content` to `name` below the directory, making the directories
    // it needs; returns the file's path.
    std::string write(const std::string& name, const std::string& content) const {
        const boost::filesystem::path file = path / name;
        boost::filesystem::create_directories(file.parent_path());
        std::ofstream out(file.string(), std::ios::binary);
        out << content;
        return file.string();
    }

    std::string write(const std::string& name, const std::vector<unsigned char>& bytes) const {
        return write(name, std::string(bytes.begin(), bytes.end()));
    }

    const boost::filesystem::path path;
};

// A fresh temporary directory that is the working directory while the object
// lives, so that the game's relative "resources/" paths point into it.
// Removed with everything in it afterwards.
class TempResources {
public:
    TempResources()
        : previous(boost::filesystem::current_path()), root("glimmet-test-%%%%-%%%%-%%%%") {
        boost::filesystem::create_directories(root.path / "resources");
        boost::filesystem::current_path(root.path);
    }

    // The directory goes after the working directory is back where it was.
    ~TempResources() {
        boost::system::error_code ignored;
        boost::filesystem::current_path(previous, ignored);
    }

    TempResources(const TempResources&) = delete;
    TempResources& operator=(const TempResources&) = delete;

    // Writes `text` to `path` (relative to the directory), making the
    // directories it needs.
    void write(const std::string& path, const std::string& text) const { root.write(path, text); }

    // Writes `text` to `path` below "resources/".
    void writeResource(const std::string& path, const std::string& text) const {
        write("resources/" + path, text);
    }

private:
    const boost::filesystem::path previous;
    const TempDir root;
};

// An uncompressed 24-bit Targa image of one colour.
inline std::vector<unsigned char> solidTarga(int width, int height, std::uint8_t r, std::uint8_t g,
                                             std::uint8_t b) {
    // An 18-byte header: no identification, no colour map, image type 2.
    std::vector<unsigned char> tga(18, 0);
    tga[2] = 2;
    tga[12] = std::uint8_t(width & 0xFF);
    tga[13] = std::uint8_t(width >> 8);
    tga[14] = std::uint8_t(height & 0xFF);
    tga[15] = std::uint8_t(height >> 8);
    tga[16] = 24;
    for (int i = 0; i < width * height; ++i) {
        tga.push_back(b);
        tga.push_back(g);
        tga.push_back(r);
    }
    return tga;
}

// A configuration "test" with the text `text` and an empty "prototypes.cfg",
// loaded the way the game loads its configurations.
inline Setting loadText(const TempResources& resources, const std::string& text) {
    resources.writeResource("prototypes.cfg", "");
    resources.writeResource("test.cfg", text);
    return ConfigLoader::instance().load("test");
}

// A setting as the diagnostics print it.
inline std::string textOf(const Setting& value) {
    std::ostringstream out;
    value.streamTo(out);
    return out.str();
}

// Everything `file` holds, byte for byte; nothing when it cannot be read.
inline std::string contentOf(const boost::filesystem::path& file) {
    std::ifstream in(file.string(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The message of the exception of class E that `action` throws.
template <class E>
std::string failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const E& e) {
        return e.getMessage();
    }
    return "no exception";
}

// A regular expression that matches `text` literally, for death tests.
inline std::string literally(const std::string& text) {
    std::string pattern;
    for (const char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) {
            pattern += '\\';
        }
        pattern += c;
    }
    return pattern;
}

}  // namespace test
}  // namespace lum

#endif
