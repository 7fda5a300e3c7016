#include "flow/LevelList.h"

#include "flow/LevelRun.h"
#include "records/Records.h"

namespace lum {

namespace {

const int shippedCount = 3;
// The names are padded to this width, so the times stand in a column.
const std::size_t nameWidth = 10;

}  // namespace

std::vector<LevelEntry> shippedLevels() {
    std::vector<LevelEntry> levels;
    for (int number = 1; number <= shippedCount; ++number) {
        levels.push_back(
            {number, "level" + std::to_string(number), "Level " + std::to_string(number)});
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
    line.resize(std::max(line.size(), nameWidth), ' ');
    LevelBest best{};
    if (records == nullptr || !records->bestOf(level.file, best)) {
        return line + "not played";
    }
    return line + formatClock(best.time) + "   corn " + std::to_string(best.corn);
}

}  // namespace lum
