#ifndef GLIMMET_CFGCHECK_RESOURCEROOT_H
#define GLIMMET_CFGCHECK_RESOURCEROOT_H

#include <boost/filesystem/path.hpp>

namespace lum {

// The game finds its data below "resources" in the working directory. While
// this object lives, the working directory is a scratch directory whose
// "resources" is a link to the directory being checked, so every path in a
// message reads as it would in the game.
class ResourceRoot {
public:
    // Throws std::runtime_error when `directory` is no directory.
    explicit ResourceRoot(const boost::filesystem::path& directory);
    ~ResourceRoot();

    ResourceRoot(const ResourceRoot&) = delete;
    ResourceRoot& operator=(const ResourceRoot&) = delete;

private:
    boost::filesystem::path previous;
    boost::filesystem::path scratch;
};

}  // namespace lum

#endif
