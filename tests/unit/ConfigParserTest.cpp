#include <gtest/gtest.h>

#include <string>

#include "ConfigFixture.h"
#include "lum/config/Setting.h"

using namespace lum;
using lum::test::literally;
using lum::test::loadText;
using lum::test::TempResources;
using lum::test::textOf;

namespace {

// What the parser wrote on standard error loading `source` as the
// configuration "test".
std::string errorsOf(const std::string& source) {
    const TempResources resources;
    testing::internal::CaptureStderr();
    loadText(resources, source);
    return testing::internal::GetCapturedStderr();
}

}  // namespace

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

// Each message names the line and column (line feeds in strings and comments
// count, a tab is one column), what came and what could have come there.
TEST(ConfigParser, SyntaxErrorsNameTheirPlaceAndWhatTheInputCouldHaveHadThere) {
    const struct {
        std::string source, errors;
    } cases[] = {
        {"x = (1 2)", "1:8:syntax error, unexpected integer, expecting , or )"},
        {"a = \"two\nlines\";\n  b /* x\n */ = 2;\n\tc = = 3", "5:6:syntax error, unexpected ="},
        // An unclosed bracket is shown where it opened; closed ones are not.
        {"x = (1, 2, [3\n",
         "2:1:syntax error, unexpected $end, expecting , or )\n"
         "test.cfg:1:12:the [ opened here is never closed"},
    };
    for (const auto& bad : cases) {
        EXPECT_EQ("test.cfg:" + bad.errors + "\n", errorsOf(bad.source)) << bad.source;
    }
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
