#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/CommandLine.h"

using namespace lum;

namespace {

Options parsed(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "glimmet");
    return CommandLine().parse(static_cast<int>(arguments.size()), arguments.data());
}

// The one-line message of a refused command line; empty when it was taken.
std::string refusal(const std::vector<const char*>& arguments) {
    try {
        parsed(arguments);
    } catch (const CommandLineError& e) {
        EXPECT_EQ(std::string::npos, e.getMessage().find('\n'));
        return e.getMessage();
    }
    return "";
}

}  // namespace

TEST(CommandLine, NoOptionsLeaveTheTitleScreenTheWindowAndTheDataSearch) {
    const Options options = parsed({});
    EXPECT_FALSE(options.help);
    EXPECT_FALSE(options.version);
    EXPECT_EQ(0, options.level.number);
    EXPECT_EQ("", options.dataDirectory);
    EXPECT_EQ(1024, options.window.size.width);
    EXPECT_EQ(768, options.window.size.height);
    EXPECT_FALSE(options.window.fullScreen);
}

TEST(CommandLine, EachOptionSetsItsField) {
    EXPECT_TRUE(parsed({"--help"}).help);
    EXPECT_TRUE(parsed({"-h"}).help);
    EXPECT_TRUE(parsed({"--version"}).version);
    EXPECT_EQ(1, parsed({"--level", "1"}).level.number);
    EXPECT_EQ(3, parsed({"--level=3"}).level.number);
    EXPECT_EQ("/opt/glimmet data", parsed({"--data", "/opt/glimmet data"}).dataDirectory);
    const Options windowed = parsed({"--windowed", "1280x720"});
    EXPECT_EQ(1280, windowed.window.size.width);
    EXPECT_EQ(720, windowed.window.size.height);
    EXPECT_FALSE(windowed.window.fullScreen);
    EXPECT_TRUE(parsed({"--fullscreen"}).window.fullScreen);
    EXPECT_TRUE(parsed({"--no-records"}).noRecords);
    EXPECT_FALSE(parsed({}).noRecords);
    const Options several = parsed({"--level", "2", "--data", "d", "--fullscreen"});
    EXPECT_EQ(2, several.level.number);
    EXPECT_EQ("d", several.dataDirectory);
    EXPECT_TRUE(several.window.fullScreen);
}

TEST(CommandLine, BadLevelsAreRefused) {
    for (const char* level : {"0", "4", "-1", "two", "1.5", "", "01x", "999999999999"}) {
        EXPECT_NE("", refusal({"--level", level})) << level;
    }
    EXPECT_NE("", refusal({"--level"}));
    EXPECT_NE("", refusal({"--level", "1", "--level", "2"}));
}

TEST(CommandLine, BadWindowSizesAreRefused) {
    for (const char* size : {"1024", "1024x", "x768", "1024*768", "0x0", "100x100", "1024x-768",
                             "99999x768", "1024x768x2", " 1024x768"}) {
        EXPECT_NE("", refusal({"--windowed", size})) << size;
    }
    EXPECT_EQ("", refusal({"--windowed", "320x240"}));
    EXPECT_NE("", refusal({"--windowed", "800x600", "--fullscreen"}));
}

TEST(CommandLine, ReplaysAreRecordedAnyWayButPlayedBackAlone) {
    EXPECT_EQ("run.replay", parsed({"--record", "run.replay", "--level", "2"}).recordFile);
    EXPECT_EQ("run.replay", parsed({"--replay", "run.replay", "--windowed", "640x480"}).replayFile);
    EXPECT_NE("", refusal({"--record", "a", "--replay", "b"}));
    EXPECT_NE("", refusal({"--replay", "b", "--level", "1"}));
    EXPECT_NE("", refusal({"--replay"}));
}

TEST(CommandLine, UnknownOptionsAndStrayArgumentsAreRefused) {
    EXPECT_NE(std::string::npos, refusal({"--speed"}).find("--speed"));
    EXPECT_NE("", refusal({"level1"}));
    EXPECT_NE("", refusal({"--lev", "1"}));  // no guessing: later options must not change meanings
    EXPECT_NE("", refusal({"--data"}));
    EXPECT_NE("", refusal({"--fullscreen=yes"}));
}

TEST(CommandLine, UsageNamesEveryOption) {
    const std::string usage = CommandLine().usage();
    for (const char* option :
         {"--help", "--version", "--level N", "--data DIR", "--windowed WxH", "--fullscreen",
          "--no-records", "--record FILE", "--replay FILE", "GLIMMET_DATA"}) {
        EXPECT_NE(std::string::npos, usage.find(option)) << option;
    }
}
