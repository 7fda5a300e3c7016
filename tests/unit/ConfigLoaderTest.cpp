#include <gtest/gtest.h>

#include <string>

#include "ConfigFixture.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/util/Exception.h"

using namespace lum;
using lum::test::literally;
using lum::test::TempResources;

namespace {

std::string loadFailure(const std::string& name) {
    return test::failureOf<Exception>([&] { ConfigLoader::instance().load(name); });
}

}  // namespace

TEST(ConfigLoader, FindsTheNamedFileAnywhereBelowTheResourceRootAndNamesAMissingOne) {
    const TempResources resources;
    resources.writeResource("plain.cfg", "a = 1");
    EXPECT_EQ("File prototypes.cfg could not be found.", loadFailure("plain"));

    resources.writeResource("prototypes.cfg", "Light = { color = (1, 1, 1) }");
    resources.writeResource("levels/level1.cfg", "lamp = Light { }; name = \"one\"");
    const Setting level = ConfigLoader::instance().load("level1");
    EXPECT_EQ("one", level("name").asString());
    EXPECT_EQ("Light", level("lamp").typeName());
    EXPECT_EQ("File level2.cfg could not be found.", loadFailure("level2"));
}

TEST(ConfigLoader, IncludedFilesLendTheirPrototypesButNotTheirKeys) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "Base = { speed = 2 }");
    // The included files see the includer's scope, and each other in order.
    resources.writeResource("lib/lights.cfg", "Light = Base { color = 1 }");
    resources.writeResource("lib/lamps.cfg", "Lamp = Light { bright = true }");
    resources.writeResource("level.cfg",
                            "#include \"lights.cfg\"\n#include 'lamps.cfg'\n"
                            "lamp = Lamp { }; light = Light { speed = 3 }");
    const Setting level = ConfigLoader::instance().load("level");
    EXPECT_FALSE(level.contains("Light"));
    EXPECT_TRUE(level("lamp")("bright").asBool());
    EXPECT_EQ(2, level("lamp")("speed").asInt());
    EXPECT_EQ(3, level("light")("speed").asInt());
}

// A player's level lies outside the data: named by its absolute path without
// ".cfg", it includes files beside it before those of the data, and takes
// the data's prototypes.
TEST(ConfigLoader, AnAbsoluteNameIsAFileOutsideTheDataWithItsIncludesBesideIt) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "Base = { speed = 2 }");
    resources.writeResource("shared.cfg", "Shared = Base { from = \"data\" }");
    resources.writeResource("mine.cfg", "from = \"data\"");
    const test::TempDir own;
    own.write("beside.cfg", "Beside = Base { from = \"own\" }");
    own.write("mine.cfg",
              "#include \"beside.cfg\"\n#include \"shared.cfg\"\n"
              "a = Beside { }; b = Shared { }; from = \"own\"");
    const Setting level = ConfigLoader::instance().load((own.path / "mine").string());
    EXPECT_EQ("own", level("a")("from").asString());
    EXPECT_EQ("data", level("b")("from").asString());
    EXPECT_EQ("data", ConfigLoader::instance().load("mine")("from").asString());
    EXPECT_NE(std::string::npos, loadFailure((own.path / "gone").string()).find("gone.cfg"));
}

TEST(ConfigLoader, ASelfIncludeEndsWithTheDepthError) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "");
    resources.writeResource("loop.cfg", "#include \"loop.cfg\"\na = 1");
    EXPECT_EQ(
        "Your file inclusion trace is more than 10 levels, deep.\n"
        "Check for cylcic includes in your config files or refactor.\n",
        loadFailure("loop"));
}

TEST(ConfigLoaderDeathTest, IncludesOfOneLoadAreUnknownToTheNext) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "");
    resources.writeResource("lib.cfg", "Thing = { }");
    resources.writeResource("first.cfg", "#include \"lib.cfg\"\nt = Thing { }");
    resources.writeResource("second.cfg", "t = Thing { }");
    EXPECT_EQ("Thing", ConfigLoader::instance().load("first")("t").typeName());
    EXPECT_EXIT(ConfigLoader::instance().load("second"), testing::ExitedWithCode(1),
                literally("second.cfg:1:5:Prototype 'Thing' not found. No prototypes are known "
                          "here.\n"));
}
