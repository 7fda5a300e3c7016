#include "ResourceRoot.h"

#include <stdexcept>

#include <boost/filesystem.hpp>

namespace lum {

namespace fs = boost::filesystem;

ResourceRoot::ResourceRoot(const fs::path& directory) : previous(fs::current_path()) {
    if (!fs::is_directory(directory)) {
        throw std::runtime_error("no directory " + directory.string());
    }
    scratch = fs::temp_directory_path() / fs::unique_path("glimmet-cfgcheck-%%%%-%%%%-%%%%");
    fs::create_directory(scratch);
    fs::create_directory_symlink(fs::canonical(directory), scratch / "resources");
    fs::current_path(scratch);
}

ResourceRoot::~ResourceRoot() {
    // Only the link and the scratch directory go; the data stays untouched.
    boost::system::error_code ignored;
    fs::current_path(previous, ignored);
    fs::remove(scratch / "resources", ignored);
    fs::remove(scratch, ignored);
}

}  // namespace lum
