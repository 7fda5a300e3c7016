#include "lum/GameSettings.h"

#include <iomanip>
#include <sstream>

#include "lum/resource/ConfigLoader.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const float defaultPlayerSpeed = 5.0f;
const int defaultFramerate = 120;
const char* const gameSpeedMessage = "Game speed: ";

bool isNumber(const Setting& value) { return value.isDouble() || value.isInt(); }

float readFloat(const Setting& value, float fallback) {
    return isNumber(value) ? static_cast<float>(value.asDouble()) : fallback;
}

int readInt(const Setting& value, int fallback) {
    return isNumber(value) ? value.asInt() : fallback;
}

bool readBool(const Setting& value, bool fallback) {
    return value.isBool() ? value.asBool() : fallback;
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
    : gameType(SPECTATOR),
      state(RUNNING),
      playerSpeed(defaultPlayerSpeed),
      framerate(defaultFramerate),
      debug(false),
      showframerate(false),
      wireframe(false),
      texturequality(false),
      mipMapQuality(0),
      vertexArrayVBO(false),
      physicsdebug(false),
      frustrumCulling(false),
      transperancy(true),
      cursorEnabled(true),
      animationenabled(true),
      lastMessageSecond(0),
      loaded(false) {}

void GameSettings::loadConfig(const std::string& name) {
    LUM_TRACE_BEGIN
    config = ConfigLoader::instance().load(name);
    // A file without any setting loads as Invalid, which has no keys at all.
    const Setting keys = config.isGroup() ? config : Setting::newGroup();
    gameType = toGameType(keys("gameType"));
    playerSpeed = readFloat(keys("playerSpeed"), defaultPlayerSpeed);
    framerate = readInt(keys("framerate"), defaultFramerate);
    debug = readBool(keys("debug"), false);
    showframerate = readBool(keys("showframerate"), false);
    wireframe = readBool(keys("wireframe"), false);
    texturequality = readBool(keys("texturequality"), false);
    mipMapQuality = readInt(keys("mipMapQuality"), 0);
    vertexArrayVBO = readBool(keys("vertexArrayVBO"), false);
    physicsdebug = readBool(keys("physicsdebug"), false);
    frustrumCulling = readBool(keys("frustrumCulling"), false);
    transperancy = readBool(keys("transperancy"), true);
    cursorEnabled = readBool(keys("cursorEnabled"), true);
    animationenabled = readBool(keys("animationenabled"), true);
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
