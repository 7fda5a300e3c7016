#include <gtest/gtest.h>

#include <string>

#include "ConfigFixture.h"
#include "lum/config/Setting.h"

using namespace lum;
using lum::test::literally;
using lum::test::loadText;
using lum::test::TempResources;
using lum::test::textOf;

TEST(ConfigParser, ScansLiteralsByLongestMatchFirstRuleFirst) {
    const TempResources resources;
    const Setting file = loadText(resources,
                                  "t = true; u = True; plus = +5; minus=-1; r = (5., .5);"
                                  "q = ('say \"hi\"', \"it's\");"
                                  "/*word*/ // to the end of the line\n"
                                  "last = 2 /* never closed");
    EXPECT_EQ("True", file("u").asString());
    EXPECT_EQ(5, file("plus").asInt());
    EXPECT_EQ("(5, 0.5)", textOf(file("r")));
    EXPECT_EQ("say \"hi\"", file("q")(0).asString());
    EXPECT_EQ("it's", file("q")(1).asString());
    EXPECT_EQ(2, file("last").asInt());
}

TEST(ConfigParser, AnErrorInAnIncludedFileNamesThatFileAndItsOwnPosition) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "");
    resources.writeResource("shapes.cfg", "// shapes\nBall = { r = 1 }\n  Cube = = 2");
    resources.writeResource("test.cfg", "/* a level\n*/\n#include \"shapes.cfg\"\nx = Ball { }");
    testing::internal::CaptureStderr();
    ConfigLoader::instance().load("test");
    EXPECT_EQ("shapes.cfg:3:3:syntax error, unexpected identifier, expecting $end or ;\n",
              testing::internal::GetCapturedStderr());
}

TEST(ConfigParserDeathTest, AnUnknownPrototypeEndsTheGameNamingThoseKnownThere) {
    const TempResources resources;
    // The list comes from the prototypes' file, the includes and the file's own
    // earlier settings.
    resources.writeResource("lib.cfg", "Lamp = { }; size = 3");
    resources.writeResource("prototypes.cfg", "Node = { }; Box = { }");
    resources.writeResource("test.cfg", "#include \"lib.cfg\"\nMine = { };\nx = Lmap { }");
    EXPECT_EXIT(ConfigLoader::instance().load("test"), testing::ExitedWithCode(1),
                literally("test.cfg:3:5:Prototype 'Lmap' not found. Known prototypes: Box, "
                          "Lamp, Mine, Node.\n"));
}
