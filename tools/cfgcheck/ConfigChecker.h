#ifndef GLIMMET_CFGCHECK_CONFIGCHECKER_H
#define GLIMMET_CFGCHECK_CONFIGCHECKER_H

#include <iosfwd>
#include <set>
#include <string>
#include <vector>

#include "Finding.h"

namespace lum {

class ResourceLoader;
class Setting;

// Loads configurations the way the game does, below "resources" in the
// working directory, but stops at the first error of a file instead of
// ending the process, so that one broken file does not hide the others; then
// checks each loaded tree against the game's schema of keys. Findings name
// the files as `shownRoot` + the path below the resource directory.
class ConfigChecker {
public:
    explicit ConfigChecker(const std::string& shownRoot);
    ~ConfigChecker();

    ConfigChecker(const ConfigChecker&) = delete;
    ConfigChecker& operator=(const ConfigChecker&) = delete;

    // Every ".cfg" file below the directory `relative` of the resource
    // directory ("" for all of it), sorted, as paths below it.
    std::vector<std::string> filesBelow(const std::string& relative) const;

    // Loads the file at `relative` below the resource directory on its own
    // and adds what it finds.
    void check(const std::string& relative);
    // Loads the file at the absolute path `file` outside the resource
    // directory as the game loads a player's level: its includes beside it
    // first, then below the resource directory.
    void checkOutside(const std::string& file);

    const std::vector<Finding>& findings() const;
    int count(Severity severity) const;

    // Writes the configuration `name` (with or without ".cfg") on `out` as an
    // indented tree. Returns false when it has an error, which is added to
    // the findings.
    bool printTree(const std::string& name, std::ostream& out);

    // The findings' way in from the configuration language's diagnostics.
    void add(const Finding& finding);
    std::string shown(const std::string& gamePath) const;

private:
    bool load(const std::string& name, const std::string& relative, Setting& result);
    bool load(ResourceLoader& resources, const std::string& name, const std::string& shownFile,
              Setting& result);
    void checkKeys(const std::string& name, const Setting& configuration);
    void checkEvents(const std::string& name, const std::string& relative,
                     const Setting& configuration);

    std::string shownRoot;
    std::vector<Finding> found;
    std::set<std::string> told;
};

}  // namespace lum

#endif
