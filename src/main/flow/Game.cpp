#include "flow/Game.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "flow/CameraSteering.h"
#include "flow/LevelWatch.h"
#include "flow/TextPanel.h"
#include "lum/Control.h"
#include "lum/ControlLogic.h"
#include "lum/character/Glimmet.h"
#include "lum/character/Props.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/platform/Timer.h"
#include "lum/platform/Window.h"
#include "lum/render/Renderer.h"
#include "lum/resource/Sound.h"
#include "lum/resource/TextureLoader.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const glm::vec3 white(1, 1, 1);
const float musicGain = 0.1f;
const double titlePace = 0.02;
// Room for "99:59.9  corn 10/10" at the right edge.
const float hudLeft = 0.4f;
const float hudTop = 0.92f;
const float hudSize = 0.03f;
// A broken level file's problem, near the top of the screen, below the clock.
const float problemTop = 0.75f;
const float problemLineGap = 0.2f;
const float problemSize = 0.03f;
const float problemLeft = -0.95f;
const float problemWidth = 1.9f;
const glm::vec3 problemColour(1.0f, 0.85f, 0.3f);

}  // namespace

Game::Game(int firstLevel) : gameType(SPECTATOR), firstLevel(firstLevel), deathSeen(false) {}

// The level's objects hold OpenGL objects: they go while the window still exists.
Game::~Game() {
    Scene::global().getRoot()->removeAllChildren();
}

Levels& Game::getLevels() {
    return levels;
}

void Game::watchLevel(std::unique_ptr<LevelWatch> levelWatch) {
    watch = std::move(levelWatch);
}

void Game::start() {
    LUM_TRACE_BEGIN
    gameType = GameSettings::instance().gameType;
    Control::instance();
    // The toy room's wall colour behind everything the levels draw.
    glClearColor(0.62f, 0.78f, 0.9f, 1.0f);
    if (!chooseLevel()) {
        return;
    }
    Scene::global().update(0.0);
    playBackgroundMusic();
    LUM_TRACE_END
}

// False when the window was closed on the title screen.
bool Game::chooseLevel() {
    LUM_TRACE_BEGIN
    const int level = firstLevel != 0 ? firstLevel : waitOnTitle();
    if (level == 0) {
        return false;
    }
    levels.setCurrentLevel(level);
    if (!waitUntilWatchedLevelBuilds()) {
        return false;
    }
    levels.setupScene(levels.currentName());
    warmDrawing();
    return true;
    LUM_TRACE_END
}

// The level chosen on the title screen, 0 when the window was closed there.
int Game::waitOnTitle() {
    LUM_TRACE_BEGIN
    // Drawn every pass while the title shows, and never again: it is gone
    // before the first level loads.
    const boost::shared_ptr<Texture> title = TextureLoader::instance().loadPicture("start");
    Control::instance().capturePointer(false);
    while (window().isOpen()) {
        Renderer::instance().drawImage(title, -1, -1, 2, 2);
        window().swapBuffers();
        window().sleep(titlePace);
        Control::instance().update(0.0);
        quitIfAsked();
        if (goOnAsked()) {
            return 1;
        }
        if (window().isKeyDown(key::function(2))) {
            return 2;
        }
        if (window().isKeyDown(key::function(3))) {
            return 3;
        }
    }
    return 0;
    LUM_TRACE_END
}

void Game::playBackgroundMusic() {
    LUM_TRACE_BEGIN
    backgroundMusic = UberLoader::instance().loadSound("BGMcalmViolence");
    backgroundMusic->setGain(musicGain);
    backgroundMusic->play(true, false);
    LUM_TRACE_END
}

void Game::prepareLoop() {
    LUM_TRACE_BEGIN
    PhysicsSystem::instance();
    ControlLogic::instance().setCamera(levels.getCamera());
    // F2 and F3 chose the level: they must not also switch the frame rate
    // display or the wireframe on in the first frame.
    ControlLogic::instance().latchHeldKeys();
    GameSettings::instance();
    Control::instance();
    LUM_TRACE_END
}

bool Game::pass(double dt) {
    LUM_TRACE_BEGIN
    const float step = static_cast<float>(dt);
    restartIfChanged();
    if (!handleInput(step)) {
        return false;
    }
    levels.getRun().advance(dt);
    Glimmet::instance().updateSound();
    if (levels.getCamera()) {
        updateCamera(step, gameType, *levels.getCamera());
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Scene::global().update(dt);
    tipBlocksOverRims(*Scene::global().getRoot());
    PhysicsSystem::instance().step(dt);
    if (GameSettings::instance().physicsdebug) {
        PhysicsSystem::instance().debugDraw();
    }
    drawLevel();
    if (checkDeath()) {
        return false;
    }
    drawMessages();
    drawFrameRate();
    drawLevelProblem();
    const int level = levels.getCurrentLevel();
    levels.runEvents();
    // A new level's first picture replaces the loading one; the run is not
    // drawn over a death.
    if (levels.getCurrentLevel() != level) {
        warmDrawing();
    } else if (Glimmet::instance().alive) {
        drawRun();
    }
    return true;
    LUM_TRACE_END
}

// Input, pause and the dead player's wait for Enter; false ends the pass.
bool Game::handleInput(float dt) {
    LUM_TRACE_BEGIN
    Control::instance().update(dt);
    ControlLogic& logic = ControlLogic::instance();
    logic.handleKeys(dt);
    logic.releaseLatches();
    const GameSettings& settings = GameSettings::instance();
    // F10 (the pointer "enabled") frees it in play too.
    Control::instance().capturePointer(settings.state == RUNNING && Glimmet::instance().alive &&
                                       !settings.cursorEnabled);
    if (settings.state == PAUSED) {
        return false;
    }
    logic.handleModeKeys();
    logic.movePlayer(dt);
    if (!Glimmet::instance().alive) {
        if (!deathSeen) {
            // A still held from a jump into the fall is not yet a wish to go on.
            Control::instance().takeHeldPadButtons();
            deathSeen = true;
        }
        // The pad's Start was taken by the pause, as P would be.
        if (!goOnAsked()) {
            return false;
        }
        deathSeen = false;
        levels.resetScene(levels.currentName());
    }
    return true;
    LUM_TRACE_END
}

bool Game::checkDeath() {
    LUM_TRACE_BEGIN
    Glimmet& player = Glimmet::instance();
    if (player.getWorldTransform().translation.y >= levels.deathHeight()) {
        return false;
    }
    player.kill();
    drawFullScreen("dead");
    window().swapBuffers();
    std::cout << "<<======== Du bist TOT! ========>>" << std::endl;
    return true;
    LUM_TRACE_END
}

// The front message stays until the clock's next whole second.
// A message starts at its usual place; one that would run off the right
// edge starts further left, and one wider than the screen is drawn smaller.
void Game::drawMessage(const std::string& text) {
    LUM_TRACE_BEGIN
    const float usualLeft = -0.5f, usualSize = 0.04f, leftEdge = -0.95f, rightEdge = 0.95f;
    const float characters = static_cast<float>(std::max<std::size_t>(text.size(), 1));
    const float size = std::min(usualSize, (rightEdge - leftEdge) / characters);
    const float left = std::min(usualLeft, rightEdge - size * characters);
    Renderer::instance().drawText(text, left, 0.0f, size, white);
    LUM_TRACE_END
}

void Game::drawMessages() {
    LUM_TRACE_BEGIN
    GameSettings& settings = GameSettings::instance();
    if (!settings.messages.empty()) {
        drawMessage(settings.messages.front());
    }
    const double second = std::ceil(window().getTime());
    if (second != settings.lastMessageSecond) {
        settings.lastMessageSecond = second;
        if (!settings.messages.empty()) {
            settings.messages.pop_front();
        }
    }
    LUM_TRACE_END
}

void Game::drawFrameRate() {
    LUM_TRACE_BEGIN
    if (GameSettings::instance().showframerate) {
        const long rate = std::lround(Timer::instance().getFrameRate());
        Renderer::instance().drawText("Framerate: " + std::to_string(rate), -0.95f, 0.92f, 0.03f,
                                      white);
    }
    LUM_TRACE_END
}

void Game::drawLevel() {
    LUM_TRACE_BEGIN
    // The room after the opaque models: only the pixels they leave are filled.
    Scene::global().render(Renderer::instance(), [this] { room.draw(levels.currentName()); });
    shadows.drawUnderMovingBodies(*Scene::global().getRoot());
    LUM_TRACE_END
}

// A level's first picture makes the software renderer build its programs
// for every state the level's drawing meets, a stall of a tenth of a second
// or more: it is drawn, and finished, while the loading picture still shows.
// What it leaves in the back buffer is the level as it starts.
void Game::warmDrawing() {
    LUM_TRACE_BEGIN
    if (!Renderer::instance().isDrawing()) {
        return;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawLevel();
    drawRun();
    glFinish();
    LUM_TRACE_END
}

// A watched level that does not build yet waits on the loading picture, its
// problem shown, until a save mends it. False when the window was closed.
bool Game::waitUntilWatchedLevelBuilds() {
    LUM_TRACE_BEGIN
    while (watch && !watch->startable()) {
        drawFullScreen("loading");
        drawLevelProblem();
        window().swapBuffers();
        window().sleep(LevelWatch::pollInterval);
        Control::instance().update(0.0);
        quitIfAsked();
        if (!window().isOpen()) {
            return false;
        }
    }
    return true;
    LUM_TRACE_END
}

// The level is built aside first, so a file that breaks between that and
// the restart is the only way a restart fails; the game goes on either way.
// Once the player has gone on to the next level, the watched one's files
// restart nothing.
void Game::restartIfChanged() {
    LUM_TRACE_BEGIN
    if (!watch || levels.currentName() != watch->levelName() ||
        !watch->restartDue(window().getTime())) {
        return;
    }
    const LevelProblem failure = problemOf(
        [this] {
            levels.resetScene(levels.currentName());
            deathSeen = false;
            // The room is read again too: it may be what changed.
            room = Backdrop();
            warmDrawing();
        },
        levels.currentName());
    if (failure.empty()) {
        watch->restarted();
    } else {
        watch->restartFailed(failure);
    }
    LUM_TRACE_END
}

// The place on one line and what is wrong on the next, each made smaller
// when it would run off the screen.
void Game::drawLevelProblem() {
    LUM_TRACE_BEGIN
    if (!watch || watch->problem().empty() || levels.currentName() != watch->levelName()) {
        return;
    }
    const LevelProblem& problem = watch->problem();
    const std::string place =
        problem.message().substr(0, problem.message().size() - problem.text.size());
    const std::string lines[] = {place, problem.text};
    float top = problemTop;
    for (const std::string& line : lines) {
        const float characters = static_cast<float>(std::max<std::size_t>(line.size(), 1));
        drawTextOnPanel(line, problemLeft, top, std::min(problemSize, problemWidth / characters),
                        problemColour);
        top -= problemLineGap;
    }
    LUM_TRACE_END
}

// The clock and the corn in the top right corner, clear of the frame rate.
void Game::drawRun() {
    LUM_TRACE_BEGIN
    Renderer::instance().drawText(levels.getRun().hudText(), hudLeft, hudTop, hudSize, white);
    LUM_TRACE_END
}

}  // namespace lum
