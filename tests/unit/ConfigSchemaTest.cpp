#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "lum/config/ConfigSchema.h"
#include "lum/resource/ConfigLoader.h"

using namespace lum;
using lum::test::TempResources;

namespace {

// "file:line:col: text" for each warning about the configuration `name`.
std::vector<std::string> warningsAbout(const std::string& name) {
    testing::internal::CaptureStderr();
    const Setting configuration = ConfigLoader::instance().load(name);
    testing::internal::GetCapturedStderr();
    std::vector<std::string> lines;
    for (const SchemaWarning& warning :
         checkAgainstSchema(documentOf(name, configuration), configuration)) {
        lines.push_back(warning.position.file + ":" + std::to_string(warning.position.line) + ":" +
                        std::to_string(warning.position.column) + ": " + warning.text);
    }
    return lines;
}

typedef std::vector<std::string> Lines;

}  // namespace

TEST(ConfigSchema, MisspeltKeysOfObjectsAreFoundWithTheKeyMeant) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "Model = { model = \"cube\" }; Light = { }");
    resources.writeResource(
        "level.cfg",
        "scene = (\n"
        "  Model { tranform = { translation = (1, 2, 3) }; texure = \"a\"; mas = 1 },\n"
        "  Light { colour = { } ; transform = { scael = (1, 1, 1) } },\n"
        "  Model { wobble = 3 })");
    EXPECT_EQ((Lines{"level.cfg:2:11: unknown key \"tranform\" in Model; did you mean transform?",
                     "level.cfg:2:51: unknown key \"texure\" in Model; did you mean texture?",
                     "level.cfg:2:65: unknown key \"mas\" in Model; did you mean mass?",
                     "level.cfg:3:11: unknown key \"colour\" in Light; did you mean color?",
                     "level.cfg:3:40: unknown key \"scael\" in transform; did you mean scale?",
                     "level.cfg:4:11: unknown key \"wobble\" in Model; the game does not read it"}),
              warningsAbout("level"));
}

TEST(ConfigSchema, ValuesOfTheWrongKindAreFound) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "Model = { }; Box = { }");
    resources.writeResource(
        "level.cfg",
        "scene = ( Model { name = 7; animated = \"yes\"; shape = Box { size = (1, 2) };\n"
        "                  material = { ambient = 1 }; transform = { rotation = (0, 0, 1) } },\n"
        "          42 )");
    // A value that is no group has no place of its own: its key's stands in.
    EXPECT_EQ((Lines{"level.cfg:1:1: a scene object is a group, a list or a file name, not "
                     "Integer 42",
                     "level.cfg:1:19: \"name\" should be a string, not Integer 7",
                     "level.cfg:1:29: \"animated\" should be a boolean (true or false), not "
                     "String \"yes\"",
                     "level.cfg:1:61: \"size\" should be a list of 3 numbers, not List (1, 2)",
                     "level.cfg:2:32: \"ambient\" should be a list of 4 numbers, not Integer 1",
                     "level.cfg:2:61: \"rotation\" should be a list of 4 numbers, not List (0, "
                     "0, 1)"}),
              warningsAbout("level"));
}

TEST(ConfigSchema, SettingsOfTheWrongKindMisspeltOrInAGroupAreFound) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "");
    resources.writeResource("settings.cfg",
                            "showframerate = 1;\nfrustumCulling = true;\n"
                            "display = { wireframe = true; debug = true };\nplayerSpeed = 2.5");
    const Lines warnings = warningsAbout("settings");
    ASSERT_EQ(3u, warnings.size());
    EXPECT_EQ(
        "settings.cfg:1:1: \"showframerate\" should be a boolean (true or false), not "
        "Integer 1",
        warnings[0]);
    EXPECT_EQ(
        "settings.cfg:2:1: unknown key \"frustumCulling\" in the settings; did you mean "
        "frustrumCulling?",
        warnings[1]);
    // The group's keys come in the group's own order.
    EXPECT_EQ(0u, warnings[2].find("settings.cfg:3:1: the settings inside \"display\" are "
                                   "ignored: the game reads "))
        << warnings[2];
}

TEST(ConfigSchema, PrototypesAreCheckedWhereTheyAreWrittenOnce) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg",
                            "Model = { };\nFloor = Model { type = \"Model\"; textur = \"floor\" }");
    resources.writeResource("level.cfg", "scene = ( Floor { }, Floor { }, \"lamp\" )");
    EXPECT_EQ((Lines{"prototypes.cfg:2:33: unknown key \"textur\" in Model; did you mean "
                     "texture?"}),
              warningsAbout("level"));
    EXPECT_EQ((Lines{"prototypes.cfg:2:33: unknown key \"textur\" in Model; did you mean "
                     "texture?"}),
              warningsAbout("prototypes"));
}

TEST(ConfigSchema, ThePlayersFileHasTheKeysOfAModelACharacterAndModes) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "Sphere = { }");
    resources.writeResource("tobble.cfg",
                            "name = \"T\"; shape = Sphere { radius = 1 };\n"
                            "character = { health = 100; maximumHealth = 100 };\n"
                            "states = { base = [50, 0, 1]; jump = [80, 0] }");
    EXPECT_EQ((Lines{"tobble.cfg:2:29: unknown key \"maximumHealth\" in character; did you "
                     "mean maximumhealth?",
                     "tobble.cfg:3:31: \"jump\" should be a list of 3 numbers [push strength, "
                     "unused, mass], not List (80, 0)"}),
              warningsAbout("tobble"));
}

TEST(ConfigSchema, TheGameLogsEachWarningOnceWithItsFileAndLine) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "");
    resources.writeResource("settings.cfg", "debug = true;\nwirefame = true");
    for (int load = 0; load < 2; ++load) {
        testing::internal::CaptureStderr();
        ConfigLoader::instance().load("settings");
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(load == 0 ? "ConfigLoader : WARNING: settings.cfg:2: unknown key \"wirefame\" "
                              "in the settings; did you mean wireframe?\n"
                            : "",
                  err);
    }
}

TEST(ConfigSchema, AFileIsReadByWhatItDescribes) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "Model = { }");
    resources.writeResource("lamp.cfg", "type = \"Light\"; colour = { }");
    resources.writeResource("crate.cfg", "Model { texure = \"crate\" }");
    resources.writeResource("notes.cfg", "anything = 1; at = \"all\"");
    // Another spelling of a kind, in any case, is read with that kind's keys.
    resources.writeResource("mouse.cfg", "type = \"windupMOUSE\"; mas = 1");
    resources.writeResource("body.cfg", "type = \"physicsnode\"; nam = \"b\"");
    EXPECT_EQ((Lines{"lamp.cfg:1:17: unknown key \"colour\" in Light; did you mean color?"}),
              warningsAbout("lamp"));
    EXPECT_EQ((Lines{"mouse.cfg:1:23: unknown key \"mas\" in Model; did you mean mass?"}),
              warningsAbout("mouse"));
    EXPECT_EQ((Lines{"body.cfg:1:23: unknown key \"nam\" in Physics; did you mean name?"}),
              warningsAbout("body"));
    EXPECT_EQ((Lines{"crate.cfg:1:9: unknown key \"texure\" in Model; did you mean texture?"}),
              warningsAbout("crate"));
    EXPECT_EQ(Lines(), warningsAbout("notes"));
    EXPECT_EQ(ConfigDocument::Unknown, documentOf("notes", ConfigLoader::instance().load("notes")));
}

TEST(ConfigSchema, OnlySlipsOfTheKeyboardGetASuggestion) {
    const std::vector<std::string> keys = {"transform", "texture", "mass", "name"};
    EXPECT_EQ("transform", closestKey("tranform", keys));
    EXPECT_EQ("transform", closestKey("Transfrom", keys));
    EXPECT_EQ("mass", closestKey("mas", keys));
    EXPECT_EQ("", closestKey("colour", keys));
    EXPECT_EQ("", closestKey("x", keys));
}
