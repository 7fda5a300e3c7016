#ifndef GLIMMET_LEVELLIST_H
#define GLIMMET_LEVELLIST_H

#include <string>
#include <vector>

namespace lum {

class Records;

// A level the player can choose.
struct LevelEntry {
    int number;        // as Levels counts them
    std::string file;  // "level1": its configuration, and its name in the records
    std::string name;  // as the screens show it
    bool shipped;      // the game's own, checked as it was built
};

class LevelCatalogue;

// The levels of `catalogue` that can be played, in its order: the game's
// own as "Level 1", "Level 2", ..., the others by their file's name. Where
// the menus learn which levels there are.
std::vector<LevelEntry> listLevels(const LevelCatalogue& catalogue);

// The level Play starts: the first of `levels` without a finished run in
// `records`, else the first; without records the first.
int firstUnfinished(const std::vector<LevelEntry>& levels, const Records* records);

// "Level 1   1:23.4   corn 3", or "Level 1   not played".
std::string recordLine(const LevelEntry& level, const Records* records);

}  // namespace lum

#endif
