#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "ConfigFixture.h"
#include "ScriptedWindowFixture.h"
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

InputFrame stickAt(float y) {
    InputFrame frame = holding({});
    frame.pad.connected = true;
    frame.pad.axes[gamepad::LeftY] = y;
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

}  // namespace

TEST(TitleScreen, KeysMousePadAndTheFunctionKeysChooseWhatToDo) {
    const struct {
        const char* how;
        std::vector<InputFrame> presses;
        ScreenOutcome::Kind kind;
    } cases[] = {
        {"up wraps to the last", {holding({key::Up}), holding({key::Enter})}, ScreenOutcome::Quit},
        {"a little tilt moves nothing",
         {stickAt(0.3f), padHolding(gamepad::South)},
         ScreenOutcome::Play},
        {"the pointer selects, Enter chooses",
         {pointerOn(1, false), holding({key::Enter})},
         ScreenOutcome::Levels},
    };
    for (const auto& each : cases) {
        TitleScreen title(nullptr, 2);
        const ScreenOutcome outcome = press(title, each.presses);
        EXPECT_EQ(each.kind, outcome.kind) << each.how;
        EXPECT_EQ(each.kind == ScreenOutcome::Play ? 2 : 0, outcome.level) << each.how;
    }
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
    EXPECT_EQ(2, firstUnfinished(levels, &records));
    for (const char* const level : {"level2", "level3"}) records.enter(level, 10, 0);
    EXPECT_EQ(1, firstUnfinished(levels, &records)) << "all finished: the first again";

    LevelsScreen screen(nullptr, levels, &records);
    const ScreenOutcome chosen =
        press(screen, {holding({key::Down}), holding({'S'}), holding({key::Enter})});
    EXPECT_EQ(3, chosen.level);
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
        {"right stops at the largest that fits the screen", times(9, holding({'D'})),
         [](PlayerOptions& o) { o.windowWidth = 1920, o.windowHeight = 1080; }, 9, ""},
        {"a free key for an action",
         then(toAction(action::RollForward), {holding({key::Enter}), holding({'I'})}),
         [](PlayerOptions& o) { o.bindings.bind(action::RollForward, 'I'); }, 1, ""},
        {"a key bound elsewhere is refused",
         then(toAction(action::Jump), {holding({key::Enter}), holding({'X'})}),
         [](PlayerOptions&) {}, 0, "X is bound to Spike mode"},
        {"a key the game keeps is refused",
         then(toAction(action::Pause), {holding({key::Enter}), holding({key::function(5)})}),
         [](PlayerOptions&) {}, 0, "F5 is kept by the game"},
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

// A list longer than the screen scrolls with the selection; the pointer
// chooses among the rows shown.
TEST(Menu, ALongListScrollsSoThatTheSelectedItemShows) {
    std::vector<std::string> items;
    for (int item = 0; item < 12; ++item) items.push_back("item " + std::to_string(item));
    Menu menu(items, -0.9f, 0.6f);
    menu.showAtMost(5);
    for (int down = 0; down < 11; ++down) {
        menu.update(holding({key::Down}));
        menu.update(holding({}));
    }
    EXPECT_EQ(11, menu.selected());
    EXPECT_EQ(7, menu.firstShown());
    EXPECT_EQ(7, menu.itemAt(pointerOn(0, false, 0.6f).cursor, windowSize)) << "the top row";
}
