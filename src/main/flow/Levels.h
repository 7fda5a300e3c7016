#ifndef GLIMMET_LEVELS_H
#define GLIMMET_LEVELS_H

#include <map>
#include <set>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "flow/LevelRun.h"
#include "flow/LevelScript.h"
#include "flow/Screen.h"

namespace lum {

class Camera;
class Node;
class Records;

// The levels: building and rebuilding a level's scene, running the events
// its file scripts (walkways that appear, the jump spot, goal and deadly
// areas), and the screens between levels. A level's flags, once set, stay
// set through deaths, restarts and other levels for the rest of the run.
class Levels {
public:
    Levels();

    int getCurrentLevel() const;
    void setCurrentLevel(int level);
    // What the current level loads: "level1", "level2", ..., or the name
    // given to its number.
    std::string currentName() const;
    // The level the end screen leads on to: 0 after the last, and after a
    // level whose next one was not found, which ends the game as the last does.
    int nextLevel() const;
    // What each level loads, by number from 1 (a player's level: its file's
    // path without ".cfg"); a number beyond the list loads "levelN".
    void nameLevels(const std::vector<std::string>& names);
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
    // Whether the player left a level's end screen for the title since the
    // last call.
    bool takeTitleRequest();

    // Whether the current level has set `flag`.
    bool hasFlag(const std::string& flag) const;
    // Tobble below this height has fallen off the current level.
    float deathHeight() const;
    // What the current level's file says happens in it.
    const LevelScript& getScript() const;

private:
    void showLoadingScreen();
    void leaveLevel();
    // The level's scene and its script, from the files of the level `level`.
    void loadLevel(const std::string& level);
    void setupCamera();
    void setupLevel();
    void promptAtEndFlag() const;
    void finishLevel();
    ScreenOutcome showEndScreen();
    std::vector<std::string> finishRun();

    int currentLevel;
    std::vector<std::string> levelNames;
    LevelScript script;
    std::map<std::string, std::set<std::string>> flags;
    boost::shared_ptr<Camera> camera;
    LevelRun run;
    Records* records;
    bool titleAsked;
};

// The player asks to finish the level: F1 (or the key the player chose for
// it) or the pad's Y held. A pad has no F1, and without it a player with
// only a pad could never leave level 2.
bool finishAsked();

// Escape on a screen that waits for a level's files ends the game at once
// with status 0, as it does in play.
void quitIfAsked();

// Draws the texture of that name over the whole window. It is read anew each
// time: a picture shown once is not kept.
void drawFullScreen(const char* texture);

// The scene's node of that name; a missing name or an object that is not a
// node is an exception.
boost::shared_ptr<Node> sceneNode(const std::string& name);

}  // namespace lum

#endif
