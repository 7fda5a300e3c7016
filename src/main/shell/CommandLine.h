#ifndef GLIMMET_COMMANDLINE_H
#define GLIMMET_COMMANDLINE_H

#include <string>

#include <boost/program_options/options_description.hpp>
#include <boost/program_options/variables_map.hpp>

#include "lum/platform/Window.h"
#include "lum/util/Exception.h"

namespace lum {

// A level asked for on the command line by its number; 0 leaves the choice to
// the title screen. Whether the number names a level is known once the
// levels are found.
struct LevelChoice {
    int number = 0;
};

// What the player asked for when starting the game.
struct Options {
    bool help = false;
    bool version = false;
    LevelChoice level;
    // A level file to play at once; empty when none.
    std::string levelFile;
    // The level starts again whenever its files change.
    bool watch = false;
    // Empty: the data directory is looked for.
    std::string dataDirectory;
    WindowMode window;
    // --windowed or --fullscreen was given: it wins over the player's options.
    bool windowChosen = false;
    bool noRecords = false;
    // Empty: the run is neither recorded nor a replay.
    std::string recordFile;
    std::string replayFile;
};

// An unknown option or a bad value; the message is one line.
class CommandLineError : public Exception {
public:
    using Exception::Exception;
};

// The game's options, read with Boost.Program_options. Each option is one
// line in describe(), bound to its field of Options.
class CommandLine {
public:
    // Throws CommandLineError.
    Options parse(int argc, const char* const argv[]) const;
    // The text of --help.
    std::string usage() const;

private:
    static boost::program_options::options_description describe(Options& into);
    static void refuseClashesOfLevels(const boost::program_options::variables_map& values);
};

}  // namespace lum

#endif
