#ifndef LUM_TEST_CONFIGFIXTURE_H
#define LUM_TEST_CONFIGFIXTURE_H

#include <fstream>
#include <functional>
#include <string>

#include "lum/config/Setting.h"
#include "lum/resource/ConfigLoader.h"

#include <boost/filesystem.hpp>

namespace lum {
namespace test {

// A fresh temporary directory that is the working directory while the object
// lives, so that the game's relative "resources/" paths point into it.
// Removed with everything in it afterwards.
class TempResources {
public:
    TempResources()
        : previous(boost::filesystem::current_path()),
          root(boost::filesystem::temp_directory_path() /
               boost::filesystem::unique_path("glimmet-test-%%%%-%%%%-%%%%")) {
        boost::filesystem::create_directories(root / "resources");
        boost::filesystem::current_path(root);
    }

    ~TempResources() {
        boost::system::error_code ignored;
        boost::filesystem::current_path(previous, ignored);
        boost::filesystem::remove_all(root, ignored);
    }

    TempResources(const TempResources&) = delete;
    TempResources& operator=(const TempResources&) = delete;

    // Writes `text` to `path` (relative to the directory), making the
    // directories it needs.
    void write(const std::string& path, const std::string& text) const {
        const boost::filesystem::path file = root / path;
        boost::filesystem::create_directories(file.parent_path());
        std::ofstream out(file.string().c_str(), std::ios::binary);
        out << text;
    }

    // Writes `text` to `path` below "resources/".
    void writeResource(const std::string& path, const std::string& text) const {
        write("resources/" + path, text);
    }

private:
    boost::filesystem::path previous;
    boost::filesystem::path root;
};

// A configuration "test" with the text `text` and an empty "prototypes.cfg",
// loaded the way the game loads its configurations.
inline Setting loadText(const TempResources& resources, const std::string& text) {
    resources.writeResource("prototypes.cfg", "");
    resources.writeResource("test.cfg", text);
    return ConfigLoader::instance().load("test");
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
