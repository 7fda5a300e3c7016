// Tobble the Glimmet: the program's entry. It reads the command line, enters
// the data directory and runs the game. Every ending that is not an early
// exit closes with the same line; the status tells a launcher whether the
// run failed (1), the command line was wrong (2) or all went well (0).

#include <iostream>

#include "BuildInfo.h"
#include "CommandLine.h"
#include "DataDirectory.h"
#include "FrameLoop.h"
#include "Game.h"
#include "Records.h"
#include "TopLevel.h"
#include "lum/render/Renderer.h"

namespace {

const int failed = 1;
const int misused = 2;

bool runGame(const lum::Options& options) {
    return lum::runGuarded(
        [&options] {
            lum::Records records(options.noRecords ? "" : lum::Records::userDirectory());
            lum::Renderer renderer(options.window);
            lum::Game game(options.level.number);
            game.getLevels().keepRecordsIn(&records);
            game.start();
            game.prepareLoop();
            lum::runFrameLoop([&game](double dt) { return game.pass(dt); });
        },
        std::cerr);
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
    try {
        lum::DataDirectory::enter(lum::DataDirectory::sourcesOf(options.dataDirectory));
    } catch (const lum::DataNotFound& e) {
        std::cerr << "glimmet: " << e.getMessage() << std::endl;
        return failed;
    }
    const bool succeeded = runGame(options);
    std::cout << lum::closingLine << std::endl;
    return succeeded ? 0 : failed;
}
