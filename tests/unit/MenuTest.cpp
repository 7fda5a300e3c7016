#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "ConfigFixture.h"
#include "ScriptedWindowFixture.h"
#include "flow/ChoiceScreen.h"
#include "flow/LevelList.h"
#include "flow/LevelsScreen.h"
#include "flow/OptionsScreen.h"
#include "flow/TextPanel.h"
#include "flow/TitleScreen.h"
#include "records/Records.h"
#include "records/UserSettings.h"

using namespace lum;
using lum::test::TempDir;

namespace {

const WindowSize windowSize{1024, 768};

InputFrame holding(std::initializer_list<int> keys) {
    InputFrame frame;
    frame.size = windowSize;
    for (const int code : keys) frame.keys[code] = true;
    return frame;
}

InputFrame padHolding(gamepad::Button button) {
    InputFrame frame = holding({});
    frame.pad.connected = true;
    frame.pad.buttons[button] = true;
    return frame;
}

InputFrame stickAt(float y, gamepad::Axis axis = gamepad::LeftY) {
    InputFrame frame = holding({});
    frame.pad.connected = true;
    frame.pad.axes[axis] = y;
    return frame;
}

// The pointer over the middle of the `item`th row of a menu whose first row
// stands at `top`, the left button as given.
InputFrame pointerOn(int item, bool pressed, float top = 0.4f, float x = -0.8f) {
    InputFrame frame = holding({});
    const float y = top - item * menuRowStep + menuTextSize * glyphAspect / 2.0f;
    frame.cursor = {static_cast<int>((x + 1.0f) / 2.0f * windowSize.width),
                    static_cast<int>((1.0f - y) / 2.0f * windowSize.height)};
    frame.buttons[mouse::Left] = pressed;
    return frame;
}

// Each press followed by a poll with nothing held; the last answer that was
// not Stay.
ScreenOutcome press(Screen& screen, const std::vector<InputFrame>& presses) {
    ScreenOutcome last;
    for (const InputFrame& frame : presses) {
        for (const InputFrame& poll : {frame, holding({})}) {
            const ScreenOutcome outcome = screen.update(poll);
            if (outcome.kind != ScreenOutcome::Stay) last = outcome;
        }
    }
    return last;
}

// How a screen answers a player's presses.
struct Case {
    const char* how;
    std::vector<InputFrame> presses;
    ScreenOutcome::Kind kind;
    int level;
};

template <class MakeScreen>
void expectOutcomes(const std::vector<Case>& cases, const MakeScreen& makeScreen) {
    for (const Case& each : cases) {
        SCOPED_TRACE(each.how);
        auto screen = makeScreen();
        const ScreenOutcome outcome = press(*screen, each.presses);
        EXPECT_EQ(each.kind, outcome.kind);
        EXPECT_EQ(each.level, outcome.level);
    }
}

}  // namespace

TEST(TitleScreen, KeysMousePadAndTheFunctionKeysChooseWhatToDo) {
    const int playLevel = 2;
    const std::vector<Case> cases = {
        {"Enter plays the first unfinished level",
         {holding({key::Enter})},
         ScreenOutcome::Play,
         playLevel},
        {"F2", {holding({key::function(2)})}, ScreenOutcome::Play, 2},
        {"F3", {holding({key::function(3)})}, ScreenOutcome::Play, 3},
        {"Enter before F3",
         {holding({key::Enter, key::function(3)})},
         ScreenOutcome::Play,
         playLevel},
        {"Escape quits", {holding({key::Escape})}, ScreenOutcome::Quit, 0},
        {"down, Enter", {holding({key::Down}), holding({key::Enter})}, ScreenOutcome::Levels, 0},
        {"S, S, Enter",
         {holding({'S'}), holding({'S'}), holding({key::Enter})},
         ScreenOutcome::Options,
         0},
        {"up wraps to the last",
         {holding({key::Up}), holding({key::Enter})},
         ScreenOutcome::Quit,
         0},
        {"W after S",
         {holding({'S'}), holding({'W'}), holding({key::Enter})},
         ScreenOutcome::Play,
         playLevel},
        {"the pad's cross and A",
         {padHolding(gamepad::DpadDown), padHolding(gamepad::South)},
         ScreenOutcome::Levels,
         0},
        {"the pad's stick and Start",
         {stickAt(0.9f), stickAt(0.9f), stickAt(0.9f), padHolding(gamepad::Start)},
         ScreenOutcome::Quit,
         0},
        {"a little tilt moves nothing",
         {stickAt(0.3f), padHolding(gamepad::South)},
         ScreenOutcome::Play,
         playLevel},
        {"the pad's B quits", {padHolding(gamepad::East)}, ScreenOutcome::Quit, 0},
        {"a click on Levels", {pointerOn(1, false), pointerOn(1, true)}, ScreenOutcome::Levels, 0},
        {"a click on Options", {pointerOn(2, true)}, ScreenOutcome::Options, 0},
        {"a click on Quit", {pointerOn(3, true)}, ScreenOutcome::Quit, 0},
        {"the pointer selects, Enter chooses",
         {pointerOn(1, false), holding({key::Enter})},
         ScreenOutcome::Levels,
         0},
    };
    expectOutcomes(cases, [&] { return std::make_unique<TitleScreen>(nullptr, playLevel); });
}

TEST(TitleScreen, APressHeldFromTheScreenBeforeActsOnlyWhenPressedAnew) {
    TitleScreen title(nullptr, 1);
    title.enter(holding({key::Enter}));
    EXPECT_EQ(ScreenOutcome::Stay, title.update(holding({key::Enter})).kind);
    EXPECT_EQ(ScreenOutcome::Stay, title.update(holding({})).kind);
    EXPECT_EQ(ScreenOutcome::Play, title.update(holding({key::Enter})).kind);

    // Alt with Enter switches full screen: neither it nor Enter still held
    // as Alt goes up chooses.
    TitleScreen again(nullptr, 1);
    EXPECT_EQ(ScreenOutcome::Stay, again.update(holding({key::Alt, key::Enter})).kind);
    EXPECT_EQ(ScreenOutcome::Stay, again.update(holding({key::Enter})).kind);
}

TEST(LevelsScreen, ListsEachLevelsBestAndPlaysTheOneChosen) {
    TempDir place;
    Records records(place.path);
    records.enter("level1", 83.45, 3);
    const std::vector<LevelEntry> levels = {{1, "level1", "Level 1", true},
                                            {2, "level2", "Level 2", true},
                                            {3, "level3", "Level 3", true}};
    EXPECT_EQ("Level 1   1:23.4   corn 3", recordLine(levels[0], &records));
    EXPECT_EQ("Level 2   not played", recordLine(levels[1], &records));
    EXPECT_EQ("Level 1   not played", recordLine(levels[0], nullptr));
    EXPECT_EQ("a-level-of-my-own-.. not played",
              recordLine({4, "/home/me/a-level-of-my-own-with-a-long-name",
                          "a-level-of-my-own-with-a-long-name", false},
                         nullptr));
    EXPECT_EQ(2, firstUnfinished(levels, &records));
    EXPECT_EQ(1, firstUnfinished(levels, nullptr));
    for (const char* const level : {"level2", "level3"}) records.enter(level, 10, 0);
    EXPECT_EQ(1, firstUnfinished(levels, &records)) << "all finished: the first again";

    const std::vector<Case> cases = {
        {"Enter", {holding({key::Enter})}, ScreenOutcome::Play, 1},
        {"down twice",
         {holding({key::Down}), holding({'S'}), holding({key::Enter})},
         ScreenOutcome::Play,
         3},
        {"Back", {holding({key::Up}), holding({key::Enter})}, ScreenOutcome::Back, 0},
        {"Escape", {holding({key::Escape})}, ScreenOutcome::Back, 0},
        {"the pad's B", {padHolding(gamepad::East)}, ScreenOutcome::Back, 0},
    };
    expectOutcomes(cases,
                   [&] { return std::make_unique<LevelsScreen>(nullptr, levels, &records); });
}

namespace {

// The options screen over options of its own, in a scripted window on a
// screen of 1920 x 1080; every change it hands on is counted.
class OptionsScreenTest : public ScriptedWindowTest {
protected:
    std::unique_ptr<OptionsScreen> make(PlayerOptions& options) {
        return std::make_unique<OptionsScreen>([] {}, options, PlayerOptions(),
                                               [this] { ++applied; });
    }

    // The pointer over the middle of the first column's `row`.
    static InputFrame pointerOnRow(int row, bool pressed) {
        InputFrame frame = holding({});
        const float size = 0.028f;
        const float y = 0.62f - row * menuRowSpacing * size * glyphAspect + size * glyphAspect / 2;
        frame.cursor = {static_cast<int>((-0.8f + 1.0f) / 2.0f * windowSize.width),
                        static_cast<int>((1.0f - y) / 2.0f * windowSize.height)};
        frame.buttons[mouse::Left] = pressed;
        return frame;
    }

    // `count` presses of `frame`.
    static std::vector<InputFrame> times(int count, const InputFrame& frame) {
        return std::vector<InputFrame>(count, frame);
    }

    static std::vector<InputFrame> then(std::vector<InputFrame> first,
                                        const std::vector<InputFrame>& second) {
        first.insert(first.end(), second.begin(), second.end());
        return first;
    }

    int applied = 0;
};

// Rows down from the first to the key of `one`.
std::vector<InputFrame> toAction(action::Action one) {
    return std::vector<InputFrame>(OptionsScreen::FirstAction + one, holding({key::Down}));
}

}  // namespace

// Each way of changing an option, and what it leaves: every change is handed
// on once, a refused key not at all, and the screen says why it refused.
TEST_F(OptionsScreenTest, KeysPointerAndPadChangeEachOptionAndRefuseKeysTakenElsewhere) {
    const struct {
        const char* how;
        std::vector<InputFrame> presses;
        std::function<void(PlayerOptions&)> expected;
        int changes;
        const char* note;
    } cases[] = {
        {"Enter takes the next window size",
         {holding({key::Enter})},
         [](PlayerOptions& o) { o.windowWidth = 1280, o.windowHeight = 720; },
         1,
         ""},
        {"left a smaller one, and stops at the smallest", times(4, holding({key::Left})),
         [](PlayerOptions& o) { o.windowWidth = 640, o.windowHeight = 480; }, 4, ""},
        {"right stops at the largest that fits the screen", times(9, holding({'D'})),
         [](PlayerOptions& o) { o.windowWidth = 1920, o.windowHeight = 1080; }, 9, ""},
        {"S and Enter switch full screen on",
         {holding({'S'}), holding({key::Enter})},
         [](PlayerOptions& o) { o.fullScreen = true; },
         1,
         ""},
        {"a click shows the frame rate",
         {pointerOnRow(OptionsScreen::FrameRate, true)},
         [](PlayerOptions& o) { o.showFrameRate = true; },
         1,
         ""},
        {"the pad's cross lowers the music by tens",
         then(times(3, padHolding(gamepad::DpadDown)), times(2, padHolding(gamepad::DpadLeft))),
         [](PlayerOptions& o) { o.musicVolume = 80; }, 2, ""},
        {"Enter on full effects goes round to none",
         then(times(4, holding({key::Down})), {holding({key::Enter})}),
         [](PlayerOptions& o) { o.effectsVolume = 0; }, 1, ""},
        {"the stick raises the sensitivity by tenths",
         then(times(5, stickAt(0.9f)), times(2, stickAt(0.9f, gamepad::LeftX))),
         [](PlayerOptions& o) { o.mouseSensitivity = 1.2f; }, 2, ""},
        {"the pointer selects, Enter inverts the camera",
         {pointerOnRow(OptionsScreen::Invert, false), holding({key::Enter})},
         [](PlayerOptions& o) { o.invertCamera = true; },
         1,
         ""},
        {"a free key for an action",
         then(toAction(action::RollForward), {holding({key::Enter}), holding({'I'})}),
         [](PlayerOptions& o) { o.bindings.bind(action::RollForward, 'I'); }, 1, ""},
        {"Enter on an action waits for its key",
         then(toAction(action::Jump), {holding({key::Enter})}), [](PlayerOptions&) {}, 0,
         "Press a key for Jump"},
        {"a key bound elsewhere is refused",
         then(toAction(action::Jump), {holding({key::Enter}), holding({'X'})}),
         [](PlayerOptions&) {}, 0, "X is bound to Spike mode"},
        {"a key the game keeps is refused",
         then(toAction(action::Pause), {holding({key::Enter}), holding({key::function(5)})}),
         [](PlayerOptions&) {}, 0, "F5 is kept by the game"},
        {"Escape keeps the key, and the menu goes on",
         then(toAction(action::Finish),
              {holding({key::Enter}), holding({key::Escape}), holding({key::Up}),
               holding({key::Enter}), holding({'U'})}),
         [](PlayerOptions& o) { o.bindings.bind(action::Pause, 'U'); }, 1, ""},
        {"Reset to defaults after changes",
         then({holding({key::Enter}), holding({'S'}), holding({key::Enter})},
              then(times(6, holding({'S'})), {holding({key::Enter})})),
         [](PlayerOptions&) {}, 3, ""},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.how);
        applied = 0;
        PlayerOptions options;
        const auto screen = make(options);
        EXPECT_EQ(ScreenOutcome::Stay, press(*screen, each.presses).kind);
        PlayerOptions expected;
        each.expected(expected);
        EXPECT_EQ(UserSettings::text(expected), UserSettings::text(options));
        EXPECT_EQ(each.changes, applied);
        const std::vector<std::string>& notes = screen->notes();
        EXPECT_EQ(each.note, notes.empty() ? "" : notes.front());
    }
}

TEST_F(OptionsScreenTest, BackEscapeAndThePadsBReturn) {
    const std::vector<Case> cases = {
        {"Back", then(times(13, holding({key::Up})), {holding({key::Enter})}), ScreenOutcome::Back,
         0},
        {"Escape", {holding({key::Escape})}, ScreenOutcome::Back, 0},
        {"the pad's B", {padHolding(gamepad::East)}, ScreenOutcome::Back, 0},
    };
    PlayerOptions options;
    expectOutcomes(cases, [&] { return make(options); });
}

TEST_F(OptionsScreenTest, ShowsAnOptionChangedElsewhereAtItsNextPoll) {
    PlayerOptions options;
    const auto screen = make(options);
    options.fullScreen = true;  // as Alt+Enter does
    screen->update(holding({}));
    EXPECT_EQ("Full screen            on", screen->rows()[OptionsScreen::FullScreen]);
}
// A list longer than the screen scrolls with the selection; the pointer
// chooses among the rows shown.
TEST(Menu, ALongListScrollsSoThatTheSelectedItemShows) {
    std::vector<std::string> items;
    for (int item = 0; item < 12; ++item) items.push_back("item " + std::to_string(item));
    Menu menu(items, -0.9f, 0.6f);
    menu.showAtMost(5);
    const struct {
        int downs;
        int first;
    } steps[] = {{0, 0}, {4, 0}, {5, 1}, {11, 7}, {12, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.downs);
        menu.select(0);
        for (int down = 0; down < step.downs; ++down) {
            menu.update(holding({key::Down}));
            menu.update(holding({}));
        }
        EXPECT_EQ(step.downs % 12, menu.selected());
        EXPECT_EQ(step.first, menu.firstShown());
    }
    menu.select(11);
    EXPECT_EQ(7, menu.itemAt(pointerOn(0, false, 0.6f).cursor, windowSize)) << "the top row";
    EXPECT_EQ(-1, menu.itemAt(pointerOn(5, false, 0.6f).cursor, windowSize)) << "below the rows";
}

// The death and end screens: Enter or a click choose (the menu answers the
// pad as the title's does); Escape and the pad's B quit; the keys are named
// beside the menu.
TEST(ChoiceScreen, TheDeathAndEndScreensOfferTheirChoicesByKeysPointerAndPad) {
    const struct {
        const char* screen;
        ChoiceScreen (*make)();
        std::string enterLine;
        ScreenOutcome::Kind enter, second;
    } screens[] = {
        {"death", [] { return deathScreen(); }, "Enter: try again", ScreenOutcome::Restart,
         ScreenOutcome::Title},
        {"end", [] { return endScreen("you won", {"1:00.0"}, false); }, "Enter: next level",
         ScreenOutcome::Play, ScreenOutcome::Title},
        {"last end", [] { return endScreen("the end", {}, true); }, "Enter: title",
         ScreenOutcome::Title, ScreenOutcome::Quit},
    };
    for (const auto& each : screens) {
        SCOPED_TRACE(each.screen);
        EXPECT_EQ((std::vector<std::string>{each.enterLine, "Escape: quit"}),
                  each.make().keyLines());
        const float top = each.make().menuTop();
        const std::vector<Case> cases = {
            {"Enter", {holding({key::Enter})}, each.enter, 0},
            {"down, Enter", {holding({key::Down}), holding({key::Enter})}, each.second, 0},
            {"Escape", {holding({key::Escape})}, ScreenOutcome::Quit, 0},
            {"the pad's B", {padHolding(gamepad::East)}, ScreenOutcome::Quit, 0},
            {"a click on the second",
             {pointerOn(1, false, top, -0.5f), pointerOn(1, true, top, -0.5f)},
             each.second,
             0},
        };
        expectOutcomes(cases, [&] { return std::make_unique<ChoiceScreen>(each.make()); });
    }
    ChoiceScreen death = deathScreen();
    death.enter(padHolding(gamepad::South));
    EXPECT_EQ(ScreenOutcome::Stay, death.update(padHolding(gamepad::South)).kind)
        << "A held from a jump into the fall";
    death.enter(holding({key::Enter}));
    EXPECT_EQ(ScreenOutcome::Restart, death.update(holding({key::Enter})).kind)
        << "Enter held as Tobble died goes on at once";
}

TEST(TextPanel, WrapsTextAtWordsAndCutsWordsLongerThanALine) {
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"no time", {"no time"}},
        {"there was no time to bake cake", {"there was", "no time to", "bake cake"}},
        {"  spaced   out  ", {"spaced out"}},
        {"abcdefghijklmnopqrstuvwxy z", {"abcdefghij", "klmnopqrst", "uvwxy z"}},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(each.lines, wrapText(each.text, 10)) << each.text;
    }
}
