#ifndef LUM_UTIL_ATOMICFILE_H
#define LUM_UTIL_ATOMICFILE_H

#include <string>

#include <boost/filesystem/path.hpp>

namespace lum {

// Writes `content` to `target` so that the file is either the old one or the
// whole new one, whatever happens meanwhile (a crash, a full disk, another
// process writing the same file). The directory must exist. Returns what
// went wrong, naming the file, or "" when all went well.
std::string writeAtomically(const boost::filesystem::path& target, const std::string& content);

}  // namespace lum

#endif
