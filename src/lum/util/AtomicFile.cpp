#include "lum/util/AtomicFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <boost/filesystem/operations.hpp>

namespace fs = boost::filesystem;

namespace lum {

std::string writeAtomically(const fs::path& target, const std::string& content) {
    const fs::path temporary = target.string() + ".tmp-" + std::to_string(::getpid());
    std::FILE* const file = std::fopen(temporary.c_str(), "w");
    if (file == nullptr) {
        return temporary.string() + ": " + std::strerror(errno);
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size() &&
                         std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    boost::system::error_code error;
    if (written && closed) {
        fs::rename(temporary, target, error);
        if (!error) {
            return "";
        }
    }
    const std::string problem = error ? error.message() : std::strerror(writeError);
    fs::remove(temporary, error);
    return temporary.string() + ": " + problem;
}

}  // namespace lum
