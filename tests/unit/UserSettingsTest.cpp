#include <gtest/gtest.h>

#include "ConfigFixture.h"
#include "lum/PlayerOptions.h"
#include "lum/platform/InputFrame.h"
#include "records/UserSettings.h"

using namespace lum;
using lum::test::TempDir;

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
        {"keys = { jump = \"w\"; rollForward = \"Space\" };", 100, 1024, 'W'},
        {"keys = { jump = \"W\" };", 100, 1024, key::Space},
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
    }
}
