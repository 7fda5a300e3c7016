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

TEST(ConfigSchema, MisspeltKeysAndValuesOfTheWrongKindAreFoundWithTheKeyMeant) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "Model = { model = \"cube\" }; Light = { }");
    resources.writeResource("level.cfg",
                            "scene = (\n"
                            "  Model { tranform = { translation = (1, 2, 3) }; name = 7 },\n"
                            "  Light { transform = { scael = (1, 1, 1); rotation = (0, 0, 1) } },\n"
                            "  Model { wobble = 3 }, 42)");
    // A value that is no group has no place of its own: its key's stands in.
    EXPECT_EQ((Lines{"level.cfg:1:1: a scene object is a group, a list or a file name, not "
                     "Integer 42",
                     "level.cfg:2:11: unknown key \"tranform\" in Model; did you mean transform?",
                     "level.cfg:2:51: \"name\" should be a string, not Integer 7",
                     "level.cfg:3:25: unknown key \"scael\" in transform; did you mean scale?",
                     "level.cfg:3:44: \"rotation\" should be a list of 4 numbers, not List (0, "
                     "0, 1)",
                     "level.cfg:4:11: unknown key \"wobble\" in Model; the game does not read it"}),
              warningsAbout("level"));
}

TEST(ConfigSchema, PrototypesAreCheckedWhereTheyAreWrittenOnce) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg",
                            "Model = { };\nFloor = Model { type = \"Model\"; textur = \"floor\" }");
    resources.writeResource("level.cfg", "scene = ( Floor { }, Floor { }, \"lamp\" )");
    EXPECT_EQ((Lines{"prototypes.cfg:2:33: unknown key \"textur\" in Model; did you mean "
                     "texture?"}),
              warningsAbout("level"));
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
