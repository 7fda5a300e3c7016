#include "records/UserSettings.h"

#include <cstdlib>

#include "lum/PlayerOptions.h"
#include "lum/config/Setting.h"
#include "lum/util/Exception.h"
#include "records/XdgDirectory.h"

namespace fs = boost::filesystem;

namespace lum {

namespace {

std::string yesNo(bool value) {
    return value ? "true" : "false";
}

const int sensitivityDecimals = 2;

std::string line(const char* key, const std::string& value) {
    return std::string(key) + " = " + value + ";\n";
}

std::string keysText(const KeyBindings& bindings) {
    std::string out = "keys = {\n";
    for (int each = 0; each < action::Count; ++each) {
        const action::Action one = static_cast<action::Action>(each);
        out += std::string("    ") + KeyBindings::nameOf(one) + " = \"" +
               keyName(bindings.keyOf(one)) + "\";\n";
    }
    return out + "};\n";
}

}  // namespace

const char* const UserSettings::fileName = "settings.cfg";

fs::path UserSettings::userDirectory(const char* xdgConfigHome, const char* home) {
    return xdgDirectory(xdgConfigHome, home, ".config");
}

fs::path UserSettings::userDirectory() {
    return userDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

UserSettings::UserSettings(const fs::path& directory) : file(directory, fileName, "options") {}

// A value of the wrong kind is only a wrong value: its option keeps what the
// game ships. A file that is not a list of options is damaged.
void UserSettings::readInto(PlayerOptions& options) {
    file.read([&options](const Setting& keys) {
        if (keys.isInvalid()) {
            return;
        }
        if (!keys.isGroup()) {
            throw ConfigException("not a list of options");
        }
        options.readOver(keys);
    });
}

void UserSettings::save(const PlayerOptions& options) {
    file.write(text(options));
}

std::string UserSettings::text(const PlayerOptions& settings) {
    return "// Tobble the Glimmet: the options chosen in the game's menus, read over\n"
           "// the settings the game ships. The game rewrites this file.\n" +
           line("windowWidth", std::to_string(settings.windowWidth)) +
           line("windowHeight", std::to_string(settings.windowHeight)) +
           line("fullScreen", yesNo(settings.fullScreen)) +
           line("showframerate", yesNo(settings.showFrameRate)) +
           line("musicVolume", std::to_string(settings.musicVolume)) +
           line("effectsVolume", std::to_string(settings.effectsVolume)) +
           line("mouseSensitivity", fixedPoint(settings.mouseSensitivity, sensitivityDecimals)) +
           line("invertCamera", yesNo(settings.invertCamera)) + keysText(settings.bindings);
}

}  // namespace lum
