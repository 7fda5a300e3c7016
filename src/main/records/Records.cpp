#include "records/Records.h"

#include <cmath>
#include <cstdlib>
#include <regex>

#include "flow/LevelRun.h"
#include "lum/config/Setting.h"
#include "lum/util/Exception.h"
#include "records/XdgDirectory.h"

namespace fs = boost::filesystem;

namespace lum {

namespace {

bool isLevelName(const std::string& name) {
    return std::regex_match(name, std::regex("[A-Za-z_][A-Za-z0-9_]*"));
}

const int secondsDecimals = 3;

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

Records::Records(const fs::path& directory) : file(directory, fileName, "records") {
    file.read([this](const Setting& entries) { readEntries(entries); });
}

bool Records::isKept() const {
    return file.isKept();
}

bool Records::bestOf(const std::string& level, LevelBest& found) const {
    const auto entry = best.find(level);
    if (entry == best.end()) {
        return false;
    }
    found = entry->second;
    return true;
}

void Records::readEntries(const Setting& entries) {
    if (entries.isInvalid()) {
        return;
    }
    if (!entries.isGroup()) {
        throw ConfigException("not a list of levels");
    }
    std::map<std::string, LevelBest> read;
    for (const boost::shared_ptr<Setting::Iterator> each = entries.iterator(); each->hasNext();) {
        const Setting entry = each->next();
        if (!entry.first().isString() || !isLevelName(entry.first().asString())) {
            throw ConfigException("a level's name is not a name");
        }
        const std::string level = entry.first().asString();
        read[level] = entryOf(level, entry.second());
    }
    best = read;
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
    file.write(text());
    return comparison;
}

std::string Records::text() const {
    std::string out =
        "// Tobble the Glimmet: the best time (in seconds) and the most corn found\n"
        "// in each level finished. The game rewrites this file.\n";
    for (const auto& entry : best) {
        out += entry.first + " = { time = " + fixedPoint(entry.second.time, secondsDecimals) +
               "; corn = " + std::to_string(entry.second.corn) + " };\n";
    }
    return out;
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
