#include "replay/ReplayFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sstream>

#include "lum/util/Trace.h"

namespace lum {

namespace {

const char* const formatLine = "glimmet replay 2";
const char* const formatStart = "glimmet replay ";
// Format 1 recorded the answer to each question about input.
const char* const formatOne = "glimmet replay 1";
// Between the changes of one frame line.
const char changeSeparator = ';';
// A run starts at the title screen (0) or at one of the levels.
const int lastLevel = 3;

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::string positionText(const glm::vec3& at) {
    return exactText(at.x) + " " + exactText(at.y) + " " + exactText(at.z);
}

std::string checkpointText(const Checkpoint& at) {
    return std::to_string(at.level) + " " + (at.alive ? "1" : "0") + " " +
           positionText(at.position);
}

bool readCheckpoint(std::istream& in, Checkpoint& at) {
    int alive = -1;
    if (!(in >> at.level >> alive) || at.level < 0 || (alive != 0 && alive != 1)) {
        return false;
    }
    at.alive = alive == 1;
    for (int axis = 0; axis < 3; ++axis) {
        std::string word;
        if (!(in >> word) || !readExact(word, at.position[axis])) {
            return false;
        }
    }
    return true;
}

bool atLineEnd(std::istream& in) {
    std::string rest;
    return !(in >> rest);
}

// The rest of `in` after its first word.
std::string remainder(std::istream& in) {
    std::string rest;
    std::getline(in >> std::ws, rest);
    return rest;
}

bool readChanges(const std::string& text, std::vector<InputChange>& changes) {
    std::istringstream in(text);
    for (std::string words; std::getline(in, words, changeSeparator);) {
        InputChange change;
        if (!InputChange::parse(words, change)) {
            return false;
        }
        changes.push_back(change);
    }
    return !changes.empty();
}

std::string changesText(const std::vector<InputChange>& changes) {
    std::string text;
    for (const InputChange& change : changes) {
        text += (text.empty() ? "" : std::string(" ") + changeSeparator + " ") + change.text();
    }
    return text;
}

bool readRecord(const std::string& text, ReplayRecord& record) {
    std::istringstream in(text);
    std::string kind;
    in >> kind;
    if (kind == "t") {
        std::string word;
        record.kind = ReplayRecord::Clock;
        return in >> word && readExact(word, record.time) && atLineEnd(in);
    }
    if (kind == "f") {
        record.kind = ReplayRecord::Frame;
        return in >> record.frame && record.frame > 0 && readChanges(remainder(in), record.changes);
    }
    if (kind == "p") {
        record.kind = ReplayRecord::Pass;
        return in >> record.pass && readCheckpoint(in, record.at) && atLineEnd(in);
    }
    if (kind == "end") {
        std::string how;
        record.kind = ReplayRecord::End;
        if (!(in >> how) || (how != "closed" && how != "exited")) {
            return false;
        }
        record.ending.how = how == "closed" ? Ending::Closed : Ending::Exited;
        return in >> record.ending.passes && record.ending.passes >= 0 &&
               readCheckpoint(in, record.ending.at) && atLineEnd(in);
    }
    return false;
}

std::string describeRecord(const ReplayRecord& record) {
    switch (record.kind) {
        case ReplayRecord::Clock:
            return "a reading of the clock";
        case ReplayRecord::Frame:
            return "a change of input (line " + std::to_string(record.line) + ")";
        case ReplayRecord::Pass:
            return "the end of pass " + std::to_string(record.pass);
        case ReplayRecord::End:
            return "its end";
    }
    return "";
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::vector<std::string> ReplayHeader::differencesFrom(const ReplayHeader& current) const {
    std::vector<std::string> differences;
    const auto note = [&differences](const std::string& what, const std::string& recorded,
                                     const std::string& now) {
        if (recorded != now) {
            differences.push_back(what + " " + recorded + " (this game: " + now + ")");
        }
    };
    note("game version", version, current.version);
    note("level", std::to_string(level), std::to_string(current.level));
    note("gameType", std::to_string(gameType), std::to_string(current.gameType));
    note("game data", data, current.data);
    return differences;
}

bool Checkpoint::operator==(const Checkpoint& other) const {
    for (int axis = 0; axis < 3; ++axis) {
        if (bitsOf(position[axis]) != bitsOf(other.position[axis])) {
            return false;
        }
    }
    return level == other.level && alive == other.alive;
}

std::string Checkpoint::describe() const {
    if (level == 0) {
        return "no level played";
    }
    std::ostringstream out;
    out.precision(9);
    out << "level " << level << ", Tobble " << (alive ? "alive" : "dead") << " at (" << position.x
        << ", " << position.y << ", " << position.z << ")";
    return out.str();
}

bool Ending::operator==(const Ending& other) const {
    return how == other.how && passes == other.passes && at == other.at;
}

std::string Ending::describe() const {
    return std::string(how == Closed ? "stopped" : "exited") + " after " + std::to_string(passes) +
           " passes, " + at.describe();
}

ReplayWriter::ReplayWriter(const std::string& path, const ReplayHeader& header)
    : path(path), out(path, std::ios::out | std::ios::trunc), frames(0), passes(0), ended(false) {
    LUM_TRACE_BEGIN
    if (!out) {
        throw ReplayFileError(path + ": cannot be written: " + std::strerror(errno));
    }
    out << formatLine << "\nversion " << header.version << "\nlevel " << header.level
        << "\ngameType " << header.gameType << "\ndata " << header.data << "\n";
    LUM_TRACE_END
}

void ReplayWriter::line(const std::string& text) {
    out << text << '\n';
    frames = 0;
}

void ReplayWriter::clock(double time) {
    line("t " + exactText(time));
}

void ReplayWriter::frame(const InputFrame& taken) {
    ++frames;
    const std::vector<InputChange> changes = changesBetween(last, taken);
    last = taken;
    if (!changes.empty()) {
        line("f " + std::to_string(frames) + " " + changesText(changes));
    }
}

void ReplayWriter::pass(const Checkpoint& at) {
    ++passes;
    line("p " + std::to_string(passes) + " " + checkpointText(at));
}

void ReplayWriter::end(const Ending& ending) {
    LUM_TRACE_BEGIN
    if (ended) {
        return;
    }
    ended = true;
    line(std::string("end ") + (ending.how == Ending::Closed ? "closed" : "exited") + " " +
         std::to_string(ending.passes) + " " + checkpointText(ending.at));
    out.flush();
    if (!out) {
        throw ReplayFileError(path + ": could not be written in full");
    }
    LUM_TRACE_END
}

int ReplayWriter::passesBegun() const {
    return passes;
}

bool ReplayWriter::isEnded() const {
    return ended;
}

ReplayReader::ReplayReader() : position(0), frames(0), passes(0), closedEarly(false) {}

ReplayReader ReplayReader::load(const std::string& path) {
    LUM_TRACE_BEGIN
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ReplayFileError(path + ": cannot be read: " + std::strerror(errno));
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        throw ReplayFileError(path + ": cannot be read");
    }
    return parse(text.str(), path);
    LUM_TRACE_END
}

ReplayReader ReplayReader::parse(const std::string& text, const std::string& path) {
    LUM_TRACE_BEGIN
    ReplayReader reader;
    reader.path = path;
    const std::vector<std::string> lines = linesOf(text);
    const auto fault = [&path](std::size_t line, const std::string& what) {
        return ReplayFileError(path + ":" + std::to_string(line) + ": " + what);
    };
    if (lines.empty() || lines[0].compare(0, std::strlen(formatStart), formatStart) != 0) {
        throw fault(1, std::string("not a replay file (it should begin \"") + formatLine + "\")");
    }
    if (lines[0] == formatOne) {
        throw fault(1, "a replay of format 1, which this game no longer reads (it reads \"" +
                           std::string(formatLine) + "\"): record the run again");
    }
    if (lines[0] != formatLine) {
        throw fault(1, "a replay format this game does not read (it reads \"" +
                           std::string(formatLine) + "\")");
    }
    const char* const fields[] = {"version", "level", "gameType", "data"};
    const int headerLines = 4;
    for (int field = 0; field < headerLines; ++field) {
        const std::size_t line = field + 1;
        if (line >= lines.size()) {
            throw fault(lines.size(), "the replay is cut short: its header ends before \"" +
                                          std::string(fields[field]) + "\"");
        }
        std::istringstream in(lines[line]);
        std::string name, value;
        if (!(in >> name >> value) || name != fields[field] || !atLineEnd(in)) {
            throw fault(line + 1, "the header needs \"" + std::string(fields[field]) +
                                      " VALUE\" here, not \"" + lines[line] + "\"");
        }
        if (field == 0) {
            reader.header.version = value;
        } else if (field == 3) {
            reader.header.data = value;
        } else {
            std::istringstream number(value);
            int& into = field == 1 ? reader.header.level : reader.header.gameType;
            if (!(number >> into) || !atLineEnd(number)) {
                throw fault(line + 1, "\"" + std::string(fields[field]) +
                                          "\" needs a whole number, not \"" + value + "\"");
            }
            if (field == 1 && (into < 0 || into > lastLevel)) {
                throw fault(line + 1, "\"level\" needs 0 (the title screen) to " +
                                          std::to_string(lastLevel) + ", not " + value);
            }
        }
    }
    const bool endsWithNewline = !text.empty() && text.back() == '\n';
    for (std::size_t index = headerLines + 1; index < lines.size(); ++index) {
        const std::size_t line = index + 1;
        const bool last = index + 1 == lines.size();
        if (!reader.records.empty() && reader.records.back().kind == ReplayRecord::End) {
            throw fault(line, "a line after the replay's end");
        }
        ReplayRecord record;
        record.line = static_cast<int>(line);
        if (!readRecord(lines[index], record)) {
            if (last && !endsWithNewline) {
                throw fault(line, "the replay is cut short in the middle of this line");
            }
            throw fault(line,
                        "cannot read \"" + lines[index] + "\" (a clock, frame, pass or end line)");
        }
        if (record.kind == ReplayRecord::Pass && record.pass != reader.passes + 1) {
            throw fault(line, "pass " + std::to_string(record.pass) + " follows pass " +
                                  std::to_string(reader.passes));
        }
        reader.passes += record.kind == ReplayRecord::Pass;
        reader.records.push_back(record);
    }
    if (reader.records.empty() || reader.records.back().kind != ReplayRecord::End) {
        throw fault(lines.size(), "the replay is cut short: it stops before its \"end\" line");
    }
    reader.passes = 0;
    return reader;
    LUM_TRACE_END
}

const ReplayHeader& ReplayReader::getHeader() const {
    return header;
}

const std::string& ReplayReader::getPath() const {
    return path;
}

void ReplayReader::requireHeader(const ReplayHeader& current) const {
    LUM_TRACE_BEGIN
    const std::vector<std::string> differences = header.differencesFrom(current);
    if (differences.empty()) {
        return;
    }
    std::string text;
    for (const std::string& difference : differences) {
        text += (text.empty() ? "" : "; ") + difference;
    }
    throw ReplayFileError(path + ": recorded with another " + text + "; it cannot be played here");
    LUM_TRACE_END
}

const ReplayRecord& ReplayReader::next() const {
    return records[std::min(position, records.size() - 1)];
}

void ReplayReader::consume() {
    if (position < records.size()) {
        ++position;
    }
    frames = 0;
}

void ReplayReader::diverged(const std::string& what) const {
    throw ReplayDiverged("replay " + path + " diverged at pass " + std::to_string(passes + 1) +
                         ": " + what);
}

double ReplayReader::clock() {
    LUM_TRACE_BEGIN
    const ReplayRecord& record = next();
    if (record.kind != ReplayRecord::Clock || position >= records.size()) {
        diverged("the game read the clock where the recording has " + describeRecord(record));
    }
    consume();
    return record.time;
    LUM_TRACE_END
}

const InputFrame& ReplayReader::frame() {
    ++frames;
    const ReplayRecord& record = next();
    if (position < records.size() && record.kind == ReplayRecord::Frame && record.frame == frames) {
        for (const InputChange& change : record.changes) {
            change.applyTo(current);
        }
        consume();
    }
    return current;
}

bool ReplayReader::isAtEnd() const {
    return next().kind == ReplayRecord::End;
}

void ReplayReader::windowClosed() {
    closedEarly = closedEarly || !isAtEnd();
}

void ReplayReader::pass(const Checkpoint& at) {
    LUM_TRACE_BEGIN
    const ReplayRecord& record = next();
    if (record.kind != ReplayRecord::Pass || position >= records.size()) {
        diverged("the pass ended where the recording has " + describeRecord(record));
    }
    if (!(record.at == at)) {
        diverged("recorded " + record.at.describe() + ", played " + at.describe());
    }
    consume();
    ++passes;
    LUM_TRACE_END
}

std::string ReplayReader::end(const Ending& ending) {
    LUM_TRACE_BEGIN
    const ReplayRecord& record = next();
    if (closedEarly) {
        throw ReplayDiverged("replay " + path + " stopped at pass " + std::to_string(passes + 1) +
                             ": its window was closed before the recording's end");
    }
    if (record.kind != ReplayRecord::End || position >= records.size()) {
        diverged("the game " + std::string(ending.how == Ending::Closed ? "stopped" : "exited") +
                 " where the recording has " + describeRecord(record));
    }
    if (!(record.ending == ending)) {
        diverged("recorded: " + record.ending.describe() + "; played: " + ending.describe());
    }
    consume();
    return ending.describe();
    LUM_TRACE_END
}

const Ending& ReplayReader::recordedEnding() const {
    return records.back().ending;
}

}  // namespace lum
