#include "lum/GameSettings.h"

#include <cstddef>
#include <iomanip>
#include <sstream>

#include "lum/resource/ConfigLoader.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const char* const gameSpeedMessage = "Game speed: ";

// An option: its key in "settings", the field it fills and its default.
template <class Field>
struct Option {
    const char* key;
    Field GameSettings::*field;
    Field fallback;
};

const Option<bool> flags[] = {
    {"debug", &GameSettings::debug, false},
    {"showframerate", &GameSettings::showframerate, false},
    {"wireframe", &GameSettings::wireframe, false},
    {"texturequality", &GameSettings::texturequality, false},
    {"vertexArrayVBO", &GameSettings::vertexArrayVBO, false},
    {"physicsdebug", &GameSettings::physicsdebug, false},
    {"frustrumCulling", &GameSettings::frustrumCulling, false},
    {"transperancy", &GameSettings::transperancy, true},
    {"cursorEnabled", &GameSettings::cursorEnabled, true},
    {"animationenabled", &GameSettings::animationenabled, true},
};

const Option<int> wholeNumbers[] = {
    {"framerate", &GameSettings::framerate, 120},
    {"mipMapQuality", &GameSettings::mipMapQuality, 0},
};

const Option<float> numbers[] = {
    {"playerSpeed", &GameSettings::playerSpeed, 5.0f},
};

bool read(const Setting& value, bool fallback) {
    return value.boolOr(fallback);
}

int read(const Setting& value, int fallback) {
    return value.intOr(fallback);
}

float read(const Setting& value, float fallback) {
    return static_cast<float>(value.doubleOr(fallback));
}

template <class Field, std::size_t count>
void setDefaults(const Option<Field> (&options)[count], GameSettings& settings) {
    for (const Option<Field>& option : options) {
        settings.*option.field = option.fallback;
    }
}

template <class Field, std::size_t count>
void readOptions(const Option<Field> (&options)[count], const Setting& keys,
                 GameSettings& settings) {
    for (const Option<Field>& option : options) {
        settings.*option.field = read(keys(option.key), option.fallback);
    }
}

}  // namespace

GameSettings& GameSettings::instance() {
    LUM_TRACE_BEGIN
    // Loading here rather than in the constructor keeps the settings object
    // when the file fails to load, and the next call tries the file again.
    GameSettings& settings = Singleton<GameSettings, 0>::instance();
    if (!settings.loaded) {
        settings.loadConfig("settings");
        settings.state = RUNNING;
        settings.loaded = true;
    }
    return settings;
    LUM_TRACE_END
}

GameSettings::GameSettings()
    : gameType(SPECTATOR), state(RUNNING), lastMessageSecond(0), loaded(false) {
    setDefaults(flags, *this);
    setDefaults(wholeNumbers, *this);
    setDefaults(numbers, *this);
}

void GameSettings::loadConfig(const std::string& name) {
    LUM_TRACE_BEGIN
    config = ConfigLoader::instance().load(name);
    // A file without any setting loads as Invalid, which has no keys at all.
    const Setting keys = config.isGroup() ? config : Setting::newGroup();
    gameType = toGameType(keys("gameType"));
    readOptions(flags, keys, *this);
    readOptions(wholeNumbers, keys, *this);
    readOptions(numbers, keys, *this);
    player = PlayerOptions();
    player.readOver(keys);
    LUM_TRACE_END
}

GameType toGameType(const Setting& value) {
    LUM_TRACE_BEGIN
    const std::string text = value.isString() ? value.asString() : "SPECTATOR";
    return text == "SPECTATOR" ? SPECTATOR : GAME;
    LUM_TRACE_END
}

void GameSettings::announce(const std::string& text, int seconds) {
    for (int i = 0; i < seconds; ++i) {
        messages.push_back(text);
    }
}

void GameSettings::announceGameSpeed() {
    std::ostringstream text;
    text << gameSpeedMessage << std::fixed << std::setprecision(1) << playerSpeed;
    if (!messages.empty() && messages.back().rfind(gameSpeedMessage, 0) == 0) {
        messages.back() = text.str();
    } else {
        messages.push_back(text.str());
    }
}

}  // namespace lum
