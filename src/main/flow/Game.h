#ifndef GLIMMET_GAME_H
#define GLIMMET_GAME_H

#include <memory>

#include <boost/shared_ptr.hpp>

#include "flow/Levels.h"
#include "flow/PauseScreen.h"
#include "lum/GameSettings.h"
#include "lum/look/Backdrop.h"
#include "lum/look/BlobShadow.h"

namespace lum {

class LevelWatch;
class Sound;

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
    // The music, once a level has started; null before.
    const boost::shared_ptr<Sound>& getMusic() const;
    // The music's and the effects' loudness as the player's options set them.
    void applyVolumes();

private:
    bool chooseLevel();
    // `fromPlay`: keys held as the title shows belong to the level left.
    int waitOnTitle(bool fromPlay = false);
    void playBackgroundMusic();
    bool handleInput(float dt);
    void pauseOnFocusLoss();
    bool pausedPass();
    void showPause() const;
    void resume();
    bool backToTitle();
    bool checkDeath();
    void drawMessages();
    static void drawMessage(const std::string& text);
    void drawFrameRate();
    void drawRun();
    void drawLevel();
    void warmDrawing();
    void restartIfChanged();
    bool waitUntilWatchedLevelBuilds();
    void drawLevelProblem();

    GameType gameType;
    int firstLevel;
    // The dead player's wait for Enter has begun.
    bool deathSeen;
    // The pause menu shows, since the pass that paused.
    bool pauseShown;
    // The window had the focus at the pass before.
    bool wasFocused;
    PauseScreen pause;
    Levels levels;
    boost::shared_ptr<Sound> backgroundMusic;
    Backdrop room;
    BlobShadow shadows;
    std::unique_ptr<LevelWatch> watch;
};

}  // namespace lum

#endif
