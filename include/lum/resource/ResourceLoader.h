#ifndef LUM_RESOURCE_RESOURCELOADER_H
#define LUM_RESOURCE_RESOURCELOADER_H

#include <cstddef>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>
#include <boost/shared_array.hpp>

namespace lum {

// A whole file's bytes and the path they were read from.
struct BinaryFile {
    boost::shared_array<unsigned char> data;
    std::size_t size;
    std::string path;
};

// A whole file's bytes followed by one NUL; size counts the NUL.
struct TextFile {
    boost::shared_array<char> data;
    std::size_t size;
};

// Finds data files by name below one or more resource locations and reads
// them whole. Nothing is cached: every call searches and reads again.
class ResourceLoader {
public:
    // Relative locations are taken relative to the working directory at each
    // search, not at construction.
    explicit ResourceLoader(const boost::filesystem::path& location);

    // Nothing is checked: a location that does not exist never finds anything.
    void addResourceLocation(const boost::filesystem::path& location);

    // The path of the first file called `name` below the locations, searched
    // in the order they were added, each depth first with directory entries
    // in name order; a file directly in a directory wins over deeper ones.
    // `name` may hold directories, separated by "/" or "\".
    // IOException when nothing is found or the name is a directory.
    std::string findFile(const std::string& name) const;

    BinaryFile loadBinaryFile(const std::string& name) const;
    TextFile loadTextFile(const std::string& name) const;

private:
    // The path found below `directory`, or empty when there is none.
    std::string doFindFile(const boost::filesystem::path& directory,
                           const boost::filesystem::path& name) const;

    std::vector<boost::filesystem::path> locations;
};

}  // namespace lum

#endif
