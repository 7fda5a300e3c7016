#include "lum/resource/ResourceLoader.h"

#include <algorithm>
#include <fstream>
#include <utility>

#include <boost/filesystem.hpp>

#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace fs = boost::filesystem;

namespace {

// The entries of `directory` in name order, so that the search does not
// depend on the file system's listing order. An unreadable directory has none.
std::vector<fs::path> sortedEntries(const fs::path& directory) {
    std::vector<fs::path> entries;
    boost::system::error_code error;
    for (fs::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
        entries.push_back(entry->path());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

// The whole file at `path` followed by `extra` unset bytes, and the file's size.
template <class Byte>
std::pair<boost::shared_array<Byte>, std::size_t> readWholeFile(const std::string& path,
                                                                std::size_t extra) {
    boost::system::error_code error;
    if (!fs::exists(path, error)) {
        throw IOException("File '" + path + "' does not exist.");
    }
    if (fs::is_directory(path, error)) {
        throw IOException("File '" + path + "' is a directory.");
    }
    // Only regular files have a size, and opening a pipe could block for ever.
    const boost::uintmax_t size = fs::file_size(path, error);
    std::ifstream in;
    if (!error) {
        in.open(path.c_str(), std::ios::in | std::ios::binary);
    }
    if (error || !in) {
        throw IOException("Could not open file '" + path + "'.");
    }
    boost::shared_array<Byte> buffer(new Byte[size + extra]);
    in.read(reinterpret_cast<char*>(buffer.get()), static_cast<std::streamsize>(size));
    if (static_cast<boost::uintmax_t>(in.gcount()) != size) {
        throw IOException("Could not read file '" + path + "'.");
    }
    return std::make_pair(buffer, static_cast<std::size_t>(size));
}

}  // namespace

ResourceLoader::ResourceLoader(const fs::path& location) {
    LUM_TRACE_BEGIN
    addResourceLocation(location);
    LUM_TRACE_END
}

void ResourceLoader::addResourceLocation(const fs::path& location) {
    LUM_TRACE_BEGIN
    locations.push_back(location);
    LUM_TRACE_END
}

std::string ResourceLoader::findFile(const std::string& name) const {
    LUM_TRACE_BEGIN
    std::string portable = name;
    std::replace(portable.begin(), portable.end(), '\\', '/');
    for (const fs::path& location : locations) {
        const std::string found = doFindFile(location, portable);
        if (!found.empty()) {
            return found;
        }
    }
    throw IOException("File " + name + " could not be found.");
    LUM_TRACE_END
}

std::string ResourceLoader::doFindFile(const fs::path& directory, const fs::path& name) const {
    LUM_TRACE_BEGIN
    boost::system::error_code error;
    if (!fs::is_directory(directory, error)) {
        return std::string();
    }
    const fs::path candidate = directory / name;
    if (fs::exists(candidate, error)) {
        if (fs::is_directory(candidate, error)) {
            throw IOException("File " + candidate.string() + " is a directory.");
        }
        return candidate.string();
    }
    for (const fs::path& entry : sortedEntries(directory)) {
        // Linked directories are not entered: a link back up the tree would
        // make the search endless.
        if (fs::is_symlink(entry, error)) {
            continue;
        }
        const std::string found = doFindFile(entry, name);
        if (!found.empty()) {
            return found;
        }
    }
    return std::string();
    LUM_TRACE_END
}

BinaryFile ResourceLoader::loadBinaryFile(const std::string& name) const {
    LUM_TRACE_BEGIN
    const std::string path = findFile(name);
    const std::pair<boost::shared_array<unsigned char>, std::size_t> read =
        readWholeFile<unsigned char>(path, 0);
    return BinaryFile{read.first, read.second, path};
    LUM_TRACE_END
}

TextFile ResourceLoader::loadTextFile(const std::string& name) const {
    LUM_TRACE_BEGIN
    const std::pair<boost::shared_array<char>, std::size_t> read =
        readWholeFile<char>(findFile(name), 1);
    read.first[read.second] = '\0';
    return TextFile{read.first, read.second + 1};
    LUM_TRACE_END
}

}  // namespace lum
