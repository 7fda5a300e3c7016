#ifndef GLIMMET_GAME_H
#define GLIMMET_GAME_H

#include <functional>
#include <memory>

#include <boost/shared_ptr.hpp>

#include "flow/ChoiceScreen.h"
#include "flow/LevelCatalogue.h"
#include "flow/LevelList.h"
#include "flow/Levels.h"
#include "flow/PauseScreen.h"
#include "lum/GameSettings.h"
#include "lum/look/Backdrop.h"
#include "lum/look/BlobShadow.h"
#include "lum/platform/InputFrame.h"

namespace lum {

// The foot of the messages' line, in the window's -1 to 1 coordinates:
// below Tobble, above the flag's prompt.
extern const float messageTop;

class LevelWatch;
class Sound;
class Texture;
class UserSettings;

// The game's flow on top of the frame loop: the title screen and the first
// level, the preparation before the first pass, and the work of each pass.
// Made after the renderer and gone before it: the level goes with the game.
class Game {
public:
    // `firstLevel` 1 to 5 starts that level at once; 0 shows the title screen.
    explicit Game(int firstLevel = 0);
    ~Game();

    // Title screen until a level is chosen (or the window is closed), the
    // chosen level, the music.
    void start();
    void prepareLoop();
    // Returns false when the pass ends early and the frame is not presented.
    bool pass(double dt);

    Levels& getLevels();
    // The level starts again whenever its files change (a designer's
    // --watch); a broken file's problem stays on screen until it is mended.
    void watchLevel(std::unique_ptr<LevelWatch> watch);
    // The levels the title's menus offer; by default those the data holds.
    void offerLevels(const std::vector<LevelEntry>& levels);
    // Instead: the levels `find` returns, found once the title's picture
    // shows, offered and named as the game's levels.
    void findLevelsOnTitle(std::function<LevelCatalogue()> find);
    // The music, once a level has started; null before.
    const boost::shared_ptr<Sound>& getMusic() const;
    // The music's and the effects' loudness as the player's options set them.
    void applyVolumes();
    // The player's options are kept in `settings` whenever they change; null
    // keeps them nowhere.
    void keepOptionsIn(UserSettings* settings);
    // Puts the player's options in force at once and keeps them.
    void applyOptions();
    // Full screen on or off, as Alt+Enter asks anywhere in the game.
    void switchFullScreen();

private:
    bool chooseLevel();
    // `fromPlay`: keys held as the title shows belong to the level left.
    int waitOnTitle(bool fromPlay = false);
    boost::shared_ptr<Texture> showTitlePicture();
    void playBackgroundMusic();
    bool handleInput(float dt);
    void pauseOnFocusLoss();
    bool pausedPass();
    // The options over `background`; false when the window was closed there.
    bool showOptions(const std::function<void()>& background);
    void keepOptions();
    void showPause() const;
    void resume();
    bool backToTitle();
    bool checkDeath();
    void openDeathScreen();
    bool deadPass();
    void showDeath() const;
    void drawMessages();
    static void drawMessage(const std::string& text);
    void drawFrameRate();
    void drawObjective();
    void drawRun();
    void drawLevel();
    void warmDrawing();
    void restartIfChanged();
    bool waitUntilWatchedLevelBuilds();
    void drawLevelProblem();

    GameType gameType;
    int firstLevel;
    // The dead player's wait for a choice has begun.
    bool deathSeen;
    // The pause menu shows, since the pass that paused.
    bool pauseShown;
    // The window had the focus at the pass before.
    bool wasFocused;
    PauseScreen pause;
    ChoiceScreen death;
    Levels levels;
    boost::shared_ptr<Sound> backgroundMusic;
    Backdrop room;
    BlobShadow shadows;
    std::unique_ptr<LevelWatch> watch;
    UserSettings* userSettings;
    // The window the options last asked for: the command line's stays
    // until the player chooses another.
    WindowSize sizeInForce;
    bool fullScreenInForce;
    std::vector<LevelEntry> offered;
    std::function<LevelCatalogue()> findLevels;
};

}  // namespace lum

#endif
