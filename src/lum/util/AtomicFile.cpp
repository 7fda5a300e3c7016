#include "lum/util/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <boost/filesystem/operations.hpp>

namespace fs = boost::filesystem;

namespace lum {

namespace {

const char* const temporaryMark = ".tmp-";

fs::path temporaryOf(const fs::path& target, long pid) {
    return target.string() + temporaryMark + std::to_string(pid);
}

// The process a temporary of `target` named `name` belongs to; 0 when the
// name is not one of its temporaries.
long ownerOf(const std::string& name, const fs::path& target) {
    const std::string prefix = target.filename().string() + temporaryMark;
    if (name.compare(0, prefix.size(), prefix) != 0 || name.size() == prefix.size() ||
        name.size() - prefix.size() > 9 ||
        name.find_first_not_of("0123456789", prefix.size()) != std::string::npos) {
        return 0;
    }
    return std::stol(name.substr(prefix.size()));
}

bool isGone(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// A writer killed before its rename leaves its temporary behind; each one
// would stay in the player's directory for good.
void removeTemporariesOfTheDead(const fs::path& target) {
    boost::system::error_code error;
    fs::directory_iterator each(target.parent_path().empty() ? "." : target.parent_path(), error);
    for (; !error && each != fs::directory_iterator(); each.increment(error)) {
        const long owner = ownerOf(each->path().filename().string(), target);
        if (owner > 0 && isGone(owner)) {
            boost::system::error_code ignored;
            fs::remove(each->path(), ignored);
        }
    }
}

// The rename is only lasting once the directory that holds it is on disk.
void syncDirectoryOf(const fs::path& target) {
    const std::string directory =
        target.parent_path().empty() ? std::string(".") : target.parent_path().string();
    const int handle = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

}  // namespace

std::string writeAtomically(const fs::path& target, const std::string& content) {
    removeTemporariesOfTheDead(target);
    const fs::path temporary = temporaryOf(target, ::getpid());
    std::FILE* const file = std::fopen(temporary.c_str(), "w");
    if (file == nullptr) {
        return temporary.string() + ": " + std::strerror(errno);
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size() &&
                         std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && !closed) {
        writeError = errno;
    }
    boost::system::error_code error;
    if (written && closed) {
        fs::rename(temporary, target, error);
        if (!error) {
            syncDirectoryOf(target);
            return "";
        }
    }
    const std::string problem = error ? error.message() : std::strerror(writeError);
    fs::remove(temporary, error);
    return temporary.string() + ": " + problem;
}

}  // namespace lum
