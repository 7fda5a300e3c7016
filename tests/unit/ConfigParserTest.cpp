#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ConfigFixture.h"
#include "lum/config/Diagnostics.h"
#include "lum/config/Setting.h"
#include "lum/util/Exception.h"

using namespace lum;
using lum::test::literally;
using lum::test::loadText;
using lum::test::TempResources;
using lum::test::textOf;

namespace {

// Loads `source` as the configuration "test" and hands back what the parser
// wrote on standard error.
std::string loadForErrors(const std::string& source, Setting& result) {
    const TempResources resources;
    testing::internal::CaptureStderr();
    result = loadText(resources, source);
    return testing::internal::GetCapturedStderr();
}

std::string errorsOf(const std::string& source) {
    Setting ignored;
    return loadForErrors(source, ignored);
}

}  // namespace

TEST(ConfigParser, ScansLiteralsByLongestMatchFirstRuleFirst) {
    const TempResources resources;
    const Setting file = loadText(resources,
                                  "t = true; f = false; u = True; v = trueish; _x9 = 1;"
                                  "zeros = 007; plus = +5; minus=-1;"
                                  "r = (5., -5., .5, -.25, 1.5);"
                                  "q = ('say \"hi\"', \"it's\", \"back\\slash\");"
                                  "/*word*/ // to the end of the line\n"
                                  "last = 2 /* never closed");
    EXPECT_TRUE(file("t").asBool());
    EXPECT_FALSE(file("f").asBool());
    EXPECT_EQ("True", file("u").asString());
    EXPECT_EQ("trueish", file("v").asString());
    EXPECT_EQ(1, file("_x9").asInt());
    EXPECT_EQ(7, file("zeros").asInt());
    EXPECT_EQ(5, file("plus").asInt());
    EXPECT_EQ(-1, file("minus").asInt());
    EXPECT_EQ("(5, -5, 0.5, -0.25, 1.5)", textOf(file("r")));
    EXPECT_TRUE(file("r")(0).isDouble());
    EXPECT_EQ("say \"hi\"", file("q")(0).asString());
    EXPECT_EQ("it's", file("q")(1).asString());
    EXPECT_EQ("back\\slash", file("q")(2).asString());
    EXPECT_EQ(2, file("last").asInt());
}

TEST(ConfigParser, FollowsTheGrammarsLooserRules) {
    const TempResources resources;
    resources.writeResource("prototypes.cfg", "Base = { speed = 2 }");
    const auto load = [&resources](const std::string& source) {
        resources.writeResource("test.cfg", source);
        return ConfigLoader::instance().load("test");
    };

    Setting file = load("x = [1, 2); y = (3, 4]; \"name\" = 1; 7 = seven;");
    EXPECT_EQ("(1, 2)", textOf(file("x")));
    EXPECT_EQ("(3, 4)", textOf(file("y")));
    EXPECT_EQ(1, file("name").asInt());
    EXPECT_EQ("seven", file(7).asString());

    // A whole file may be one braced group, with a prototype and one ";".
    file = load("Base { a = 1; };");
    EXPECT_EQ("Base", file.typeName());
    EXPECT_EQ(1, file("a").asInt());
    EXPECT_EQ(2, file("speed").asInt());

    // The outermost group is the result, however the first setting begins.
    file = load("window = { width = 800 }; title = \"Tobble\"");
    EXPECT_EQ(2u, file.size());
    EXPECT_EQ(800, file("window")("width").asInt());
    EXPECT_EQ(6, load("{ k = 1 } = 5; other = 6")("other").asInt());

    // Prototypes also come from the file's own earlier settings, braced or not.
    EXPECT_EQ(3, load("Local = { hp = 3 }; it = Local { }")("it")("hp").asInt());
    EXPECT_EQ(4, load("{ Local = { hp = 4 }; it = Local { } }")("it")("hp").asInt());
    // Files without settings load as invalid.
    for (const char* const empty : {"", "// nothing but a comment", "{ }"}) {
        EXPECT_TRUE(load(empty).isInvalid()) << empty;
    }
}

TEST(ConfigParser, ASyntaxErrorOrTooDeepANestingEndsTheParseAndKeepsWhatWasBuilt) {
    Setting file;
    // After a ";" a setting or the end may follow: eight tokens, too many to list.
    EXPECT_EQ("test.cfg:1:7:syntax error, unexpected ;\n", loadForErrors("a = 1;;", file));
    EXPECT_EQ(1, file("a").asInt());
    EXPECT_EQ("test.cfg:1:14:syntax error, unexpected identifier, expecting $end or ;\n",
              loadForErrors("a = 1; b = 2 c = 3", file));
    EXPECT_EQ(2u, file.size());
    EXPECT_EQ("test.cfg:1:3:syntax error, unexpected ;\n", loadForErrors("{ ; }", file));
    EXPECT_TRUE(file.isInvalid());
    EXPECT_EQ("test.cfg:1:14:syntax error, unexpected }\n", loadForErrors("{ a = 1; b = }", file));
    EXPECT_EQ(1, file("a").asInt());
    // Nesting beyond the parser's fixed stack exhausts its memory.
    const std::string deep = std::string(150, '(') + "1" + std::string(150, ')');
    EXPECT_EQ("", loadForErrors("x = " + deep, file));
    EXPECT_EQ(1u, file("x").size());

    const std::string deeper = std::string(300, '(') + "1" + std::string(300, ')');
    const std::string errors = loadForErrors("a = 1; x = " + deeper, file);
    EXPECT_NE(std::string::npos, errors.find(":memory exhausted\n")) << errors;
    EXPECT_EQ(1u, file.size());
}

// Each message names the line and column (line feeds in strings and comments
// count, a tab is one column), what came and what could have come there.
TEST(ConfigParser, SyntaxErrorsNameTheirPlaceAndWhatTheInputCouldHaveHadThere) {
    const struct {
        std::string source, errors;
    } cases[] = {
        {"x = 1.5e3", "1:8:syntax error, unexpected identifier, expecting $end or ;"},
        {"a = 1; #include \"other.cfg\"", "1:8:syntax error, unexpected #include"},
        {"x = (1 2)", "1:8:syntax error, unexpected integer, expecting , or )"},
        {"#include", "1:9:syntax error, unexpected $end, expecting identifier or string"},
        // An identifier may also name the prototype of a group used as a key.
        {"a : 1", "1:3:syntax error, unexpected :, expecting = or {"},
        // A value may begin with seven tokens; where the parser would first
        // have reduced an empty prototype it used to name "{" alone.
        {"b = ;", "1:5:syntax error, unexpected ;"},
        {"x = = 1", "1:5:syntax error, unexpected ="},
        {"v = (0, 2, 0,)", "1:14:syntax error, unexpected )"},
        {"a = 1\nb = 2\n", "2:1:syntax error, unexpected identifier, expecting $end or ;"},
        {"g = { a = 1 b = 2 }", "1:13:syntax error, unexpected identifier, expecting ; or }"},
        // An unclosed bracket is shown where it opened; closed ones are not.
        {"x = (1, 2, [3\n",
         "2:1:syntax error, unexpected $end, expecting , or )\n"
         "test.cfg:1:12:the [ opened here is never closed"},
        {"a = (1, 2); b", "1:14:syntax error, unexpected $end, expecting = or {"},
        {"a = \"two\nlines\";\n  b /* x\n */ = 2;\n\tc = = 3", "5:6:syntax error, unexpected ="},
        {"a = 1;\n\n    = 3", "3:5:syntax error, unexpected ="},
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

TEST(ConfigParser, OutOfRangeNumbersEndTheLoadWithAConfigException) {
    const TempResources resources;
    EXPECT_EQ(2147483647, loadText(resources, "x = 2147483647")("x").asInt());
    EXPECT_EQ(-2147483647 - 1, loadText(resources, "x = -2147483648")("x").asInt());
    for (const char* number : {"2147483648", "-2147483649", "99999999999999999999999"}) {
        try {
            loadText(resources, std::string("a = 1;\nx = ") + number);
            ADD_FAILURE() << number << " was accepted";
        } catch (const ConfigException& e) {
            EXPECT_EQ(std::string("Integer ") + number +
                          " at line 2 of file 'resources/test.cfg' does not fit in 32 bits.",
                      e.getMessage());
        }
    }
    EXPECT_THROW(loadText(resources, "x = " + std::string(400, '9') + ".5"), ConfigException);
}

TEST(ConfigParserDeathTest, FatalDiagnosticsEndTheProcessWithStatusOne) {
    const TempResources resources;
    EXPECT_EXIT(loadText(resources, "x = - 1"), testing::ExitedWithCode(1),
                literally("Lexer Error : resources/test.cfg : 1 : stray '-'\n"));
    EXPECT_EXIT(loadText(resources, "n = (1, 2); x = n { }"), testing::ExitedWithCode(1),
                literally("test.cfg:1:17:List (1, 2) cannot be used as prototype, must be a "
                          "group.\n"));
    // An unknown prototype lists those that are known there, from the
    // prototypes' file, the includes and the file's own earlier settings.
    resources.writeResource("lib.cfg", "Lamp = { }; size = 3");
    resources.writeResource("prototypes.cfg", "Node = { }; Box = { }");
    resources.writeResource("test.cfg", "#include \"lib.cfg\"\nMine = { };\nx = Lmap { }");
    EXPECT_EXIT(ConfigLoader::instance().load("test"), testing::ExitedWithCode(1),
                literally("test.cfg:3:5:Prototype 'Lmap' not found. Known prototypes: Box, "
                          "Lamp, Mine, Node.\n"));
}

namespace {

struct Stopped : std::runtime_error {
    Stopped() : std::runtime_error("stopped") {}
};

void stopOnFatal(const Diagnostic& diagnostic) {
    if (diagnostic.kind == DiagnosticKind::Fatal) {
        throw Stopped();
    }
}

}  // namespace

TEST(ConfigParser, AToolsDiagnosticHandlerMayStopAFatalErrorWithoutEndingTheProcess) {
    const TempResources resources;
    const DiagnosticHandler game = setDiagnosticHandler(&stopOnFatal);
    EXPECT_THROW(loadText(resources, "a = 1; a = 2"), Stopped);
    EXPECT_THROW(loadText(resources, "x = \x01"), Stopped);
    EXPECT_EQ(1, loadText(resources, "a = 1 b")("a").asInt());
    EXPECT_EQ(&stopOnFatal, setDiagnosticHandler(game));
}
