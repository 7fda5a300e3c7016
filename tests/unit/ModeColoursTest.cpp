#include <gtest/gtest.h>

#include "ConfigFixture.h"
#include "lum/character/ModeColours.h"
#include "lum/config/Setting.h"
#include "lum/util/Exception.h"

using namespace lum;
using namespace lum::test;

TEST(ModeColoursTest, TheConfigurationsColoursWinAndWhatItLeavesOutIsBuiltIn) {
    TempResources resources;
    const Setting player = loadText(
        resources,
        "colours = { jump = { ambient = (0.5, 0.1, 0.1, 1); diffuse = (1, 0.2, 0.1, 1) };\n"
        "            speed = { diffuse = \"blue\" } };\n");
    const ModeColours jump = ModeColours::read(player, "jump");
    EXPECT_EQ(glm::vec4(0.5f, 0.1f, 0.1f, 1), jump.ambient);
    EXPECT_EQ(glm::vec4(1, 0.2f, 0.1f, 1), jump.diffuse);
    EXPECT_EQ(ModeColours::builtIn("jump").specular, jump.specular);

    // Not a colour: the built-in one stays.
    EXPECT_EQ(ModeColours::builtIn("speed").diffuse, ModeColours::read(player, "speed").diffuse);
    // A mode the group does not name, and a configuration without the group.
    EXPECT_EQ(ModeColours::builtIn("spike").ambient, ModeColours::read(player, "spike").ambient);
    const Setting plain = loadText(resources, "character = { state = \"base\" };\n");
    EXPECT_EQ(ModeColours::builtIn("base").diffuse, ModeColours::read(plain, "base").diffuse);
    // The built-in table is found by name; a mode it lacks is white.
    EXPECT_EQ(glm::vec4(1, 0, 0, 1), ModeColours::builtIn("jump").diffuse);
    EXPECT_EQ(glm::vec4(1), ModeColours::builtIn("no such mode").ambient);
}

TEST(ModeColoursTest, AColourWithAWordForANumberIsReportedNotGuessed) {
    TempResources resources;
    const Setting player =
        loadText(resources, "colours = { base = { ambient = (1, \"lots\", 1, 1) } };\n");
    EXPECT_THROW(ModeColours::read(player, "base"), ConfigException);
}
