#include "flow/Levels.h"

#include <cstdlib>

#include <glm/geometric.hpp>

#include "flow/LevelAreas.h"
#include "flow/TextPanel.h"
#include "lum/Control.h"
#include "lum/GameSettings.h"
#include "lum/character/Glimmet.h"
#include "lum/config/Setting.h"
#include "lum/physics/PhysicsNode.h"
#include "lum/platform/Window.h"
#include "lum/render/Renderer.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "lum/util/CheckedCast.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"
#include "records/Records.h"
#include "shell/HeapRelease.h"

namespace lum {

namespace {

// Drops the cached textures no object holds and returns freed memory. After
// a level load a restart still finds that level's textures cached.
void forgetLevelLeftovers() {
    TextureLoader::instance().forgetUnused();
    returnFreedMemory();
}

const glm::vec3 playerStart(81.5f, 10.0f, 0.0f);
const glm::vec3 greenCubeReturn(-107.0f, 1.5f, 35.0f);
const float fallenBelow = -10.0f;
const glm::vec3 white(1, 1, 1);
// Screens that wait for a key are redrawn at this pace rather than as fast as possible.
const double waitingPace = 0.02;
const float nearPlane = 1.0f;
// How many of the message clock's seconds a level's objective stays on screen.
const int objectiveSeconds = 4;
// Within this distance of a level's end flag Tobble is told how to finish.
const float flagPromptDistance = 8.0f;
const char* const flagPrompt = "Press F1 to finish the level";
// The end screen's lines about the run, below its text, each on a panel of its own.
const float resultLineGap = 0.25f;

void sampleInput() {
    Control::instance().update(0.0);
}

void setVisible(const std::string& name, bool visible) {
    LUM_TRACE_BEGIN
    sceneNode(name)->setVisible(visible);
    LUM_TRACE_END
}

Glimmet& player() {
    return Glimmet::instance();
}

// The top-level object `name` of the level, or null when it has none.
const Spatial* findInLevel(const std::string& name) {
    for (const boost::shared_ptr<Spatial>& object : *Scene::global().getRoot()) {
        if (object->getName() == name) {
            return object.get();
        }
    }
    return nullptr;
}

// Whether any member of the group `name` has fallen off the level.
bool anyFallen(const std::string& name) {
    LUM_TRACE_BEGIN
    for (const boost::shared_ptr<Spatial>& member : *sceneNode(name)) {
        if (member->getWorldTransform().translation.y < fallenBelow) {
            return true;
        }
    }
    return false;
    LUM_TRACE_END
}

// The level's "objective" goes on screen through the message queue.
void announceObjective(const std::string& level) {
    LUM_TRACE_BEGIN
    const Setting objective = ConfigLoader::instance().load(level)("objective");
    if (objective.isString()) {
        GameSettings::instance().announce(objective.asString(), objectiveSeconds);
    }
    LUM_TRACE_END
}

}  // namespace

bool goOnAsked() {
    Control& control = Control::instance();
    return window().isKeyDown(key::Enter) || control.padPressed(gamepad::South) ||
           control.padPressed(gamepad::Start);
}

bool finishAsked() {
    const int finishKey = GameSettings::instance().player.bindings.keyOf(action::Finish);
    return window().isKeyDown(finishKey) || Control::instance().padDown(gamepad::North);
}

void quitIfAsked() {
    if (window().isKeyDown(key::Escape)) {
        std::exit(0);
    }
}

void drawFullScreen(const char* texture) {
    LUM_TRACE_BEGIN
    // Shown once, then covered: nothing keeps the picture after.
    Renderer::instance().drawImage(TextureLoader::instance().loadPicture(texture), -1, -1, 2, 2);
    LUM_TRACE_END
}

boost::shared_ptr<Node> sceneNode(const std::string& name) {
    LUM_TRACE_BEGIN
    return checkedCast<Node>(Scene::global().getChild(name));
    LUM_TRACE_END
}

Levels::Levels()
    : redCubesDown(false),
      greenCubePlaced(false),
      firstRedCubeDown(false),
      secondRedCubeDown(false),
      currentLevel(1),
      records(nullptr) {}

int Levels::getCurrentLevel() const {
    return currentLevel;
}

void Levels::setCurrentLevel(int level) {
    currentLevel = level;
}

std::string Levels::currentName() const {
    return "level" + std::to_string(currentLevel);
}

const boost::shared_ptr<Camera>& Levels::getCamera() const {
    return camera;
}

LevelRun& Levels::getRun() {
    return run;
}

void Levels::keepRecordsIn(Records* kept) {
    records = kept;
}

const Records* Levels::keptRecords() const {
    return records;
}

void Levels::setupScene(const std::string& level) {
    LUM_TRACE_BEGIN
    showLoadingScreen();
    UberLoader::instance().loadLevel(level);
    // The level before's own textures; a restart finds this one's cached.
    forgetLevelLeftovers();
    setupCamera();
    player().init();
    Scene::global().addChild(player().self);
    setupLevel();
    run.begin(*Scene::global().getRoot());
    announceObjective(level);
    LUM_TRACE_END
}

void Levels::resetScene(const std::string& level) {
    LUM_TRACE_BEGIN
    showLoadingScreen();
    Scene::global().getRoot()->removeAllChildren();
    UberLoader::instance().loadLevel(level);
    // The level before's own textures; a restart finds this one's cached.
    forgetLevelLeftovers();
    setupCamera();
    Scene::global().addChild(player().self);
    setupLevel();
    run.begin(*Scene::global().getRoot());
    player().setPosition(playerStart);
    player().alive = true;
    announceObjective(level);
    LUM_TRACE_END
}

// Before another level loads: what only the level before used goes first, so
// that the two are never held together.
void Levels::leaveLevel() {
    LUM_TRACE_BEGIN
    Scene::global().getRoot()->removeAllChildren();
    forgetLevelLeftovers();
    LUM_TRACE_END
}

void Levels::showLoadingScreen() {
    LUM_TRACE_BEGIN
    drawFullScreen("loading");
    window().swapBuffers();
    LUM_TRACE_END
}

void Levels::setupCamera() {
    LUM_TRACE_BEGIN
    camera = Renderer::instance().getCamera();
    const WindowSize size = window().getSize();
    const float aspect =
        size.height > 0 ? static_cast<float>(size.width) / size.height : 4.0f / 3.0f;
    // A near plane close to the eye: the camera comes close to Tobble when a
    // wall stands behind it, and a far one would cut the floor away.
    camera->setPerspective(40, aspect, nearPlane, 250);
    camera->setTranslation(glm::vec3(0, 25, 37.5f));
    camera->rotate(-40, glm::vec3(1, 0, 0));
    // Every start and restart looks the level's way on from behind Tobble.
    Control::instance().resetOrbitNextFollow();
    Scene::global().update(0.0);
    LUM_TRACE_END
}

// A restart keeps what the player earned, and the level stays whole: an
// uncovered walkway stays, and the cubes that uncovered it stay gone.
void Levels::setupLevel() {
    LUM_TRACE_BEGIN
    if (currentLevel == 1) {
        setVisible(hidden::walkway01, redCubesDown);
        setVisible("redCubes01", !redCubesDown);
    } else if (currentLevel == 2) {
        setVisible("redCube0201", !firstRedCubeDown);
        setVisible(hidden::secondRedCube02, firstRedCubeDown && !secondRedCubeDown);
        setVisible(hidden::walkway02, secondRedCubeDown);
    }
    LUM_TRACE_END
}

void Levels::runEvents() {
    LUM_TRACE_BEGIN
    sampleInput();
    switch (currentLevel) {
        case 1:
            level1Events();
            break;
        case 2:
            level2Events();
            break;
        case 3:
            level3Events();
            break;
        default:
            break;
    }
    promptAtEndFlag();
    LUM_TRACE_END
}

// F1 finishes a level; near its end flag Tobble is told so.
void Levels::promptAtEndFlag() const {
    LUM_TRACE_BEGIN
    const Spatial* const flag = findInLevel("endFlagPole");
    if (flag == nullptr) {
        return;
    }
    glm::vec3 apart =
        flag->getWorldTransform().translation - player().getWorldTransform().translation;
    apart.y = 0;
    if (glm::length(apart) < flagPromptDistance) {
        Renderer::instance().drawText(flagPrompt, -0.55f, -0.7f, 0.04f, white);
    }
    LUM_TRACE_END
}

void Levels::level1Events() {
    LUM_TRACE_BEGIN
    if (finishAsked()) {
        finishLevel("you won press enter to start level 2", 2);
        return;
    }
    if (!redCubesDown) {
        checkRedCubes01();
    }
    if (!greenCubePlaced) {
        checkGreenCubes01();
        return;
    }
    checkGoal01();
    LUM_TRACE_END
}

// The last cube of the group decides: the walkway appears once it is down.
void Levels::checkRedCubes01() {
    LUM_TRACE_BEGIN
    for (const boost::shared_ptr<Spatial>& cube : *sceneNode("redCubes01")) {
        redCubesDown = cube->getWorldTransform().translation.y <= fallenBelow;
    }
    if (redCubesDown) {
        setVisible(hidden::walkway01, true);
    }
    LUM_TRACE_END
}

// A green cube that fell off the level comes back at its start to be tried again.
void Levels::checkGreenCubes01() {
    LUM_TRACE_BEGIN
    for (const boost::shared_ptr<Spatial>& cube : *sceneNode("greenCubes01")) {
        const glm::vec3 at = cube->getWorldTransform().translation;
        if (at.y < fallenBelow) {
            if (PhysicsNode* const body = dynamic_cast<PhysicsNode*>(cube.get())) {
                body->moveTo(greenCubeReturn);
            }
        }
        if (areas::greenCubeTarget01.contains(at)) {
            greenCubePlaced = true;
        }
    }
    LUM_TRACE_END
}

void Levels::checkGoal01() {
    LUM_TRACE_BEGIN
    if (areas::goal01.contains(player().getWorldTransform().translation)) {
        finishLevel("you won press enter to start level 2", 2);
    }
    LUM_TRACE_END
}

void Levels::level2Events() {
    LUM_TRACE_BEGIN
    if (finishAsked()) {
        finishLevel("you won press enter to start level 3", 3);
        return;
    }
    const glm::vec3 at = player().getWorldTransform().translation;
    if (areas::jumpSpot02.contains(at)) {
        player().modeAvailable[Glimmet::Jump] = true;
        player().switchToJump();
    }
    if (!firstRedCubeDown && anyFallen("redCube0201")) {
        firstRedCubeDown = true;
        setVisible(hidden::secondRedCube02, true);
    } else if (firstRedCubeDown && !secondRedCubeDown && anyFallen(hidden::secondRedCube02)) {
        secondRedCubeDown = true;
        setVisible(hidden::walkway02, true);
    }
    if (areas::deadlyArea02.contains(at)) {
        player().kill();
        drawFullScreen("dead");
    }
    LUM_TRACE_END
}

void Levels::level3Events() {
    LUM_TRACE_BEGIN
    if (finishAsked()) {
        showEndScreen("there was no time to bake cake");
        // A window closed on it ends the game the usual way, with its closing line.
        if (window().isOpen()) {
            std::exit(0);
        }
    }
    LUM_TRACE_END
}

void Levels::finishLevel(const char* text, int nextLevel) {
    LUM_TRACE_BEGIN
    showEndScreen(text);
    // Nothing loads behind a window closed on the end screen.
    if (!window().isOpen()) {
        return;
    }
    currentLevel = nextLevel;
    leaveLevel();
    resetScene(currentName());
    LUM_TRACE_END
}

// Waits for Enter over the last picture. A window closed meanwhile ends the
// wait, and with it the game, the usual way. A pad button still held from
// play (A for a jump into the goal) must be pressed anew.
void Levels::showEndScreen(const std::string& text) {
    LUM_TRACE_BEGIN
    const std::vector<std::string> result = finishRun();
    Control::instance().takeHeldPadButtons();
    Control::instance().capturePointer(false);
    do {
        drawTextOnPanel(text, -0.5f, 0.0f, 0.04f, white);
        for (std::size_t line = 0; line < result.size(); ++line) {
            drawTextOnPanel(result[line], -0.5f, -resultLineGap * (line + 1), 0.04f, white);
        }
        window().swapBuffers();
        window().sleep(waitingPace);
        sampleInput();
        quitIfAsked();
    } while (!goOnAsked() && window().isOpen());
    LUM_TRACE_END
}

// The run's time and corn, held against the best kept for the level.
std::vector<std::string> Levels::finishRun() {
    LUM_TRACE_BEGIN
    const Comparison comparison =
        records != nullptr ? records->enter(currentName(), run.elapsed(), run.cornFound())
                           : Comparison();
    return resultLines(run, comparison);
    LUM_TRACE_END
}

}  // namespace lum
