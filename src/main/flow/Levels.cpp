#include "flow/Levels.h"

#include <cstdlib>
#include <utility>

#include <glm/geometric.hpp>

#include "flow/ChoiceScreen.h"
#include "flow/LevelEvents.h"
#include "flow/TextPanel.h"
#include "lum/Control.h"
#include "lum/GameSettings.h"
#include "lum/character/Glimmet.h"
#include "lum/platform/Window.h"
#include "lum/render/Renderer.h"
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
const glm::vec3 white(1, 1, 1);
const float nearPlane = 1.0f;
// Within this distance of a level's end flag Tobble is told how to finish.
const float flagPromptDistance = 8.0f;
const char* const flagPrompt = "Press F1 to finish the level";

void sampleInput() {
    Control::instance().update(0.0);
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

}  // namespace

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

Levels::Levels() : currentLevel(1), records(nullptr), titleAsked(false) {}

int Levels::getCurrentLevel() const {
    return currentLevel;
}

void Levels::setCurrentLevel(int level) {
    currentLevel = level;
}

std::string Levels::currentName() const {
    if (currentLevel >= 1 && currentLevel <= static_cast<int>(levelNames.size())) {
        return levelNames[static_cast<std::size_t>(currentLevel) - 1];
    }
    return "level" + std::to_string(currentLevel);
}

int Levels::nextLevel() const {
    const bool known =
        levelNames.empty() || script.nextLevel <= static_cast<int>(levelNames.size());
    return known ? script.nextLevel : 0;
}

void Levels::nameLevels(const std::vector<std::string>& names) {
    levelNames = names;
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

bool Levels::hasFlag(const std::string& flag) const {
    const auto level = flags.find(currentName());
    return level != flags.end() && level->second.count(flag) != 0;
}

float Levels::deathHeight() const {
    return script.deathHeight;
}

const LevelScript& Levels::getScript() const {
    return script;
}

// The script first: one that cannot be used stops the load before the scene
// is built.
void Levels::loadLevel(const std::string& level) {
    LUM_TRACE_BEGIN
    LevelScript next = loadLevelScript(level);
    UberLoader::instance().loadLevel(level);
    script = std::move(next);
    LUM_TRACE_END
}

const Records* Levels::keptRecords() const {
    return records;
}

void Levels::setupScene(const std::string& level) {
    LUM_TRACE_BEGIN
    showLoadingScreen();
    loadLevel(level);
    // The level before's own textures; a restart finds this one's cached.
    forgetLevelLeftovers();
    setupCamera();
    player().init();
    Scene::global().addChild(player().self);
    setupLevel();
    run.begin(*Scene::global().getRoot());
    LUM_TRACE_END
}

void Levels::resetScene(const std::string& level) {
    LUM_TRACE_BEGIN
    showLoadingScreen();
    Scene::global().getRoot()->removeAllChildren();
    loadLevel(level);
    // The level before's own textures; a restart finds this one's cached.
    forgetLevelLeftovers();
    setupCamera();
    Scene::global().addChild(player().self);
    setupLevel();
    run.begin(*Scene::global().getRoot());
    player().setPosition(playerStart);
    player().alive = true;
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

// A restart keeps what the player earned, as the level's start rules say.
void Levels::setupLevel() {
    LUM_TRACE_BEGIN
    // A start is the level's time 0, whatever the attempt before took.
    LevelEvents(flags[currentName()], 0.0).run(script.onStart);
    LUM_TRACE_END
}

void Levels::runEvents() {
    LUM_TRACE_BEGIN
    sampleInput();
    if (finishAsked() || LevelEvents(flags[currentName()], run.elapsed()).run(script.events)) {
        finishLevel();
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

// The end screen, then what the player chose there: the next level, the
// title (which the game shows once the pass is over) or the game's end.
void Levels::finishLevel() {
    LUM_TRACE_BEGIN
    switch (showEndScreen().kind) {
        case ScreenOutcome::Play:
            currentLevel = nextLevel();
            leaveLevel();
            resetScene(currentName());
            return;
        case ScreenOutcome::Title:
            titleAsked = true;
            return;
        case ScreenOutcome::Quit:
            std::exit(0);
        default:
            // Closed on the end screen, the window ends the game the usual
            // way, with its closing line, and nothing loads behind it.
            return;
    }
    LUM_TRACE_END
}

bool Levels::takeTitleRequest() {
    const bool asked = titleAsked;
    titleAsked = false;
    return asked;
}

// Over the last picture of the level. A key or pad button still held from
// play (A for a jump into the goal) must be pressed anew, and the one that
// chose does not also act in the level that follows (Start would pause it).
ScreenOutcome Levels::showEndScreen() {
    LUM_TRACE_BEGIN
    ChoiceScreen screen = endScreen(script.endText, finishRun(), nextLevel() == 0);
    screen.enter(window().frame());
    const ScreenOutcome outcome = showScreen(screen);
    Control::instance().takeHeldPadButtons();
    return outcome;
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
