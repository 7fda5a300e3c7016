#include "records/Records.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <regex>
#include <sstream>

#include <boost/filesystem/operations.hpp>

#include "flow/LevelRun.h"
#include "lum/config/Diagnostics.h"
#include "lum/config/Setting.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/ResourceLoader.h"
#include "lum/util/AtomicFile.h"
#include "lum/util/Exception.h"
#include "records/XdgDirectory.h"

namespace fs = boost::filesystem;

namespace lum {

namespace {

const char* const asideSuffix = ".damaged";
const int asideNamesTried = 1000;

// The configuration language ends the process on some mistakes; a records
// file with one is only damaged, so its diagnostics become exceptions while
// it is read.
void throwDiagnostic(const Diagnostic& diagnostic) {
    if (diagnostic.kind != DiagnosticKind::Note) {
        throw ConfigException(diagnostic.message);
    }
}

class DiagnosticsAsExceptions {
public:
    DiagnosticsAsExceptions() : previous(setDiagnosticHandler(&throwDiagnostic)) {}
    ~DiagnosticsAsExceptions() { setDiagnosticHandler(previous); }
    DiagnosticsAsExceptions(const DiagnosticsAsExceptions&) = delete;
    DiagnosticsAsExceptions& operator=(const DiagnosticsAsExceptions&) = delete;

private:
    DiagnosticHandler previous;
};

bool isLevelName(const std::string& name) {
    return std::regex_match(name, std::regex("[A-Za-z_][A-Za-z0-9_]*"));
}

std::string firstLine(const std::string& text) {
    const std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? "unreadable" : line;
}

// A number the language reads back as one: fixed point, never an exponent.
std::string seconds(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.setf(std::ios::fixed);
    out.precision(3);
    out << value;
    return out.str();
}

LevelBest entryOf(const std::string& level, const Setting& entry) {
    const Setting time = entry("time");
    const Setting corn = entry("corn");
    const bool timeIsNumber = time.isDouble() || time.isInt();
    if (!entry.isGroup() || !timeIsNumber || !corn.isInt()) {
        throw ConfigException(level + " needs a number time and a whole number corn");
    }
    const LevelBest best{time.asDouble(), corn.asInt()};
    if (!std::isfinite(best.time) || best.time < 0 || best.corn < 0) {
        throw ConfigException(level + " has a negative time or corn");
    }
    return best;
}

}  // namespace

const char* const Records::fileName = "records.cfg";

fs::path Records::userDirectory(const char* xdgDataHome, const char* home) {
    return xdgDirectory(xdgDataHome, home, fs::path(".local") / "share");
}

fs::path Records::userDirectory() {
    return userDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

Records::Records(const fs::path& directory)
    : directory(directory), writable(!directory.empty()), writeFailureTold(false), log("Records") {
    if (!directory.empty()) {
        load();
    }
}

bool Records::isKept() const {
    return !directory.empty();
}

bool Records::bestOf(const std::string& level, LevelBest& found) const {
    const auto entry = best.find(level);
    if (entry == best.end()) {
        return false;
    }
    found = entry->second;
    return true;
}

void Records::load() {
    const fs::path file = directory / fileName;
    boost::system::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) {
        return;
    }
    try {
        const DiagnosticsAsExceptions strict;
        ResourceLoader place(directory);
        // Read as an included file: with no prototypes of the game's to need.
        readEntries(loadFile(place, fileName, Setting::newGroup(), 1));
    } catch (const Exception& e) {
        setAside(firstLine(e.getMessage()));
    } catch (const std::exception& e) {
        setAside(firstLine(e.what()));
    }
}

void Records::readEntries(const Setting& file) {
    if (file.isInvalid()) {
        return;
    }
    if (!file.isGroup()) {
        throw ConfigException("not a list of levels");
    }
    std::map<std::string, LevelBest> read;
    for (const boost::shared_ptr<Setting::Iterator> each = file.iterator(); each->hasNext();) {
        const Setting entry = each->next();
        if (!entry.first().isString() || !isLevelName(entry.first().asString())) {
            throw ConfigException("a level's name is not a name");
        }
        const std::string level = entry.first().asString();
        read[level] = entryOf(level, entry.second());
    }
    best = read;
}

// The damaged file is kept for the player under a name of its own; without
// that, a new file would replace it, so nothing is written this run.
void Records::setAside(const std::string& problem) {
    const fs::path file = directory / fileName;
    for (int attempt = 1; attempt <= asideNamesTried; ++attempt) {
        const fs::path aside =
            file.string() + asideSuffix + (attempt == 1 ? "" : "-" + std::to_string(attempt));
        boost::system::error_code error;
        if (fs::exists(fs::symlink_status(aside, error))) {
            continue;
        }
        fs::rename(file, aside, error);
        if (!error) {
            log.warning(file.string() + " cannot be read (" + problem + "); kept as " +
                        aside.string() + ", and the records start afresh");
            return;
        }
        log.warning(file.string() + " cannot be read (" + problem + ") nor set aside (" +
                    error.message() + "); no records are kept this time");
        writable = false;
        return;
    }
    log.warning(file.string() + " cannot be read (" + problem +
                "); no name was free to set it aside, and no records are kept this time");
    writable = false;
}

Comparison Records::enter(const std::string& level, double time, int corn) {
    Comparison comparison;
    if (!isKept() || !isLevelName(level)) {
        return comparison;
    }
    comparison.kept = true;
    const auto entry = best.find(level);
    comparison.hadBest = entry != best.end();
    if (comparison.hadBest) {
        comparison.previous = entry->second;
    }
    comparison.newTime = !comparison.hadBest || time < comparison.previous.time;
    comparison.newCorn = corn > (comparison.hadBest ? comparison.previous.corn : 0);
    LevelBest& kept = best[level];
    kept = comparison.previous;
    if (comparison.newTime) {
        kept.time = time;
    }
    if (comparison.newCorn) {
        kept.corn = corn;
    }
    save();
    return comparison;
}

std::string Records::text() const {
    std::string out =
        "// Tobble the Glimmet: the best time (in seconds) and the most corn found\n"
        "// in each level finished. The game rewrites this file.\n";
    for (const auto& entry : best) {
        out += entry.first + " = { time = " + seconds(entry.second.time) +
               "; corn = " + std::to_string(entry.second.corn) + " };\n";
    }
    return out;
}

void Records::save() {
    if (!writable) {
        return;
    }
    boost::system::error_code error;
    fs::create_directories(directory, error);
    const std::string problem = error ? directory.string() + ": " + error.message()
                                      : writeAtomically(directory / fileName, text());
    if (!problem.empty() && !writeFailureTold) {
        writeFailureTold = true;
        log.warning("the records cannot be written (" + problem +
                    "); the game goes on without them");
    }
}

std::vector<std::string> resultLines(const LevelRun& run, const Comparison& comparison) {
    std::string time = "time " + formatClock(run.elapsed());
    if (comparison.kept) {
        time += comparison.newTime ? " - new best!"
                                   : " - best " + formatClock(comparison.previous.time);
    }
    std::vector<std::string> lines{time};
    if (run.cornTotal() > 0) {
        std::string corn = formatCorn(run.cornFound(), run.cornTotal());
        if (comparison.newCorn) {
            corn += " - new best!";
        } else if (comparison.hadBest) {
            corn += " - most " + std::to_string(comparison.previous.corn) + "/" +
                    std::to_string(run.cornTotal());
        }
        lines.push_back(corn);
    }
    return lines;
}

}  // namespace lum
