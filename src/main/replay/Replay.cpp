#include "replay/Replay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include <boost/crc.hpp>
#include <boost/filesystem/operations.hpp>

#include "BuildInfo.h"
#include "flow/Game.h"
#include "lum/GameSettings.h"
#include "lum/character/Glimmet.h"
#include "lum/util/Trace.h"
#include "replay/RecordingWindow.h"
#include "replay/ReplayingWindow.h"

namespace fs = boost::filesystem;

namespace lum {

namespace {

const char* const dataRoot = "resources";
const char* const shapingExtension = ".cfg";

// The session that a game exiting inside a pass must still end.
ReplaySession* exitingSession = nullptr;

std::vector<fs::path> shapingFiles() {
    std::vector<fs::path> files;
    if (!fs::is_directory(dataRoot)) {
        return files;
    }
    for (fs::recursive_directory_iterator it(dataRoot), end; it != end; ++it) {
        if (fs::is_regular_file(it->status()) && it->path().extension() == shapingExtension) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string dataChecksum() {
    boost::crc_32_type crc;
    for (const fs::path& file : shapingFiles()) {
        const std::string name = file.generic_string();
        crc.process_bytes(name.data(), name.size() + 1);
        std::ifstream in(file.string(), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        const std::string bytes = content.str();
        crc.process_bytes(bytes.data(), bytes.size());
    }
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(crc.checksum()));
    return text;
}

}  // namespace

ReplayHeader currentReplayHeader(int level) {
    LUM_TRACE_BEGIN
    ReplayHeader header;
    header.version = build::version;
    header.level = level;
    header.gameType = GameSettings::instance().gameType;
    header.data = dataChecksum();
    return header;
    LUM_TRACE_END
}

// Before a level's scene is set up (a window closed on the title screen)
// there is no Tobble to look at.
Checkpoint checkpointOf(Game& game) {
    Checkpoint at;
    Levels& levels = game.getLevels();
    if (!levels.getCamera()) {
        return at;
    }
    Glimmet& player = Glimmet::instance();
    at.level = levels.getCurrentLevel();
    at.alive = player.alive;
    at.position = player.getWorldTransform().translation;
    return at;
}

ReplaySession::ReplaySession() : game(nullptr), passes(0) {}

ReplaySession::~ReplaySession() {
    if (exitingSession == this) {
        exitingSession = nullptr;
    }
}

std::unique_ptr<ReplaySession> ReplaySession::record(const std::string& path, int level,
                                                     std::unique_ptr<Window> real) {
    LUM_TRACE_BEGIN
    std::unique_ptr<ReplaySession> session(new ReplaySession());
    session->writer = std::make_shared<ReplayWriter>(path, currentReplayHeader(level));
    installWindow(std::unique_ptr<Window>(new RecordingWindow(std::move(real), session->writer)));
    return session;
    LUM_TRACE_END
}

std::unique_ptr<ReplaySession> ReplaySession::replay(const std::string& path,
                                                     std::unique_ptr<Window> real) {
    LUM_TRACE_BEGIN
    std::unique_ptr<ReplaySession> session(new ReplaySession());
    session->reader = std::make_shared<ReplayReader>(ReplayReader::load(path));
    session->reader->requireHeader(currentReplayHeader(session->reader->getHeader().level));
    installWindow(std::unique_ptr<Window>(new ReplayingWindow(std::move(real), session->reader)));
    return session;
    LUM_TRACE_END
}

bool ReplaySession::isReplaying() const {
    return reader != nullptr;
}

int ReplaySession::startLevel(int asked) const {
    return reader ? reader->getHeader().level : asked;
}

void ReplaySession::watch(Game& watched) {
    game = &watched;
    if (!writer && !reader) {
        return;
    }
    static bool registered = false;
    if (!registered) {
        registered = std::atexit(&ReplaySession::finishAtExit) == 0;
    }
    exitingSession = this;
}

GamePass ReplaySession::checked(const GamePass& pass) {
    if (!writer && !reader) {
        return pass;
    }
    return [this, pass](double dt) {
        ++passes;
        const bool presented = pass(dt);
        const Checkpoint at = checkpointOf(*game);
        if (writer) {
            writer->pass(at);
        } else {
            reader->pass(at);
        }
        return presented;
    };
}

std::string ReplaySession::finish() {
    LUM_TRACE_BEGIN
    return end(Ending::Closed);
    LUM_TRACE_END
}

std::string ReplaySession::end(Ending::How how) {
    LUM_TRACE_BEGIN
    if (exitingSession == this) {
        exitingSession = nullptr;
    }
    if (!writer && !reader) {
        return "";
    }
    Ending ending;
    ending.how = how;
    ending.passes = passes;
    ending.at = game ? checkpointOf(*game) : Checkpoint();
    if (writer) {
        writer->end(ending);
        return "recorded: " + ending.describe();
    }
    return "replay " + reader->getPath() + " played out as recorded: " + reader->end(ending);
    LUM_TRACE_END
}

// Escape and the last level's end leave through exit() inside a pass; the
// game object is still there, as exit() does not unwind.
void ReplaySession::finishAtExit() {
    ReplaySession* const session = exitingSession;
    if (session == nullptr) {
        return;
    }
    try {
        std::cout << "glimmet: " << session->end(Ending::Exited) << std::endl;
    } catch (const Exception& e) {
        std::cerr << "glimmet: " << e.getMessage() << std::endl;
        std::cout.flush();
        std::_Exit(EXIT_FAILURE);
    }
}

std::string playGame(Game& game, ReplaySession& replay) {
    LUM_TRACE_BEGIN
    replay.watch(game);
    game.start();
    game.prepareLoop();
    runFrameLoop(replay.checked([&game](double dt) { return game.pass(dt); }));
    return replay.finish();
    LUM_TRACE_END
}

}  // namespace lum
