#ifndef GLIMMET_LEVELWATCH_H
#define GLIMMET_LEVELWATCH_H

#include <map>
#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "flow/LevelCheck.h"
#include "lum/resource/FileStamp.h"

namespace lum {

// Every configuration file the watch looks at, by path. A file that
// appears or goes counts as a change too.
using FileStamps = std::map<std::string, FileStamp>;

// The ".cfg" files below each directory and the files named, as they are now.
FileStamps stampsOf(const std::vector<boost::filesystem::path>& directories,
                    const std::vector<boost::filesystem::path>& files);

// Watches a level's files while it is played, for a designer: the level's
// file, the configuration files beside it and every configuration file of the
// game's data (the prototypes, object files and includes it may use). It
// looks at their modification times four times a second; polling a few dozen
// files costs less than a frame's drawing, and needs no thread. A change
// counts once the files have looked the same at two looks in a row: an
// editor may empty a file before it writes it, and a look in between would
// build half a file, or stamp the empty one, build the written one and
// start the level a second time for the same save. It is then checked by
// building the level aside; the level is only started again when that
// succeeds, and a broken file leaves the running level as it is, with its
// first problem told until a later change mends it. Models, textures and
// sounds are kept for the whole run and not watched.
class LevelWatch {
public:
    // How often the files are looked at, in seconds of the game's clock.
    static const double pollInterval;

    // The level `name` (as ConfigLoader::load takes it) from the file `file`.
    LevelWatch(const std::string& name, const boost::filesystem::path& file);

    // What it watches, as ConfigLoader::load takes it.
    const std::string& levelName() const;
    // Once a pass, with the clock's time. True when the files changed since
    // they were last looked at and the level builds: time to start it again.
    bool restartDue(double now);
    // The first problem of the level's files since they last changed; empty
    // while they load.
    const LevelProblem& problem() const;
    // Before the level's first start, once a poll: true when it builds. A
    // level that does not is tried again only once its files change.
    bool startable();
    // The level started again from the changed files; told on the console.
    void restarted() const;
    // The restart failed after all: its files changed again in between.
    void restartFailed(const LevelProblem& failure);

private:
    FileStamps stampsNow() const;
    bool settledChange();

    std::string name;
    boost::filesystem::path file;
    // What the level was last built from, and what the last look saw.
    FileStamps stamps;
    FileStamps lastSeen;
    double lastLook;
    bool tried;
    LevelProblem current;
};

}  // namespace lum

#endif
