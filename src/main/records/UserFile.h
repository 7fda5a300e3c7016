#ifndef GLIMMET_USERFILE_H
#define GLIMMET_USERFILE_H

#include <functional>
#include <string>

#include <boost/filesystem/path.hpp>

#include "lum/util/Log.h"

namespace lum {

class Setting;

// A file the game keeps for the player (the records, the options) in a
// directory of the player's own, in the game's configuration language.
// Nothing about the file ever stops the game: one that cannot be read is
// reported once and renamed aside (never deleted), and a failed write is
// reported once and the game goes on without it.
class UserFile {
public:
    // `what` names the content in the reports: "records", "options".
    UserFile(const boost::filesystem::path& directory, const char* fileName, const char* what);

    // False without a directory: nothing is read nor written.
    bool isKept() const;
    // Reads the file, when there is one, and hands its settings to `take`,
    // which throws for content it cannot use. A file that fails either way
    // is set aside and `take` is not called again.
    void read(const std::function<void(const Setting& file)>& take);
    // Replaces the file with `text` at once and whole; creates the directory.
    void write(const std::string& text);

private:
    void setAside(const std::string& problem);

    boost::filesystem::path directory;
    std::string fileName;
    std::string what;
    bool writable;
    bool writeFailureTold;
    Log log;
};

// `value` with `decimals` digits after the point, as the configuration
// language reads a number back: fixed point, never an exponent, whatever
// the locale.
std::string fixedPoint(double value, int decimals);

}  // namespace lum

#endif
