#include "flow/LevelList.h"

#include "flow/LevelCatalogue.h"
#include "flow/LevelRun.h"
#include "records/Records.h"

namespace lum {

namespace {

// The names are padded to this width, so the times stand in a column.
const std::size_t nameWidth = 10;
// A longer name is cut, so that the line stays on the screen.
const std::size_t longestName = 20;
const char* const cutMark = "..";

}  // namespace

std::vector<LevelEntry> listLevels(const LevelCatalogue& catalogue) {
    std::vector<LevelEntry> levels;
    for (const CataloguedLevel& level : catalogue.levels()) {
        if (!level.playable()) {
            continue;
        }
        const bool shipped = level.origin == LevelOrigin::shipped;
        levels.push_back({level.number, level.name,
                          shipped ? "Level " + std::to_string(level.number) : level.title,
                          shipped});
    }
    return levels;
}

int firstUnfinished(const std::vector<LevelEntry>& levels, const Records* records) {
    if (levels.empty()) {
        return 1;
    }
    LevelBest best{};
    for (const LevelEntry& level : levels) {
        if (records == nullptr || !records->bestOf(level.file, best)) {
            return level.number;
        }
    }
    return levels.front().number;
}

std::string recordLine(const LevelEntry& level, const Records* records) {
    std::string line = level.name;
    if (line.size() > longestName) {
        line = line.substr(0, longestName - std::string(cutMark).size()) + cutMark;
    }
    line += ' ';
    line.resize(std::max(line.size(), nameWidth), ' ');
    LevelBest best{};
    if (records == nullptr || !records->bestOf(level.file, best)) {
        return line + "not played";
    }
    return line + formatClock(best.time) + "   corn " + std::to_string(best.corn);
}

}  // namespace lum
