// Tobble the Glimmet: the program's entry. It reads the command line, enters
// the data directory and runs the game. Every ending that is not an early
// exit closes with the same line; the status tells a launcher whether the
// run failed (1), the command line was wrong (2) or all went well (0).

#include <iostream>

#include <boost/filesystem/operations.hpp>

#include "BuildInfo.h"
#include "flow/Game.h"
#include "flow/LevelList.h"
#include "flow/LevelWatch.h"
#include "lum/GameSettings.h"
#include "lum/platform/GlfwWindow.h"
#include "lum/render/Renderer.h"
#include "lum/resource/ShaderLoader.h"
#include "records/Records.h"
#include "records/UserSettings.h"
#include "records/XdgDirectory.h"
#include "replay/Replay.h"
#include "shell/CommandLine.h"
#include "shell/DataDirectory.h"
#include "shell/FrameLoop.h"
#include "shell/HeapRelease.h"
#include "shell/StartingLevel.h"
#include "shell/TopLevel.h"

namespace {

const int failed = 1;
const int misused = 2;

// Recording or replaying as asked; throws lum::ReplayFileError.
std::unique_ptr<lum::ReplaySession> replaySession(const lum::Options& options) {
    std::unique_ptr<lum::Window> real(new lum::GlfwWindow());
    if (!options.recordFile.empty()) {
        return lum::ReplaySession::record(options.recordFile, options.level.number,
                                          std::move(real));
    }
    if (!options.replayFile.empty()) {
        return lum::ReplaySession::replay(options.replayFile, std::move(real));
    }
    return std::unique_ptr<lum::ReplaySession>(new lum::ReplaySession());
}

// A level of the player's own is built once aside before it starts: a model
// or texture it names that is missing is told, and the title shows instead,
// rather than the game ending in the level's load. A watched level waits
// for its mending instead.
int buildableLevel(const lum::Options& options, const lum::StartingLevel& start) {
    const lum::CataloguedLevel* const level = start.level();
    if (level == nullptr || level->origin == lum::LevelOrigin::shipped || options.watch) {
        return start.number;
    }
    const lum::LevelProblem problem =
        lum::checkLevel(level->name, level->file, lum::LevelTrial::objects);
    if (!problem.empty()) {
        std::cerr << "glimmet: level " << level->number
                  << " cannot be played: " << problem.message() << std::endl;
        return 0;
    }
    return start.number;
}

// The level's files, watched while it is played, as --watch asks.
std::unique_ptr<lum::LevelWatch> levelWatch(const lum::Options& options,
                                            const lum::StartingLevel& start) {
    const lum::CataloguedLevel* const level = start.level();
    if (!options.watch || level == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<lum::LevelWatch>(new lum::LevelWatch(level->name, level->file));
}

// The window the command line asks for, else the one of the player's options.
lum::WindowMode windowOf(const lum::Options& options, const lum::PlayerOptions& player) {
    if (options.windowChosen) {
        return options.window;
    }
    lum::WindowMode mode;
    mode.size = {player.windowWidth, player.windowHeight};
    mode.fullScreen = player.fullScreen;
    return mode;
}

// False when the run failed or its replay went another way.
bool runGame(const lum::Options& options, const lum::StartingLevel& start,
             lum::ReplaySession& replay) {
    bool diverged = false;
    const bool ran = lum::runGuarded(
        [&options, &start, &replay, &diverged] {
            const bool keepRecords = !options.noRecords && !replay.isReplaying();
            lum::Records records(keepRecords ? lum::Records::userDirectory() : "");
            // A recording and its replay go by the shipped settings alone: the
            // same input must mean the same play on any player's machine.
            const bool ownOptions = !replay.isReplaying() && options.recordFile.empty();
            lum::UserSettings userSettings(ownOptions ? lum::UserSettings::userDirectory() : "");
            lum::GameSettings& settings = lum::GameSettings::instance();
            userSettings.readInto(settings.player);
            settings.showframerate = settings.player.showFrameRate;
            lum::keepLargeBlocksApart();
            lum::ShaderLoader::instance().setProgramCache(lum::programCacheDirectory());
            const lum::WindowMode mode = windowOf(options, settings.player);
            lum::Renderer renderer(mode);
            if (mode.fullScreen) {
                // Leaving full screen, the window takes the player's size.
                lum::window().setWindowedSize(
                    {settings.player.windowWidth, settings.player.windowHeight});
            }
            lum::Game game(replay.startLevel(buildableLevel(options, start)));
            game.keepOptionsIn(&userSettings);
            game.getLevels().keepRecordsIn(&records);
            if (lum::levelLeftToTitle(options)) {
                game.findLevelsOnTitle([] {
                    return lum::findAndTellLevels(lum::LevelCatalogue::playerDirectory(), std::cout,
                                                  std::cerr);
                });
            } else {
                game.getLevels().nameLevels(start.catalogue.names());
                game.offerLevels(lum::listLevels(start.catalogue));
            }
            game.watchLevel(levelWatch(options, start));
            try {
                const std::string outcome = lum::playGame(game, replay);
                if (!outcome.empty()) {
                    std::cout << "glimmet: " << outcome << std::endl;
                }
            } catch (const lum::ReplayDiverged& e) {
                std::cerr << "glimmet: " << e.getMessage() << std::endl;
                diverged = true;
            }
        },
        std::cerr);
    return ran && !diverged;
}

}  // namespace

int main(int argc, char* argv[]) {
    const lum::CommandLine commandLine;
    lum::Options options;
    try {
        options = commandLine.parse(argc, argv);
    } catch (const lum::CommandLineError& e) {
        std::cerr << "glimmet: " << e.getMessage() << "\n\n" << commandLine.usage();
        return misused;
    }
    if (options.help) {
        std::cout << commandLine.usage();
        return 0;
    }
    if (options.version) {
        std::cout << "glimmet " << lum::build::version << std::endl;
        return 0;
    }
    // Named from where the game was started, before it enters its data.
    if (!options.levelFile.empty()) {
        options.levelFile = boost::filesystem::absolute(options.levelFile).string();
    }
    try {
        lum::DataDirectory::enter(lum::DataDirectory::sourcesOf(options.dataDirectory));
    } catch (const lum::DataNotFound& e) {
        std::cerr << "glimmet: " << e.getMessage() << std::endl;
        return failed;
    }
    // With no level asked for, the levels are found while the title shows.
    lum::StartingLevel start;
    try {
        if (!lum::levelLeftToTitle(options)) {
            start = lum::chooseStartingLevel(options, lum::LevelCatalogue::playerDirectory(),
                                             std::cout, std::cerr);
        }
    } catch (const lum::CommandLineError& e) {
        std::cerr << "glimmet: " << e.getMessage() << std::endl;
        return misused;
    } catch (const lum::Exception& e) {
        std::cerr << "glimmet: " << e.getMessage() << std::endl;
        return failed;
    }
    std::unique_ptr<lum::ReplaySession> replay;
    try {
        replay = replaySession(options);
    } catch (const lum::Exception& e) {
        std::cerr << "glimmet: " << e.getMessage() << std::endl;
        return failed;
    }
    const bool succeeded = runGame(options, start, *replay);
    std::cout << lum::closingLine << std::endl;
    return succeeded ? 0 : failed;
}
