#ifndef GLIMMET_LEVELS_H
#define GLIMMET_LEVELS_H

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "flow/LevelRun.h"

namespace lum {

class Camera;
class Node;
class Records;

// The three levels: building and rebuilding a level's scene, and the scripted
// events of each level (walkways that appear, the jump spot, goal and deadly
// areas, the screens between levels). The level flags only ever go from
// false to true and survive deaths and resets.
class Levels {
public:
    Levels();

    int getCurrentLevel() const;
    void setCurrentLevel(int level);
    // "level1", "level2" or "level3".
    std::string currentName() const;
    const boost::shared_ptr<Camera>& getCamera() const;
    // The attempt at the current level: its clock and its corn.
    LevelRun& getRun();
    // Where finished runs are held against the best; none by default.
    void keepRecordsIn(Records* kept);
    // The records kept, null when none are.
    const Records* keptRecords() const;

    // First set-up of a level: loading screen, scene, camera, player.
    void setupScene(const std::string& level);
    // Rebuilds the level after a death or for the next level; the player
    // starts again at the level's start, alive.
    void resetScene(const std::string& level);
    // The current level's events, once a frame.
    void runEvents();

    bool redCubesDown;
    bool greenCubePlaced;
    bool firstRedCubeDown;
    bool secondRedCubeDown;

private:
    void showLoadingScreen();
    void leaveLevel();
    void setupCamera();
    void setupLevel();
    void level1Events();
    void level2Events();
    void level3Events();
    void checkRedCubes01();
    void checkGreenCubes01();
    void checkGoal01();
    void promptAtEndFlag() const;
    void finishLevel(const char* text, int nextLevel);
    void showEndScreen(const std::string& text);
    std::vector<std::string> finishRun();

    int currentLevel;
    boost::shared_ptr<Camera> camera;
    LevelRun run;
    Records* records;
};

// The player goes on from a screen that waits: Enter held, or the pad's A
// or Start pressed.
bool goOnAsked();

// The player asks to finish the level: F1 (or the key the player chose for
// it) or the pad's Y held. A pad has no F1, and without it a player with
// only a pad could never leave level 2.
bool finishAsked();

// Escape on a screen that waits (the title, an end screen) ends the game at
// once with status 0, as it does in play.
void quitIfAsked();

// Draws the texture of that name over the whole window. It is read anew each
// time: a picture shown once is not kept.
void drawFullScreen(const char* texture);

// The scene's node of that name; a missing name or an object that is not a
// node is an exception.
boost::shared_ptr<Node> sceneNode(const std::string& name);

}  // namespace lum

#endif
