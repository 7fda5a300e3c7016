#ifndef GLIMMET_LEVELCATALOGUE_H
#define GLIMMET_LEVELCATALOGUE_H

#include <string>
#include <vector>

#include <boost/filesystem/path.hpp>

#include "flow/LevelCheck.h"

namespace lum {

// Where a level comes from.
enum class LevelOrigin {
    // "level1", "level2", ... of the game's data.
    shipped,
    // Any other file in the data's "resources/levels".
    data,
    // A file in the player's own levels directory.
    player,
    // Named on the command line.
    file
};

// One level the game can start.
struct CataloguedLevel {
    // From 1: the shipped levels first, then the others in the order found.
    int number;
    // What the game loads: "levelN" for a shipped level, otherwise the
    // file's absolute path without ".cfg".
    std::string name;
    // The file's name without ".cfg", as a menu would show it.
    std::string title;
    LevelOrigin origin;
    // The file that holds it, as the player would find it.
    std::string file;
    // Empty when the level's files load.
    LevelProblem problem;

    bool playable() const;
};

// The levels the game can start: its own, numbered 1 to n as they follow
// each other in the data, then the other level files in the data's
// "resources/levels" and in the player's own levels directory, each set in
// the order of their file names. Each is checked as it is found; a broken one
// keeps its number, with its problem, so that the numbers of the others
// never move when one breaks.
class LevelCatalogue {
public:
    // The levels of the data in the working directory and of `playerLevels`
    // (which may be empty or missing).
    static LevelCatalogue find(const boost::filesystem::path& playerLevels);
    // The player's levels directory: $XDG_DATA_HOME/glimmet/levels, or
    // ~/.local/share/glimmet/levels; empty when neither is known.
    static boost::filesystem::path playerDirectory();

    // Adds the level file `path` (checked) unless it is already listed, and
    // returns its number. Relative paths are taken from the working directory.
    int addFile(const boost::filesystem::path& path);

    const std::vector<CataloguedLevel>& levels() const;
    // Null when there is no level of that number.
    const CataloguedLevel* byNumber(int number) const;
    // What the game loads for each level, by number from 1.
    std::vector<std::string> names() const;

private:
    void add(const std::string& name, const std::string& file, LevelOrigin origin);
    void addFilesIn(const boost::filesystem::path& directory, LevelOrigin origin);

    std::vector<CataloguedLevel> found;
};

// "data", "player", "file" or "shipped", for messages and menus.
const char* originName(LevelOrigin origin);

}  // namespace lum

#endif
