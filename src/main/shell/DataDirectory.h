#ifndef GLIMMET_DATADIRECTORY_H
#define GLIMMET_DATADIRECTORY_H

#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "lum/util/Exception.h"

namespace lum {

// Every place the game's data may be, in the order they are asked.
struct DataSources {
    // --data DIR; empty when not given.
    std::string option;
    // $GLIMMET_DATA; empty when unset.
    std::string environment;
    boost::filesystem::path workingDirectory;
    // Where an installation puts the data: relative to the program's bin/,
    // then below the install prefix the program was built for.
    std::vector<boost::filesystem::path> installed;
    // The directory the program lies in; it and its parent are a build tree's.
    boost::filesystem::path programDirectory;
};

// No data where the player pointed, or none anywhere; the message is one
// line that names the places and how to point at the data.
class DataNotFound : public Exception {
public:
    using Exception::Exception;
};

// Finds the directory that holds the game's "resources/". The loaders take
// their files from "resources/..." relative to the working directory, so the
// game enters that directory before it loads anything.
class DataDirectory {
public:
    static const char* const environmentVariable;

    // The sources of this process: its environment, working directory,
    // executable and install prefix, with `option` from the command line.
    static DataSources sourcesOf(const std::string& option);
    // The first source that holds the data. A directory given with --data or
    // $GLIMMET_DATA must hold it. Throws DataNotFound.
    static boost::filesystem::path find(const DataSources& sources);
    // Makes the found directory the working directory. Throws DataNotFound.
    static void enter(const DataSources& sources);

    // True when `directory` has "resources/settings.cfg".
    static bool holdsData(const boost::filesystem::path& directory);
};

}  // namespace lum

#endif
