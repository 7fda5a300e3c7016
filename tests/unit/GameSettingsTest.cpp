#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

#include "ConfigFixture.h"
#include "lum/GameSettings.h"
#include "lum/util/Exception.h"

using namespace lum;
using lum::test::TempResources;

namespace {

// The settings singleton after loading `text` as the configuration "options".
GameSettings& settingsFrom(const TempResources& resources, const std::string& text) {
    resources.writeResource("prototypes.cfg", "");
    resources.writeResource("settings.cfg", "");
    resources.writeResource("options.cfg", text);
    GameSettings& settings = GameSettings::instance();
    settings.loadConfig("options");
    return settings;
}

}  // namespace

TEST(GameSettings, TakesValuesOfTheAcceptedKindsOnly) {
    const TempResources resources;
    GameSettings& settings = settingsFrom(
        resources,
        "gameType = \"GAME\"; playerSpeed = 7; framerate = 59.9; mipMapQuality = 2;"
        "wireframe = true; physicsdebug = true; frustrumCulling = true; transperancy = false;"
        "showframerate = 1; cursorEnabled = \"no\"");
    EXPECT_EQ(GAME, settings.gameType);
    EXPECT_FLOAT_EQ(7.0f, settings.playerSpeed);
    EXPECT_EQ(59, settings.framerate);
    EXPECT_EQ(2, settings.mipMapQuality);
    EXPECT_TRUE(settings.wireframe);
    EXPECT_TRUE(settings.physicsdebug);
    EXPECT_TRUE(settings.frustrumCulling);
    EXPECT_FALSE(settings.transperancy);
    EXPECT_FALSE(settings.showframerate);
    EXPECT_TRUE(settings.cursorEnabled);

    // Loading again starts from the defaults, not from the last file.
    settings.loadConfig("settings");
    EXPECT_EQ(SPECTATOR, settings.gameType);
    EXPECT_FLOAT_EQ(5.0f, settings.playerSpeed);
    EXPECT_TRUE(settings.transperancy);
    settingsFrom(resources, "playerSpeed = \"fast\"");
    EXPECT_FLOAT_EQ(5.0f, settings.playerSpeed);
}

TEST(GameSettingsDeathTest, AMissingSettingsFileIsReportedAndTheNextAccessTriesAgain) {
    // A fresh process, so that the first access is really the first.
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            GameType loaded = SPECTATOR;
            {
                const TempResources resources;
                resources.writeResource("prototypes.cfg", "");
                try {
                    GameSettings::instance();
                } catch (const Exception& e) {
                    std::cerr << e;
                }
                resources.writeResource("settings.cfg", "gameType = \"GAME\"");
                loaded = GameSettings::instance().gameType;
            }
            std::exit(loaded == GAME ? 3 : 4);
        },
        testing::ExitedWithCode(3),
        "IOException: File settings.cfg could not be found.\n"
        "(.*\n)*.*:lum::GameSettings::loadConfig:");
}
