#ifndef LUM_GAMESETTINGS_H
#define LUM_GAMESETTINGS_H

#include <deque>
#include <string>

#include "lum/PlayerOptions.h"
#include "lum/config/Setting.h"
#include "lum/util/Singleton.h"

namespace lum {

enum GameType { SPECTATOR = 0, GAME = 1 };
enum GameState { RUNNING = 1, PAUSED = 2 };

// The player's options, read once from the configuration "settings", plus
// the pause state and the on-screen message queue that the game loop and the
// controls share. Fields are read and written directly by their users; the
// player's own options are kept by the game (UserSettings), read over these.
class GameSettings : public Singleton<GameSettings, 0> {
public:
    // The first call loads "settings"; should that fail, the exception goes
    // to the caller and the next call tries again.
    static GameSettings& instance();

    // Every option at its default; nothing is loaded.
    GameSettings();

    // Reads every option from the configuration `name`. A missing key, or a
    // value of a kind the option does not take, gives the option's default.
    void loadConfig(const std::string& name);
    // Queues `text` for the screen for `seconds` ticks of the message clock.
    void announce(const std::string& text, int seconds = 1);
    // Queues the game speed for the screen; a speed still waiting there is
    // replaced, so holding + or - does not fill the queue.
    void announceGameSpeed();

    Setting config;
    GameType gameType;
    GameState state;
    float playerSpeed;
    int framerate;
    bool debug;
    bool showframerate;
    bool wireframe;
    bool texturequality;
    int mipMapQuality;
    bool vertexArrayVBO;
    bool physicsdebug;
    bool frustrumCulling;
    bool transperancy;
    bool cursorEnabled;
    bool animationenabled;
    // The options of the menus, as shipped until the player's are read over
    // them. showframerate above is the switch in force, which F2 also turns.
    PlayerOptions player;
    std::deque<std::string> messages;  // oldest first
    double lastMessageSecond;

private:
    bool loaded;
};

// SPECTATOR for the text "SPECTATOR" and for anything that is not a text;
// GAME for any other text.
GameType toGameType(const Setting& value);

}  // namespace lum

#endif
