#include <gtest/gtest.h>

#include <set>

#include "ConfigFixture.h"
#include "lum/PlayerOptions.h"
#include "lum/platform/InputFrame.h"
#include "records/UserSettings.h"

using namespace lum;
using lum::test::TempDir;

TEST(UserSettings, WhatIsSavedIsReadBackNextTime) {
    TempDir place;
    PlayerOptions chosen;
    chosen.windowWidth = 1920;
    chosen.windowHeight = 1080;
    chosen.fullScreen = true;
    chosen.showFrameRate = true;
    chosen.musicVolume = 0;
    chosen.effectsVolume = 55;
    chosen.mouseSensitivity = 2.5f;
    chosen.invertCamera = true;
    ASSERT_TRUE(chosen.bindings.bind(action::Jump, 'J'));
    ASSERT_TRUE(chosen.bindings.bind(action::Finish, 'K'));
    UserSettings(place.path).save(chosen);

    PlayerOptions again;
    UserSettings(place.path).readInto(again);
    EXPECT_EQ(UserSettings::text(chosen), UserSettings::text(again));
    EXPECT_EQ('J', again.bindings.keyOf(action::Jump));
    EXPECT_TRUE(again.invertCamera);
    EXPECT_FLOAT_EQ(2.5f, again.mouseSensitivity);
}

// The player may write the file by hand: what the game cannot use keeps the
// shipped value, and no value leaves its range.
TEST(UserSettings, ValuesOfTheWrongKindOrOutOfRangeKeepToTheShippedOnes) {
    const struct {
        const char* text;
        int musicVolume;
        int windowWidth;
        int jumpKey;
    } cases[] = {
        {"musicVolume = \"loud\"; windowWidth = true;", 100, 1024, key::Space},
        {"musicVolume = 250; windowWidth = 5;", 100, 320, key::Space},
        {"musicVolume = -3; windowWidth = 99999;", 0, 16384, key::Space},
        {"keys = { jump = \"no such key\" };", 100, 1024, key::Space},
        {"keys = { jump = \"Escape\" };", 100, 1024, key::Space},
        {"keys = { jump = \"w\"; rollForward = \"Space\" };", 100, 1024, 'W'},
        {"keys = { jump = \"W\" };", 100, 1024, key::Space},
        {"keys = \"W\";", 100, 1024, key::Space},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.text);
        TempDir place;
        place.write(UserSettings::fileName, each.text);
        ::testing::internal::CaptureStderr();
        PlayerOptions read;
        UserSettings(place.path).readInto(read);
        EXPECT_EQ("", ::testing::internal::GetCapturedStderr()) << "not a damaged file";
        EXPECT_EQ(each.musicVolume, read.musicVolume);
        EXPECT_EQ(each.windowWidth, read.windowWidth);
        EXPECT_EQ(each.jumpKey, read.bindings.keyOf(action::Jump));
        std::set<int> keys;
        for (int each = 0; each < action::Count; ++each) {
            keys.insert(read.bindings.keyOf(static_cast<action::Action>(each)));
        }
        EXPECT_EQ(static_cast<std::size_t>(action::Count), keys.size()) << "one key each";
    }
}
