#include <gtest/gtest.h>

#include "ConfigFixture.h"
#include "lum/character/ModeColours.h"
#include "lum/config/Setting.h"
#include "lum/util/Exception.h"

using namespace lum;
using namespace lum::test;

// What the configuration leaves out is built in; a word for a number is
// reported, not guessed.
TEST(ModeColoursTest, TheConfigurationsColoursWinAndWhatItLeavesOutIsBuiltIn) {
    TempResources resources;
    const Setting player = loadText(
        resources,
        "colours = { jump = { diffuse = (1, 0.2, 0.1, 1) }; speed = { diffuse = \"blue\" };\n"
        "            base = { ambient = (1, \"lots\", 1, 1) } };\n");
    const ModeColours jump = ModeColours::read(player, "jump");
    EXPECT_EQ(glm::vec4(1, 0.2f, 0.1f, 1), jump.diffuse);
    EXPECT_EQ(ModeColours::builtIn("jump").specular, jump.specular);
    EXPECT_EQ(ModeColours::builtIn("speed").diffuse, ModeColours::read(player, "speed").diffuse);
    EXPECT_THROW(ModeColours::read(player, "base"), ConfigException);
}
