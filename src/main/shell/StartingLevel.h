#ifndef GLIMMET_STARTINGLEVEL_H
#define GLIMMET_STARTINGLEVEL_H

#include <iosfwd>

#include "flow/LevelCatalogue.h"
#include "shell/CommandLine.h"

namespace lum {

// The levels found at start and the one the command line asks for.
struct StartingLevel {
    LevelCatalogue catalogue;
    // 0: the title screen chooses.
    int number = 0;

    // The asked level; null when the title screen chooses.
    const CataloguedLevel* level() const;
};

// Finds the levels of the data in the working directory and of
// `playerLevels`, tells the levels beyond the game's own on `out` with their
// numbers and every broken one on `err` with its problem, and takes the level
// of --level or --level-file. A broken level asked for is not started: the
// title screen shows instead, unless it is watched (--watch), when the game
// waits for it to be mended. Throws CommandLineError when --level names no
// level.
StartingLevel chooseStartingLevel(const Options& options,
                                  const boost::filesystem::path& playerLevels, std::ostream& out,
                                  std::ostream& err);
// True when the command line asks for no level, recording or replay: the
// title chooses, and the levels can be found while it shows.
bool levelLeftToTitle(const Options& options);
// The levels found and told as chooseStartingLevel finds and tells them.
LevelCatalogue findAndTellLevels(const boost::filesystem::path& playerLevels, std::ostream& out,
                                 std::ostream& err);

}  // namespace lum

#endif
