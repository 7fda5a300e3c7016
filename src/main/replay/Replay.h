#ifndef GLIMMET_REPLAY_H
#define GLIMMET_REPLAY_H

#include <memory>
#include <string>

#include "lum/platform/Window.h"
#include "replay/ReplayFile.h"
#include "shell/FrameLoop.h"

namespace lum {

class Game;

// The header this game writes and accepts for a run of `level`: its
// version, its gameType and a checksum of the configuration files below
// "resources/", which shape the levels.
ReplayHeader currentReplayHeader(int level);

// Where the run stands: the current level, whether Tobble lives, and where.
Checkpoint checkpointOf(Game& game);

// What a run does with replay files: nothing, record itself, or play a
// recorded run back. Recording and replaying put their window adapter over
// the real one, so they are made before the renderer.
class ReplaySession {
public:
    // Neither records nor replays.
    ReplaySession();
    ~ReplaySession();
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    // Records a run of `level` into `path` through `real`. Throws ReplayFileError.
    static std::unique_ptr<ReplaySession> record(const std::string& path, int level,
                                                 std::unique_ptr<Window> real);
    // Plays the run in `path` back, the pictures going to `real`. Throws
    // ReplayFileError, before anything runs, for a file that is unreadable,
    // cut short, garbled, or made by another version, settings or data.
    static std::unique_ptr<ReplaySession> replay(const std::string& path,
                                                 std::unique_ptr<Window> real);

    bool isReplaying() const;
    // The level to start: the recorded run's when replaying, otherwise `asked`.
    int startLevel(int asked) const;

    // The game whose checkpoints are taken. A game that exits inside a pass
    // still ends the recording or has its replay judged.
    void watch(Game& game);
    // `pass`, then the checkpoint of the pass.
    GamePass checked(const GamePass& pass);
    // The frame loop stopped: the recording ends, or the replay is judged.
    // Returns what happened, for the player; throws ReplayDiverged.
    std::string finish();

private:
    std::string end(Ending::How how);
    static void finishAtExit();

    std::shared_ptr<ReplayWriter> writer;
    std::shared_ptr<ReplayReader> reader;
    Game* game;
    int passes;
};

// A game's whole run under `replay`: its start, the frame loop, the end.
// Returns finish()'s report; throws ReplayDiverged.
std::string playGame(Game& game, ReplaySession& replay);

}  // namespace lum

#endif
