#include <gtest/gtest.h>

#include "lum/KeyBindings.h"
#include "lum/platform/InputFrame.h"

using namespace lum;

TEST(KeyBindings, AKeyServesOneActionAndTheGamesOwnKeysNone) {
    const struct {
        action::Action action;
        int code;
        bool taken;
    } cases[] = {
        {action::Jump, 'J', true},         // a free key
        {action::Jump, key::Space, true},  // its own key again
        {action::Jump, 'W', false},        // rolling forward's
        {action::Pause, key::Escape, false},
        {action::Pause, key::Enter, false},
        {action::Jump, key::Alt, false},  // with Enter, full screen
        {action::RollForward, key::Up, false},
        {action::Jump, key::Plus, false},
        {action::Finish, key::function(2), false},
        {action::Pause, key::F1, false},  // finishing's, though F1 may move
        {action::Jump, -1, false},
        {action::Jump, key::Last + 1, false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(keyName(each.code));
        KeyBindings bindings;
        const int before = bindings.keyOf(each.action);
        EXPECT_EQ(each.taken, bindings.bind(each.action, each.code));
        EXPECT_EQ(each.taken ? each.code : before, bindings.keyOf(each.action));
        EXPECT_EQ(each.taken, bindings.actionOn(each.code) == each.action);
    }
}

TEST(KeyBindings, EveryKeyIsNamedAndFoundByItsName) {
    for (int code = 0; code <= key::Last; ++code) {
        EXPECT_EQ(code, keyCode(keyName(code))) << keyName(code);
    }
    EXPECT_EQ("Space", keyName(key::Space));
    EXPECT_EQ("F1", keyName(key::F1));
    EXPECT_EQ("W", keyName('W'));
    EXPECT_EQ('W', keyCode("w")) << "a letter in either case";
    EXPECT_EQ(KeyBindings::unbound, keyCode("no such key"));
    EXPECT_EQ(KeyBindings::unbound, keyCode(""));
}

TEST(KeyBindings, TakingWishesSwapsKeysAndNeverDoublesOne) {
    KeyBindings bindings;
    std::array<int, action::Count> wanted;
    for (int each = 0; each < action::Count; ++each) {
        wanted[each] = bindings.keyOf(static_cast<action::Action>(each));
    }
    wanted[action::RollForward] = key::Space;
    wanted[action::Jump] = 'W';
    wanted[action::Pause] = 'X';  // the spike mode's
    bindings.takeFrom(wanted);
    EXPECT_EQ(key::Space, bindings.keyOf(action::RollForward));
    EXPECT_EQ('W', bindings.keyOf(action::Jump));
    EXPECT_EQ('X', bindings.keyOf(action::SpikeMode));
    EXPECT_EQ('P', bindings.keyOf(action::Pause)) << "the key it asked for was taken first";
}
