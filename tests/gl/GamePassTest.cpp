#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <initializer_list>
#include <vector>

#include "ConfigFixture.h"
#include "FrameColours.h"
#include "GameFlowFixture.h"
#include "VectorExpect.h"
#include "flow/Game.h"
#include "flow/LevelRun.h"
#include "flow/Menu.h"
#include "lum/platform/Window.h"
#include "lum/resource/Sound.h"
#include "lum/scene/Camera.h"
#include "records/UserSettings.h"

using namespace lum;

namespace {

// The game from its title screen on, one fixed step of 0.03 s per frame, in
// a window half as wide and high: its tests look at the full-screen
// pictures and whether texts show, which the software renderer draws in a
// quarter of the pixels as well.
class GamePassTest : public GameFlowTest {
protected:
    GamePassTest() : GameFlowTest(2) {}

    static constexpr double frame = 0.03;

    // The title screen with `keys` held until a level is chosen.
    void start(const std::vector<int>& keys) {
        for (const int code : keys) script->setKey(code, true);
        game.start();
        for (const int code : keys) script->setKey(code, false);
        game.prepareLoop();
    }

    // One pass at clock time `time`, presented as the frame loop would;
    // true when it was presented.
    bool runFrameAt(double time) {
        script->setTime(time);
        const bool present = game.pass(frame);
        if (present) {
            window().swapBuffers();
        }
        return present;
    }

    bool runFrame() { return runFrameAt(script->getTime() + frame); }

    // Presses and releases `code` over one frame each.
    void tap(int code) {
        script->setKey(code, true);
        runFrame();
        script->setKey(code, false);
        runFrame();
    }

    // Presses and releases the pad's `button` over one frame each.
    void tapPad(gamepad::Button button) {
        script->setGamepad(padHolding({button}));
        runFrame();
        script->setGamepad(padHolding({}));
        runFrame();
    }

    static GamepadState padHolding(std::initializer_list<gamepad::Button> buttons) {
        GamepadState pad;
        pad.connected = true;
        for (const gamepad::Button button : buttons) pad.buttons[button] = true;
        return pad;
    }

    const PresentedFrame& lastPresented() const { return script->presented.back(); }

    // What a pad holds, for the polls of the menus: nothing, one of the
    // cross's directions, A or B.
    const GamepadState none = padHolding({});
    const GamepadState down = padHolding({gamepad::DpadDown});
    const GamepadState up = padHolding({gamepad::DpadUp});
    const GamepadState left = padHolding({gamepad::DpadLeft});
    const GamepadState a = padHolding({gamepad::South});
    const GamepadState b = padHolding({gamepad::East});

    Game game;
};

}  // namespace

// Keys held on the title choose the level: Enter before the function
// keys, the lower function key first; the pad goes through the list of levels.
struct TitleChoice {
    std::vector<int> keys;
    bool byPad;
    int level;
    const char* node;
};

class GamePassTitleTest : public GamePassTest, public ::testing::WithParamInterface<TitleChoice> {};

TEST_P(GamePassTitleTest, StartsTheLevelItsKeysOrThePadChoose) {
    const TitleChoice& choice = GetParam();
    if (choice.byPad) script->setGamepadAtPolls({down, none, a, a, none, down, none, a, none});
    start(choice.keys);
    EXPECT_EQ(choice.level, game.getLevels().getCurrentLevel());
    EXPECT_NO_THROW(sceneNode(choice.node));
    // The title's picture, then the loading picture.
    ASSERT_LE(3u, script->presented.size());
    EXPECT_EQ(startColour, script->presented[0].centre) << "the title picture";
    EXPECT_EQ(loadingColour, script->presented.back().centre);
}

INSTANTIATE_TEST_SUITE_P(
    GamePass, GamePassTitleTest,
    ::testing::Values(TitleChoice{{key::Enter, key::function(2)}, false, 1, "redCubes01"},
                      TitleChoice{{key::function(2), key::function(3)}, false, 2, "redCube0201"},
                      TitleChoice{{}, true, 2, "redCube0201"}));

// A dead player waits for Enter, which restarts the level in the same pass;
// meanwhile nothing is presented and neither the player nor the level's
// clock moves.
TEST_F(GamePassTest, DeathHoldsThePlayerAndTheClockUntilEnterRestarts) {
    start({key::Enter});
    LevelRun& run = game.getLevels().getRun();
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(runFrame());  // still dropping onto its pad
    player().setPosition(glm::vec3(81.5f, -20, 0));
    EXPECT_FALSE(runFrame());
    const std::size_t dead = script->presented.size();
    const double diedAt = run.elapsed();
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(runFrame());
    EXPECT_EQ(dead, script->presented.size()) << "nothing is drawn while the player is dead";
    EXPECT_EQ(diedAt, run.elapsed());

    script->setKey(key::Enter, true);
    EXPECT_TRUE(runFrame());
    EXPECT_TRUE(player().alive);
    EXPECT_TRUE(vectorsNear(glm::vec3(81.5f, 10, 0), playerAt(), 0.05f));
    EXPECT_NEAR(frame, run.elapsed(), 1e-9) << "the restart's own pass is the new attempt's first";
}

TEST_F(GamePassTest, ModeKeysSwitchOnlyToModesThePlayerHasAndNotWhilePaused) {
    start({key::Enter});
    for (const int code : {'V', 'X', 'C'}) {
        tap(code);
        EXPECT_EQ("base", player().state) << "key " << static_cast<char>(code);
    }
    player().modeAvailable[Glimmet::Spike] = true;
    tap('P');
    tap('X');
    EXPECT_EQ("base", player().state) << "paused";
    tap('P');
    tap('X');
    EXPECT_EQ("spike", player().state);
    tap('Y');
    EXPECT_EQ("base", player().state);
}

// The pointer is held while a level is played, so the camera turns on at
// the window's edge, and free on every screen that waits, whenever the
// window loses the focus, and while the player has freed it with F10.
TEST_F(GamePassTest, ThePointerIsCapturedOnlyWhileALevelIsPlayed) {
    GameSettings& settings = GameSettings::instance();
    const bool savedCursor = settings.cursorEnabled;
    settings.cursorEnabled = false;
    start({key::Enter});
    EXPECT_TRUE(script->isCursorVisible()) << "on the title";
    runFrame();
    EXPECT_FALSE(script->isCursorVisible()) << "in play";

    script->setFocused(false);
    runFrame();
    EXPECT_TRUE(script->isCursorVisible()) << "another window has the focus";
    script->setFocused(true);
    tap('P');

    tap(key::function(10));
    EXPECT_TRUE(script->isCursorVisible()) << "freed by F10";
    tap(key::function(10));
    EXPECT_FALSE(script->isCursorVisible()) << "held again by F10";
    settings.cursorEnabled = savedCursor;
}

TEST_F(GamePassTest, MessagesFollowOnePerSecondOfTheClock) {
    start({key::Enter});
    std::deque<std::string>& messages = GameSettings::instance().messages;
    ASSERT_TRUE(runFrameAt(0.5));
    EXPECT_EQ(0, lastPresented().messagePixels) << "no message, no text";

    messages = {"first", "second"};
    runFrameAt(0.9);
    EXPECT_GT(lastPresented().messagePixels, 0);
    runFrameAt(1.2);
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("second", messages.front());
    runFrameAt(2.01);
    EXPECT_TRUE(messages.empty());
}

TEST_F(GamePassTest, PadShouldersStepThroughTheLearntModesOncePerPress) {
    start({key::Enter});
    player().modeAvailable[Glimmet::Jump] = true;
    player().modeAvailable[Glimmet::Speed] = true;
    script->setGamepad(padHolding({gamepad::RightShoulder}));
    for (int i = 0; i < 5; ++i) runFrame();
    script->setGamepad(GamepadState());  // pulled out with the shoulder held
    for (int i = 0; i < 5; ++i) runFrame();
    EXPECT_EQ("jump", player().state) << "one step per press";
    tapPad(gamepad::RightShoulder);
    EXPECT_EQ("speed", player().state) << "spike is not learnt";
    tapPad(gamepad::RightShoulder);
    EXPECT_EQ("base", player().state) << "round to the start";
    tapPad(gamepad::LeftShoulder);
    EXPECT_EQ("speed", player().state);
}

// A button held from play into a screen that waits must be pressed anew.
TEST_F(GamePassTest, PadYFinishesAndDeathAndEndScreensGoOnOnlyWithAFreshPressOfAOrStart) {
    start({key::Enter});
    script->setGamepad(a);  // jumping off the edge
    player().setPosition(glm::vec3(81.5f, -20, 0));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(runFrame());
    script->setGamepad(none);
    EXPECT_FALSE(runFrame());
    tapPad(gamepad::South);
    EXPECT_TRUE(player().alive);

    // Y finishes the level as F1 does (a pad has no F1), A still held from
    // play: the pass's own two samples, then the end screen's.
    const GamepadState yAndA = padHolding({gamepad::North, gamepad::South});
    script->setGamepadAtPolls({yAndA, yAndA, yAndA, none, padHolding({gamepad::Start})});
    const int polls = script->getPollCount();
    EXPECT_TRUE(runFrame());
    EXPECT_EQ(polls + 5, script->getPollCount()) << "the end screen waited for Start";
    EXPECT_EQ(2, game.getLevels().getCurrentLevel());
    EXPECT_TRUE(runFrame()) << "Start still held does not pause";
}

// A level of the player's own that names a model nobody has is refused on
// the list of levels with its problem, and the game goes on to another.
TEST_F(GamePassTest, APlayersLevelThatCannotBeBuiltIsRefusedOnTheListAndTheGameGoesOn) {
    const test::TempDir own;
    own.write("broken.cfg", "scene = ( Model { name = \"lost\"; model = \"nosuchmodel\" } );");
    const std::string broken = (own.path / "broken").string();
    game.offerLevels({{1, "level1", "Level 1", true}, {2, broken, "broken", false}});
    script->setGamepadAtPolls({down, none, a, none, down, none, a, none, up, none, a, none});
    testing::internal::CaptureStderr();
    start({});
    EXPECT_NE(std::string::npos,
              testing::internal::GetCapturedStderr().find("level 2 cannot be played"));
    EXPECT_EQ(1, game.getLevels().getCurrentLevel());
}

// Each way into the pause, then a choice in its menu: the level's clock
// stands while it shows, and what was chosen happens.
TEST_F(GamePassTest, ThePauseMenuResumesRestartsAndKeepsTheClockStill) {
    enum Pause { ByP, ByStart, ByFocusLost };
    const struct {
        const char* how;
        Pause pause;
        std::vector<int> keys;
        bool restarted;
    } cases[] = {
        {"P, then Enter on Resume", ByP, {key::Enter}, false},
        {"Start, then Restart level", ByStart, {key::Down, key::Enter}, true},
        {"the focus lost, then S and Enter", ByFocusLost, {'S', key::Enter}, true},
    };
    start({key::Enter});
    for (const auto& each : cases) {
        SCOPED_TRACE(each.how);
        for (int i = 0; i < 20; ++i) runFrame();
        if (each.pause == ByP) {
            tap('P');
        } else if (each.pause == ByStart) {
            tapPad(gamepad::Start);
        } else {
            script->setFocused(false);
            runFrame();
            script->setFocused(true);
        }
        EXPECT_EQ(PAUSED, GameSettings::instance().state);
        EXPECT_EQ(pauseColour, lastPresented().centre);
        const std::size_t shown = script->presented.size();
        const double pausedAt = game.getLevels().getRun().elapsed();
        for (int i = 0; i < 10; ++i) EXPECT_FALSE(runFrame());
        EXPECT_EQ(shown, script->presented.size()) << "a pause that waits presents nothing";
        EXPECT_EQ(pausedAt, game.getLevels().getRun().elapsed()) << "the clock stands";
        for (const int code : each.keys) tap(code);
        EXPECT_EQ(RUNNING, GameSettings::instance().state);
        runFrame();
        if (each.restarted) {
            EXPECT_LT(game.getLevels().getRun().elapsed(), pausedAt);
        } else {
            EXPECT_GT(game.getLevels().getRun().elapsed(), pausedAt);
        }
    }
}

TEST_F(GamePassTest, QuitToTitleFromThePauseLeadsToTheLevelChosenThere) {
    start({key::Enter});
    tapPad(gamepad::Start);
    // Three downs and A in the pause; on the title, Levels, then level 3.
    script->setGamepadAtPolls({down, none, down, none, down, none, a, none, down, none, a, none,
                               down, none, down, none, a, none});
    for (int i = 0; i < 8 && game.getLevels().getCurrentLevel() == 1; ++i) runFrame();
    EXPECT_EQ(3, game.getLevels().getCurrentLevel()) << "chosen on the title";
    EXPECT_EQ(RUNNING, GameSettings::instance().state);
}

// The last end screen's first choice leads to the title, where the pad's A
// plays; a level whose next one is not among the levels found ends as the last.
TEST_F(GamePassTest, TheLastEndScreenLeadsToTheTitle) {
    start({key::Enter});
    Levels& levels = game.getLevels();
    levels.nameLevels({"level1", "level2"});
    levels.setCurrentLevel(2);
    levels.resetScene(levels.currentName());
    runFrame();
    const std::size_t shown = script->presented.size();
    // The pass's own two polls, the end screen's A, then the title's.
    script->setGamepadAtPolls({none, none, none, a, none, a, none});
    script->setKey(key::F1, true);
    runFrame();
    script->setKey(key::F1, false);
    EXPECT_EQ(1, levels.getCurrentLevel());
    EXPECT_NE(script->presented.end(),
              std::find_if(script->presented.begin() + shown, script->presented.end(),
                           [](const PresentedFrame& f) { return f.centre == startColour; }))
        << "the title showed";
}

// The objective stands on a panel of its own at the top for each attempt's
// first seconds, below the clock.
TEST_F(GamePassTest, TheObjectiveHasItsOwnPlaceForEachAttemptsFirstSeconds) {
    const float objectiveBand = 0.78f;
    start({key::function(2)});
    ASSERT_TRUE(game.pass(frame));
    EXPECT_GT(whitePixelsInBand(objectiveBand), 0) << "the objective";
    EXPECT_GT(whitePixelsInBand(0.92f), 0) << "the clock in the top right corner";
    window().swapBuffers();

    Levels& levels = game.getLevels();
    const struct {
        const char* when;
        int level;
        bool restart;
        double played;
        bool shown;
    } steps[] = {{"after its seconds", 2, false, 6.0, false},
                 {"again after a restart", 2, true, 0.0, true},
                 {"a level without one", 1, true, 0.0, false}};
    for (const auto& step : steps) {
        if (step.restart) {
            levels.setCurrentLevel(step.level);
            levels.resetScene(levels.currentName());
        }
        levels.getRun().advance(step.played);
        ASSERT_TRUE(game.pass(frame));
        EXPECT_EQ(step.shown, whitePixelsInBand(objectiveBand) > 0) << step.when;
        window().swapBuffers();
    }
}

TEST_F(GamePassTest, AKeyThePlayerChoseDrivesTobbleAndTheKeyItReplacedNoLonger) {
    KeyBindings& bindings = GameSettings::instance().player.bindings;
    ASSERT_TRUE(bindings.bind(action::RollForward, 'I'));
    ASSERT_TRUE(bindings.bind(action::Pause, 'O'));
    start({key::Enter});
    for (int i = 0; i < 30; ++i) runFrame();  // onto the pad, and at rest
    const struct {
        int code;
        bool rolls;
    } keys[] = {{'W', false}, {'I', true}};
    for (const auto& each : keys) {
        SCOPED_TRACE(static_cast<char>(each.code));
        const glm::vec3 before = playerAt();
        script->setKey(each.code, true);
        for (int i = 0; i < 10; ++i) runFrame();
        script->setKey(each.code, false);
        const float moved =
            glm::length(glm::vec2(playerAt().x - before.x, playerAt().z - before.z));
        EXPECT_EQ(each.rolls, moved > 0.05f) << moved;
    }
    tap('P');
    EXPECT_EQ(RUNNING, GameSettings::instance().state) << "P pauses no more";
    tap('O');
    EXPECT_EQ(PAUSED, GameSettings::instance().state);
    bindings = KeyBindings();
}

TEST_F(GamePassTest, AVolumeOfNoneMutesAndTheOptionsApplyAtOnce) {
    PlayerOptions& options = GameSettings::instance().player;
    options.musicVolume = 0;
    options.effectsVolume = 0;
    start({key::Enter});
    ASSERT_TRUE(game.getMusic());
    ASSERT_TRUE(player().rollSound);
    EXPECT_EQ(0.0f, game.getMusic()->getGain());
    EXPECT_EQ(0.0f, player().rollSound->getGain());
    options.musicVolume = 100;
    options.effectsVolume = 100;
    game.applyVolumes();
    EXPECT_GT(game.getMusic()->getGain(), 0.0f);
    EXPECT_GT(player().rollSound->getGain(), 0.0f);
    options = PlayerOptions();
}

// Options set on the screens are in force at once and in the player's file,
// which the next start reads; Alt+Enter switches full screen anywhere, and
// back the window has the size the options chose.
TEST_F(GamePassTest, OptionsSetInTheMenusApplyAtOnceAndOutliveTheGame) {
    test::TempDir home;
    UserSettings kept(home.path);
    game.keepOptionsIn(&kept);
    // On the title, Options. There: a smaller window, down to the frame
    // rate and show it, the music one step down, down to the inverted
    // camera and on, back; on the title again, Play.
    std::vector<GamepadState> polls = {down, none, down, none, a,    none, left, none, down,
                                       none, down, none, a,    none, down, none, left, none};
    for (int i = 0; i < 3; ++i) polls.insert(polls.end(), {down, none});
    polls.insert(polls.end(), {a, none, b, none, up, none, up, none, a, none});
    script->setGamepadAtPolls(polls);
    start({});
    ASSERT_EQ(1, game.getLevels().getCurrentLevel());
    PlayerOptions& options = GameSettings::instance().player;
    EXPECT_EQ(800, options.windowWidth);
    EXPECT_EQ(90, options.musicVolume);
    EXPECT_TRUE(options.invertCamera);
    EXPECT_TRUE(GameSettings::instance().showframerate) << "shown at once";
    EXPECT_EQ(800 / shrink, window().getSize().width) << "resized at once";

    const WindowSize screen = window().screenSize();
    for (const bool fullScreen : {true, false}) {
        SCOPED_TRACE(fullScreen);
        script->setKey(key::Alt, true);
        tap(key::Enter);
        script->setKey(key::Alt, false);
        EXPECT_EQ(fullScreen, window().isFullScreen());
        const WindowSize size = window().getSize();
        EXPECT_EQ(fullScreen ? screen.width : 800 / shrink, size.width);
        EXPECT_EQ(fullScreen ? screen.height : 600 / shrink, size.height);
        const glm::mat4& projection = game.getLevels().getCamera()->getProjection();
        EXPECT_NEAR(static_cast<float>(size.width) / size.height,
                    projection[1][1] / projection[0][0], 1e-4f)
            << "the picture keeps its proportions in the new window";
        EXPECT_EQ(RUNNING, GameSettings::instance().state) << "Enter chose nothing";
        PlayerOptions readBack;
        UserSettings(home.path).readInto(readBack);
        EXPECT_EQ(UserSettings::text(options), UserSettings::text(readBack));
    }
    options = PlayerOptions();
    GameSettings::instance().showframerate = false;
}
