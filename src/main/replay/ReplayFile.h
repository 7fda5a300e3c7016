#ifndef GLIMMET_REPLAYFILE_H
#define GLIMMET_REPLAYFILE_H

#include <fstream>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "lum/util/Exception.h"
#include "replay/ReplayInput.h"

namespace lum {

// A replay file that cannot be played: unreadable, cut short, garbled, or
// made by another game version, level, settings or data. The message names
// the file, and the line where there is one.
class ReplayFileError : public Exception {
public:
    using Exception::Exception;
};

// A replay that did not play out as recorded: its game went another way, or
// its window was closed first. The message names the pass where it happened.
class ReplayDiverged : public Exception {
public:
    using Exception::Exception;
};

// What must be the same for a replay to play out as it was recorded.
struct ReplayHeader {
    std::string version;
    // 1 to 5, or 0 for a run that began at the title screen.
    int level = 0;
    int gameType = 0;
    // A checksum of the data files that shape the levels.
    std::string data;

    // "game version 1.0.0 (this is 1.1.0)", one phrase for each field that
    // differs from `current`; empty when none does.
    std::vector<std::string> differencesFrom(const ReplayHeader& current) const;
};

// Where a run stands after a pass.
struct Checkpoint {
    // 0 before any level was played.
    int level = 0;
    bool alive = false;
    glm::vec3 position{0.0f, 0.0f, 0.0f};

    // Level, life and position to the last bit of each coordinate.
    bool operator==(const Checkpoint& other) const;
    // "level 2, Tobble alive at (81.5, 10, 0)".
    std::string describe() const;
};

// How a run ended: its frame loop stopped (the window closed, or the
// recording did), or the game exited inside a pass (Escape, the last level).
struct Ending {
    enum How { Closed, Exited };
    How how = Closed;
    // Passes begun, including one the game exited in.
    int passes = 0;
    Checkpoint at;

    bool operator==(const Ending& other) const;
    std::string describe() const;
};

// Writes a run as it is played: each reading of the clock, what changed in
// each input frame the window took, a checkpoint after each pass, the ending.
class ReplayWriter {
public:
    // Throws ReplayFileError when the file cannot be written.
    ReplayWriter(const std::string& path, const ReplayHeader& header);

    void clock(double time);
    // The window took `taken`; writes a line only when it differs from the
    // frame before.
    void frame(const InputFrame& taken);
    void pass(const Checkpoint& at);
    void end(const Ending& ending);

    int passesBegun() const;
    bool isEnded() const;

private:
    void line(const std::string& text);

    std::string path;
    std::ofstream out;
    InputFrame last;
    // Frames taken since the last line.
    int frames;
    int passes;
    bool ended;
};

// One line of a replay after its header.
struct ReplayRecord {
    enum Kind { Clock, Frame, Pass, End };
    Kind kind = End;
    int line = 0;
    double time = 0;
    // Frame: which frame since the line before (from 1), and what changed.
    int frame = 0;
    std::vector<InputChange> changes;
    // Pass: its number, from 1.
    int pass = 0;
    Checkpoint at;
    Ending ending;
};

// Plays a replay file back: the game's clock and input come from it, and
// every pass is held against its checkpoint. The whole file is read and
// checked before the game starts.
class ReplayReader {
public:
    // Throws ReplayFileError naming the file and line of the first fault.
    static ReplayReader load(const std::string& path);
    // Reads replay text as if from the file `path`.
    static ReplayReader parse(const std::string& text, const std::string& path);

    const ReplayHeader& getHeader() const;
    const std::string& getPath() const;
    // Throws ReplayFileError when `current` differs from the file's header.
    void requireHeader(const ReplayHeader& current) const;

    // The next reading of the clock. Throws ReplayDiverged.
    double clock();
    // The next input frame: the one before with the changes recorded for it.
    const InputFrame& frame();
    // Whether the recording stops here: the game is to stop too.
    bool isAtEnd() const;
    // The viewer closed the replay's window: the run stops short of its end.
    void windowClosed();
    // Holds the pass just played against its checkpoint. Throws ReplayDiverged.
    void pass(const Checkpoint& at);
    // Holds the run's ending against the recorded one; returns the outcome's
    // description. Throws ReplayDiverged.
    std::string end(const Ending& ending);
    const Ending& recordedEnding() const;

private:
    ReplayReader();

    const ReplayRecord& next() const;
    void consume();
    [[noreturn]] void diverged(const std::string& what) const;

    std::string path;
    ReplayHeader header;
    std::vector<ReplayRecord> records;
    std::size_t position;
    InputFrame current;
    // Frames taken since the last line.
    int frames;
    int passes;
    bool closedEarly;
};

}  // namespace lum

#endif
