#include "lum/resource/FileStamp.h"

#include <sys/stat.h>

namespace lum {

namespace {

const std::int64_t nanosecondsPerSecond = 1000000000;

}  // namespace

boost::optional<FileStamp> FileStamp::of(const std::string& path) {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return boost::none;
    }
    return FileStamp{status.st_mtim.tv_sec * nanosecondsPerSecond + status.st_mtim.tv_nsec,
                     static_cast<std::uintmax_t>(status.st_size)};
}

bool FileStamp::operator==(const FileStamp& other) const {
    return modifiedNanoseconds == other.modifiedNanoseconds && size == other.size;
}

bool FileStamp::operator!=(const FileStamp& other) const {
    return !(*this == other);
}

}  // namespace lum
