#include "flow/Game.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "flow/CameraSteering.h"
#include "flow/LevelCatalogue.h"
#include "flow/LevelCheck.h"
#include "flow/LevelWatch.h"
#include "flow/LevelsScreen.h"
#include "flow/OptionsScreen.h"
#include "flow/TextPanel.h"
#include "flow/TitleScreen.h"
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
#include "records/UserSettings.h"

namespace lum {

const float messageTop = -0.45f;

namespace {

const glm::vec3 white(1, 1, 1);
const float musicGain = 0.1f;
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
// A level's objective: at the top, below the clock, for the first seconds
// of every attempt, on lines of at most objectiveWidth characters.
const double objectiveTime = 6.0;
const float objectiveTop = 0.78f;
const float objectiveSize = 0.03f;
const std::size_t objectiveWidth = 44;

// The options as the game ships them, before the player's own.
PlayerOptions shippedOptions() {
    PlayerOptions shipped;
    shipped.readOver(GameSettings::instance().config);
    return shipped;
}

// A level other than the game's own is built once aside before it is
// played: a model or texture it names that is missing is told on the list of
// levels, rather than the game ending in the level's load.
LevelProblem problemOfChosen(const std::vector<LevelEntry>& list, int number) {
    for (const LevelEntry& level : list) {
        if (level.number == number && !level.shipped) {
            return checkLevel(level.file, level.name, LevelTrial::objects);
        }
    }
    return LevelProblem();
}

}  // namespace

Game::Game(int firstLevel)
    : gameType(SPECTATOR),
      firstLevel(firstLevel),
      deathSeen(false),
      pauseShown(false),
      wasFocused(true),
      death(deathScreen()),
      userSettings(nullptr),
      sizeInForce{0, 0},
      fullScreenInForce(false) {}

// The level's objects hold OpenGL objects: they go while the window still
// exists. The controls outlive the game.
Game::~Game() {
    Scene::global().getRoot()->removeAllChildren();
    Control::instance().onFullScreenKeys(nullptr);
}

Levels& Game::getLevels() {
    return levels;
}

void Game::watchLevel(std::unique_ptr<LevelWatch> levelWatch) {
    watch = std::move(levelWatch);
}

void Game::offerLevels(const std::vector<LevelEntry>& levelsOffered) {
    offered = levelsOffered;
}

void Game::findLevelsOnTitle(std::function<LevelCatalogue()> find) {
    findLevels = std::move(find);
}

const boost::shared_ptr<Sound>& Game::getMusic() const {
    return backgroundMusic;
}

void Game::applyVolumes() {
    LUM_TRACE_BEGIN
    const PlayerOptions& player = GameSettings::instance().player;
    if (backgroundMusic) {
        backgroundMusic->setGain(musicGain * PlayerOptions::share(player.musicVolume));
    }
    Glimmet::instance().setEffectsVolume(PlayerOptions::share(player.effectsVolume));
    LUM_TRACE_END
}

void Game::keepOptionsIn(UserSettings* settings) {
    userSettings = settings;
}

void Game::applyOptions() {
    LUM_TRACE_BEGIN
    GameSettings& settings = GameSettings::instance();
    const PlayerOptions& player = settings.player;
    settings.showframerate = player.showFrameRate;
    const WindowSize size{player.windowWidth, player.windowHeight};
    if (size != sizeInForce) {
        window().setWindowedSize(size);
        sizeInForce = size;
    }
    if (player.fullScreen != fullScreenInForce) {
        window().setFullScreen(player.fullScreen);
        fullScreenInForce = player.fullScreen;
    }
    applyVolumes();
    keepOptions();
    LUM_TRACE_END
}

void Game::switchFullScreen() {
    LUM_TRACE_BEGIN
    PlayerOptions& player = GameSettings::instance().player;
    player.fullScreen = !window().isFullScreen();
    window().setFullScreen(player.fullScreen);
    fullScreenInForce = player.fullScreen;
    keepOptions();
    LUM_TRACE_END
}

void Game::keepOptions() {
    LUM_TRACE_BEGIN
    if (userSettings != nullptr) {
        userSettings->save(GameSettings::instance().player);
    }
    LUM_TRACE_END
}

// The options' window counts as in force from the start, so a window the
// command line chose stays until the player chooses another. Alt+Enter
// works from the title on.
void Game::start() {
    LUM_TRACE_BEGIN
    const GameSettings& settings = GameSettings::instance();
    gameType = settings.gameType;
    sizeInForce = {settings.player.windowWidth, settings.player.windowHeight};
    fullScreenInForce = settings.player.fullScreen;
    Control::instance().onFullScreenKeys([this] { switchFullScreen(); });
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

// The level chosen on the title screen or the list of levels, 0 when the
// window was closed there. Quit and Escape end the game at once, as Escape
// does everywhere.
int Game::waitOnTitle(bool fromPlay) {
    LUM_TRACE_BEGIN
    // Drawn every pass while the title shows, and never again: it is gone
    // before the first level loads.
    const boost::shared_ptr<Texture> picture =
        fromPlay ? TextureLoader::instance().loadPicture("start") : showTitlePicture();
    if (findLevels) {
        const LevelCatalogue catalogue = findLevels();
        findLevels = nullptr;
        levels.nameLevels(catalogue.names());
        offered = listLevels(catalogue);
    }
    if (offered.empty()) {
        offered = listLevels(LevelCatalogue::find(""));
    }
    const std::vector<LevelEntry>& list = offered;
    TitleScreen title(picture, firstUnfinished(list, levels.keptRecords()));
    std::unique_ptr<LevelsScreen> inner;
    Screen* showing = &title;
    if (fromPlay) {
        title.enter(window().frame());
    }
    for (;;) {
        const ScreenOutcome outcome = showScreen(*showing);
        switch (outcome.kind) {
            case ScreenOutcome::Play: {
                const LevelProblem problem = problemOfChosen(list, outcome.level);
                if (problem.empty()) {
                    // The pad's Start that chose does not also pause the level.
                    Control::instance().takeHeldPadButtons();
                    return outcome.level;
                }
                std::cerr << "glimmet: level " << outcome.level
                          << " cannot be played: " << problem.message() << std::endl;
                if (showing == &title) {
                    inner.reset(new LevelsScreen(picture, list, levels.keptRecords()));
                    showing = inner.get();
                }
                inner->refuse(problem.message());
                break;
            }
            case ScreenOutcome::Levels:
                inner.reset(new LevelsScreen(picture, list, levels.keptRecords()));
                showing = inner.get();
                break;
            case ScreenOutcome::Options:
                if (!showOptions([picture] { drawPicture(picture); })) {
                    return 0;
                }
                showing = &title;
                break;
            case ScreenOutcome::Quit:
                std::exit(0);
            case ScreenOutcome::Closed:
                return 0;
            default:
                showing = &title;
                break;
        }
        showing->enter(window().frame());
    }
    LUM_TRACE_END
}

// At the game's start the picture goes on screen alone first, through the
// window system where it can, before OpenGL has drawn anything: the
// texture's upload, the first draws and the menu's font and panel come
// while it already shows.
boost::shared_ptr<Texture> Game::showTitlePicture() {
    LUM_TRACE_BEGIN
    const RgbImage decoded = TextureLoader::instance().decodePicture("start");
    const bool shown = window().putPicture(decoded.width, decoded.height, decoded.rows.get());
    const boost::shared_ptr<Texture> picture = TextureLoader::instance().uploadPicture(decoded);
    if (!shown) {
        drawPicture(picture);
        window().swapBuffers();
    }
    return picture;
    LUM_TRACE_END
}

void Game::playBackgroundMusic() {
    LUM_TRACE_BEGIN
    backgroundMusic = UberLoader::instance().loadSound("BGMcalmViolence");
    applyVolumes();
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
    drawObjective();
    drawFrameRate();
    drawLevelProblem();
    const int level = levels.getCurrentLevel();
    levels.runEvents();
    if (levels.takeTitleRequest()) {
        return backToTitle();
    }
    // A new level's first picture replaces the loading one; a death in the
    // level's events shows the death screen, without the run.
    if (levels.getCurrentLevel() != level) {
        warmDrawing();
    } else if (Glimmet::instance().alive) {
        drawRun();
    } else {
        openDeathScreen();
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
    pauseOnFocusLoss();
    const GameSettings& settings = GameSettings::instance();
    // F10 (the pointer "enabled") frees it in play too.
    Control::instance().capturePointer(settings.state == RUNNING && Glimmet::instance().alive &&
                                       !settings.cursorEnabled);
    if (settings.state == PAUSED) {
        return pausedPass();
    }
    pauseShown = false;
    logic.handleModeKeys();
    logic.movePlayer(dt);
    return Glimmet::instance().alive || deadPass();
    LUM_TRACE_END
}

// The death screen is drawn as the player dies and whenever its selection
// moves; true when the player tries again, and the pass goes on.
bool Game::deadPass() {
    LUM_TRACE_BEGIN
    if (!deathSeen) {
        // A still held from a jump into the fall is not yet a wish to go on;
        // the pad's Start was taken by the pause, as P would be.
        Control::instance().takeHeldPadButtons();
        deathSeen = true;
    }
    const int before = death.selected();
    switch (death.update(window().frame()).kind) {
        case ScreenOutcome::Restart:
            deathSeen = false;
            // The A that chose does not also jump.
            Control::instance().takeHeldPadButtons();
            levels.resetScene(levels.currentName());
            return true;
        case ScreenOutcome::Title:
            return backToTitle();
        case ScreenOutcome::Quit:
            std::exit(0);
        default:
            if (death.selected() != before) {
                showDeath();
            }
            return false;
    }
    LUM_TRACE_END
}

void Game::openDeathScreen() {
    LUM_TRACE_BEGIN
    death.enter(window().frame());
    death.draw();
    LUM_TRACE_END
}

void Game::showDeath() const {
    LUM_TRACE_BEGIN
    death.draw();
    window().swapBuffers();
    LUM_TRACE_END
}

// A window that loses the focus to another pauses the level, as P does; one
// that never had it (a desktop without a window manager) does not.
void Game::pauseOnFocusLoss() {
    GameSettings& settings = GameSettings::instance();
    const bool focused = window().isFocused();
    if (wasFocused && !focused && settings.state == RUNNING) {
        settings.state = PAUSED;
    }
    wasFocused = focused;
}

// The pause menu is drawn as it opens and whenever its selection moves; a
// pause that waits presents nothing. The level's clock stands meanwhile.
bool Game::pausedPass() {
    LUM_TRACE_BEGIN
    const InputFrame& input = window().frame();
    if (!pauseShown) {
        pause.enter(input);
        pauseShown = true;
        showPause();
        return false;
    }
    const int before = pause.selected();
    const ScreenOutcome outcome = pause.update(input);
    switch (outcome.kind) {
        case ScreenOutcome::Back:
            resume();
            // A pause opened over the death screen gives it back, the button
            // that resumed not taken for a choice.
            if (!Glimmet::instance().alive) {
                openDeathScreen();
                window().swapBuffers();
            }
            return false;
        case ScreenOutcome::Restart:
            resume();
            deathSeen = false;
            levels.resetScene(levels.currentName());
            warmDrawing();
            return false;
        case ScreenOutcome::Title:
            resume();
            return backToTitle();
        case ScreenOutcome::Options:
            if (showOptions([] { drawFullScreen("pause"); })) {
                pause.enter(window().frame());
                showPause();
            }
            return false;
        case ScreenOutcome::Quit:
            std::exit(0);
        default:
            if (pause.selected() != before) {
                showPause();
            }
            return false;
    }
    LUM_TRACE_END
}

bool Game::showOptions(const std::function<void()>& background) {
    LUM_TRACE_BEGIN
    OptionsScreen options(background, GameSettings::instance().player, shippedOptions(),
                          [this] { applyOptions(); });
    options.enter(window().frame());
    return showScreen(options).kind != ScreenOutcome::Closed;
    LUM_TRACE_END
}

void Game::showPause() const {
    LUM_TRACE_BEGIN
    pause.draw();
    window().swapBuffers();
    LUM_TRACE_END
}

// Keys and buttons held as the pause closes act only when pressed anew.
void Game::resume() {
    GameSettings::instance().state = RUNNING;
    pauseShown = false;
    Control::instance().takeHeldPadButtons();
    ControlLogic::instance().latchHeldKeys();
}

// The title again, and the level chosen there from its start; false as the
// pass ends, whatever was chosen.
bool Game::backToTitle() {
    LUM_TRACE_BEGIN
    const int level = waitOnTitle(true);
    if (level == 0) {
        return false;
    }
    deathSeen = false;
    levels.setCurrentLevel(level);
    levels.resetScene(levels.currentName());
    warmDrawing();
    ControlLogic::instance().latchHeldKeys();
    return false;
    LUM_TRACE_END
}

bool Game::checkDeath() {
    LUM_TRACE_BEGIN
    Glimmet& player = Glimmet::instance();
    if (player.getWorldTransform().translation.y >= levels.deathHeight()) {
        return false;
    }
    player.kill();
    openDeathScreen();
    window().swapBuffers();
    std::cout << "<<======== Du bist TOT! ========>>" << std::endl;
    return true;
    LUM_TRACE_END
}

// The front message stays until the clock's next whole second.
// A message starts at its usual place, on a panel below Tobble (drawn
// across the middle of the window, it hid Tobble as it spoke); one that
// would run off the right edge starts further left, and one wider than the
// screen is drawn smaller.
void Game::drawMessage(const std::string& text) {
    LUM_TRACE_BEGIN
    const float usualLeft = -0.5f, usualSize = 0.04f, leftEdge = -0.9f, rightEdge = 0.9f;
    const float characters = static_cast<float>(std::max<std::size_t>(text.size(), 1));
    const float size = std::min(usualSize, (rightEdge - leftEdge) / characters);
    const float left = std::min(usualLeft, rightEdge - size * characters);
    drawTextOnPanel(text, left, messageTop, size, white);
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

// Apart from the messages, so that a message shows at once even as a level starts.
void Game::drawObjective() {
    LUM_TRACE_BEGIN
    const std::string& objective = levels.getScript().objective;
    if (objective.empty() || levels.getRun().elapsed() >= objectiveTime) {
        return;
    }
    const std::vector<std::string> lines = wrapText(objective, objectiveWidth);
    drawLinesOnPanel(lines, -0.5f * widestLine(lines) * objectiveSize, objectiveTop, objectiveSize,
                     white);
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
