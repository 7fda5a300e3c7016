#ifndef GLIMMET_CFGCHECK_CONFIGCHECKER_H
#define GLIMMET_CFGCHECK_CONFIGCHECKER_H

#include <iosfwd>
#include <string>

namespace lum {

// Loads configurations the way the game does, below "resources" in the
// working directory, but stops at the first diagnostic of a file instead of
// ending the process, so that one broken file does not hide the others.
// The game's messages go to standard error exactly as the game prints them.
class ConfigChecker {
public:
    ConfigChecker();
    ~ConfigChecker();

    ConfigChecker(const ConfigChecker&) = delete;
    ConfigChecker& operator=(const ConfigChecker&) = delete;

    // Loads every ".cfg" file below "resources" on its own and lists on `out`
    // whether it loaded cleanly. Returns the number of files with errors.
    int checkAll(std::ostream& out) const;

    // Writes the configuration `name` (with or without ".cfg") on `out` as an
    // indented tree. Returns false when it has an error.
    bool printTree(const std::string& name, std::ostream& out) const;
};

}  // namespace lum

#endif
