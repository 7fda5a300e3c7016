#ifndef LUM_RESOURCE_FILESTAMP_H
#define LUM_RESOURCE_FILESTAMP_H

#include <cstdint>
#include <string>

#include <boost/optional.hpp>

namespace lum {

// When a file was last written and how long it is: a file saved twice in
// one second still reads as changed.
struct FileStamp {
    std::int64_t modifiedNanoseconds;
    std::uintmax_t size;

    // The stamp of the regular file at `path`; none when there is no such file.
    static boost::optional<FileStamp> of(const std::string& path);

    bool operator==(const FileStamp& other) const;
    bool operator!=(const FileStamp& other) const;
};

}  // namespace lum

#endif
