#ifndef GLIMMET_USERSETTINGS_H
#define GLIMMET_USERSETTINGS_H

#include <string>

#include <boost/filesystem/path.hpp>

#include "records/UserFile.h"

namespace lum {

struct PlayerOptions;

// The options the player chose in the menus, kept between runs as
// "settings.cfg" in the user's configuration directory, in the game's
// configuration language, and read over the settings the game ships. The
// file is the game's as the records are: one it cannot read is set aside,
// one it cannot write is reported once, and the game goes on.
class UserSettings {
public:
    static const char* const fileName;

    // $XDG_CONFIG_HOME/glimmet when that is an absolute path, otherwise
    // $HOME/.config/glimmet; empty when neither is known. The arguments are
    // the variables' values, null when unset.
    static boost::filesystem::path userDirectory(const char* xdgConfigHome, const char* home);
    // The same for this process's environment.
    static boost::filesystem::path userDirectory();

    // Options kept in `directory`; an empty path keeps none.
    explicit UserSettings(const boost::filesystem::path& directory);

    // The player's file over `options`.
    void readInto(PlayerOptions& options);
    // `options` into the file, replacing it whole.
    void save(const PlayerOptions& options);
    // The file as save writes it.
    static std::string text(const PlayerOptions& options);

private:
    UserFile file;
};

}  // namespace lum

#endif
