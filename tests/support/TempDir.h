#ifndef GLIMMET_TESTS_TEMPDIR_H
#define GLIMMET_TESTS_TEMPDIR_H

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include <boost/filesystem.hpp>

// A fresh directory for one test's files, removed with the object.
class TempDir {
public:
    TempDir() : path(boost::filesystem::temp_directory_path() / boost::filesystem::unique_path("glimmet-%%%%-%%%%")) {
        boost::filesystem::create_directories(path);
    }
    ~TempDir() {
        boost::system::error_code ignored;
        boost::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes `content` to `name` below the directory (creating subdirectories).
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

// An uncompressed 24-bit Targa image of one colour.
inline std::vector<unsigned char> solidTarga(int width, int height, std::uint8_t r, std::uint8_t g,
                                             std::uint8_t b) {
    std::vector<unsigned char> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                      std::uint8_t(width & 0xFF), std::uint8_t(width >> 8),
                                      std::uint8_t(height & 0xFF), std::uint8_t(height >> 8),
                                      24, 0};
    for (int i = 0; i < width * height; ++i) {
        tga.push_back(b);
        tga.push_back(g);
        tga.push_back(r);
    }
    return tga;
}

#endif
