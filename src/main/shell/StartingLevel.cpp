#include "shell/StartingLevel.h"

#include <ostream>

#include "lum/util/Trace.h"

namespace lum {

namespace {

void tellLevels(const LevelCatalogue& catalogue, std::ostream& out, std::ostream& err) {
    for (const CataloguedLevel& level : catalogue.levels()) {
        if (!level.playable()) {
            err << "glimmet: level " << level.number
                << " cannot be played: " << level.problem.message() << std::endl;
        } else if (level.origin != LevelOrigin::shipped) {
            out << "glimmet: level " << level.number << ": " << level.title << " (" << level.file
                << ")" << std::endl;
        }
    }
}

int askedNumber(const Options& options, LevelCatalogue& catalogue) {
    LUM_TRACE_BEGIN
    if (!options.levelFile.empty()) {
        return catalogue.addFile(options.levelFile);
    }
    const int count = static_cast<int>(catalogue.levels().size());
    const CataloguedLevel* const level = catalogue.byNumber(options.level.number);
    if (options.level.number != 0 && level == nullptr) {
        throw CommandLineError("there is no level " + std::to_string(options.level.number) +
                               ": the levels found are 1 to " + std::to_string(count));
    }
    // A replay plays back with the game's data alone.
    if (!options.recordFile.empty() && level != nullptr && level->origin != LevelOrigin::shipped) {
        throw CommandLineError("--record takes the game's own levels, not level " +
                               std::to_string(level->number));
    }
    return options.level.number;
    LUM_TRACE_END
}

}  // namespace

const CataloguedLevel* StartingLevel::level() const {
    return catalogue.byNumber(number);
}

StartingLevel chooseStartingLevel(const Options& options,
                                  const boost::filesystem::path& playerLevels, std::ostream& out,
                                  std::ostream& err) {
    LUM_TRACE_BEGIN
    StartingLevel start;
    start.catalogue = LevelCatalogue::find(playerLevels);
    start.number = askedNumber(options, start.catalogue);
    tellLevels(start.catalogue, out, err);
    // A designer watching the level mends it while the game waits.
    if (start.level() != nullptr && !start.level()->playable() && !options.watch) {
        start.number = 0;
    }
    return start;
    LUM_TRACE_END
}

bool levelLeftToTitle(const Options& options) {
    return options.level.number == 0 && options.levelFile.empty() && options.recordFile.empty() &&
           options.replayFile.empty();
}

LevelCatalogue findAndTellLevels(const boost::filesystem::path& playerLevels, std::ostream& out,
                                 std::ostream& err) {
    LUM_TRACE_BEGIN
    const LevelCatalogue catalogue = LevelCatalogue::find(playerLevels);
    tellLevels(catalogue, out, err);
    return catalogue;
    LUM_TRACE_END
}

}  // namespace lum
