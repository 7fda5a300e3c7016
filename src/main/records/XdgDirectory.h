#ifndef GLIMMET_XDGDIRECTORY_H
#define GLIMMET_XDGDIRECTORY_H

#include <boost/filesystem/path.hpp>

namespace lum {

// The game's own directory of one kind for this user, by the XDG base
// directory rules: `xdgValue`/glimmet when that is an absolute path (a
// relative one is invalid and ignored), otherwise `home`/`underHome`/glimmet;
// empty when neither is known. The values are the variables', null when unset.
boost::filesystem::path xdgDirectory(const char* xdgValue, const char* home,
                                     const boost::filesystem::path& underHome);

// Where linked shader programs are kept between runs: $XDG_CACHE_HOME/glimmet
// or ~/.cache/glimmet, then "programs"; empty when neither is known.
boost::filesystem::path programCacheDirectory();

}  // namespace lum

#endif
