#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>
#include <string>

#include "ConfigFixture.h"
#include "lum/config/Lexer.h"
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
    resources.writeResource("level.cfg", "// Shapes\n  #include \"gone.cfg\"");
    EXPECT_EQ("File gone.cfg could not be found. It is included at level.cfg:2:12.",
              loadFailure("level"));
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
    EXPECT_EQ(2u, level.size());
    EXPECT_FALSE(level.contains("Light"));
    EXPECT_TRUE(level("lamp")("bright").asBool());
    EXPECT_EQ(1, level("lamp")("color").asInt());
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
    EXPECT_EQ("own", level("from").asString());
    EXPECT_EQ("own", level("a")("from").asString());
    EXPECT_EQ("data", level("b")("from").asString());
    EXPECT_EQ(2, level("a")("speed").asInt());
    EXPECT_EQ("data", ConfigLoader::instance().load("mine")("from").asString());
    EXPECT_NE(std::string::npos, loadFailure((own.path / "gone").string()).find("gone.cfg"));
}

TEST(ConfigLoader, FilesWithoutSettingsOfferNoPrototypesAndBreakNothing) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "// nothing yet\n#include \"shared.cfg\"");
    resources.writeResource("shared.cfg", "Shared = { x = 1 }");
    resources.writeResource("empty.cfg", "");
    resources.writeResource("level.cfg",
                            "#include \"empty.cfg\"\n#include \"shared.cfg\"\n"
                            "it = Shared { }");
    EXPECT_EQ(1, ConfigLoader::instance().load("level")("it")("x").asInt());
}

TEST(ConfigLoader, ASelfIncludeEndsWithTheDepthErrorAndOneTraceEntryPerLevel) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "");
    resources.writeResource("loop.cfg", "#include \"loop.cfg\"\na = 1");
    try {
        ConfigLoader::instance().load("loop");
        FAIL() << "no exception";
    } catch (const ConfigException& e) {
        EXPECT_EQ(
            "Your file inclusion trace is more than 10 levels, deep.\n"
            "Check for cylcic includes in your config files or refactor.\n",
            e.getMessage());
        int levels = 0;
        for (const TraceEntry& entry : e.getTrace()) {
            levels += std::string(entry.function) == "lum::loadFile";
        }
        EXPECT_EQ(12, levels);  // depths 0 to 11
        EXPECT_STREQ("lum::ConfigLoader::load", e.getTrace().front().function);
    }
}

TEST(ConfigLoaderDeathTest, IncludesOfOneLoadAreUnknownToTheNext) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "Early = Late { }; Late = { }");
    resources.writeResource("level.cfg", "a = 1");
    EXPECT_EXIT(ConfigLoader::instance().load("level"), testing::ExitedWithCode(1),
                literally("prototypes.cfg:1:9:Prototype 'Late' not found. No prototypes are known "
                          "here.\n"));

    resources.writeResource("prototypes.cfg", "");
    resources.writeResource("lib.cfg", "Thing = { }");
    resources.writeResource("first.cfg", "#include \"lib.cfg\"\nt = Thing { }");
    resources.writeResource("second.cfg", "t = Thing { }");
    EXPECT_EQ("Thing", ConfigLoader::instance().load("first")("t").typeName());
    EXPECT_EXIT(ConfigLoader::instance().load("second"), testing::ExitedWithCode(1),
                literally("second.cfg:1:5:Prototype 'Thing' not found. No prototypes are known "
                          "here.\n"));
}

TEST(Lexer, RefusesWhatItCannotRead) {
    const TempResources resources;
    auto failure = [](const std::string& path) {
        return test::failureOf<ConfigException>([&] { unmakeLexer(makeLexer(path)); });
    };
    EXPECT_EQ("File 'none.cfg' does not exist.", failure("none.cfg"));
    EXPECT_EQ("File 'resources' is a directory and thus cannot be read from.",
              failure("resources"));
    ASSERT_EQ(0, mkfifo("pipe.cfg", 0600));
    EXPECT_EQ("File 'pipe.cfg' could not be opened.", failure("pipe.cfg"));
}
