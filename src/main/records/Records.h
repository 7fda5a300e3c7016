#ifndef GLIMMET_RECORDS_H
#define GLIMMET_RECORDS_H

#include <map>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "records/UserFile.h"

namespace lum {

class LevelRun;
class Setting;

// The best a player has done in one level: the shortest time to its end
// screen and the most corn found on the way (not necessarily in one run).
struct LevelBest {
    double time;
    int corn;
};

// A finished run held against what was kept before it.
struct Comparison {
    // False when no records are kept (--no-records, no home directory).
    bool kept = false;
    bool hadBest = false;
    LevelBest previous = {0.0, 0};
    bool newTime = false;
    bool newCorn = false;
};

// The best times and corn of each level, kept between runs in the user's
// data directory as "records.cfg", written in the game's configuration
// language and read back with its loader. Nothing about the file ever stops
// the game: a file that cannot be read is reported once and renamed aside
// (never deleted), and a failed write is reported once and the game goes on.
class Records {
public:
    static const char* const fileName;

    // $XDG_DATA_HOME/glimmet when that is an absolute path, otherwise
    // $HOME/.local/share/glimmet; empty when neither is known. The arguments
    // are the variables' values, null when unset.
    static boost::filesystem::path userDirectory(const char* xdgDataHome, const char* home);
    // The same for this process's environment.
    static boost::filesystem::path userDirectory();

    // Reads the records kept in `directory`; an empty path keeps none.
    explicit Records(const boost::filesystem::path& directory);

    bool isKept() const;
    // The best kept for `level`; false when there is none.
    bool bestOf(const std::string& level, LevelBest& best) const;
    // Holds a finished run against the best of `level`, keeps what it
    // bettered and writes the file again.
    Comparison enter(const std::string& level, double time, int corn);

private:
    void readEntries(const Setting& entries);
    std::string text() const;

    UserFile file;
    std::map<std::string, LevelBest> best;
};

// The end screen's lines about a finished run: "time 1:23.4 - best 1:10.2"
// or "time 1:23.4 - new best!", then the corn the same way when the level
// has any.
std::vector<std::string> resultLines(const LevelRun& run, const Comparison& comparison);

}  // namespace lum

#endif
