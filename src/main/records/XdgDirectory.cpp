#include "records/XdgDirectory.h"

#include <cstdlib>

namespace fs = boost::filesystem;

namespace lum {

namespace {

const char* const gameDirectory = "glimmet";

}  // namespace

fs::path xdgDirectory(const char* xdgValue, const char* home, const fs::path& underHome) {
    if (xdgValue != nullptr && fs::path(xdgValue).is_absolute()) {
        return fs::path(xdgValue) / gameDirectory;
    }
    if (home != nullptr && *home != '\0') {
        return fs::path(home) / underHome / gameDirectory;
    }
    return fs::path();
}

fs::path programCacheDirectory() {
    const fs::path cache =
        xdgDirectory(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"), ".cache");
    return cache.empty() ? cache : cache / "programs";
}

}  // namespace lum
