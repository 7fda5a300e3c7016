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

TEST(CommandLine, NoOptionsLeaveTheDefaultsAndEachOptionSetsItsField) {
    const Options none = parsed({});
    EXPECT_FALSE(none.help || none.version || none.noRecords || none.window.fullScreen);
    EXPECT_EQ(0, none.level.number);
    EXPECT_EQ("", none.dataDirectory);
    EXPECT_EQ(1024, none.window.size.width);
    EXPECT_EQ(768, none.window.size.height);

    EXPECT_TRUE(parsed({"--help"}).help);
    EXPECT_TRUE(parsed({"-h"}).help);
    EXPECT_TRUE(parsed({"--version"}).version);
    EXPECT_TRUE(parsed({"--no-records"}).noRecords);
    EXPECT_EQ(3, parsed({"--level=3"}).level.number);
    EXPECT_EQ(99, parsed({"--level", "99"}).level.number);
    const Options watched = parsed({"--level-file", "my level.cfg", "--watch"});
    EXPECT_EQ("my level.cfg", watched.levelFile);
    EXPECT_TRUE(watched.watch);
    EXPECT_FALSE(none.watch);
    EXPECT_TRUE(parsed({"--watch", "--level", "4"}).watch);
    const Options windowed = parsed({"--windowed", "1280x720"});
    EXPECT_EQ(1280, windowed.window.size.width);
    EXPECT_EQ(720, windowed.window.size.height);
    EXPECT_FALSE(windowed.window.fullScreen);
    EXPECT_EQ(320, parsed({"--windowed", "320x240"}).window.size.width);
    const Options several = parsed({"--level", "2", "--data", "/opt/glimmet data", "--fullscreen"});
    EXPECT_EQ(2, several.level.number);
    EXPECT_EQ("/opt/glimmet data", several.dataDirectory);
    EXPECT_TRUE(several.window.fullScreen);
    EXPECT_EQ("run.replay", parsed({"--record", "run.replay", "--level", "2"}).recordFile);
    EXPECT_EQ("run.replay", parsed({"--replay", "run.replay", "--windowed", "640x480"}).replayFile);
}

// Replays are recorded any way but played back alone; options are not
// guessed from a prefix, so that later options cannot change their meaning.
TEST(CommandLine, BadValuesUnknownOptionsAndClashesAreRefused) {
    for (const char* level : {"0", "100", "-1", "two", "1.5", "", "01x", "999999999999"}) {
        EXPECT_NE("", refusal({"--level", level})) << level;
    }
    for (const char* size : {"1024", "1024x", "x768", "1024*768", "0x0", "100x100", "1024x-768",
                             "99999x768", "1024x768x2", " 1024x768"}) {
        EXPECT_NE("", refusal({"--windowed", size})) << size;
    }
    for (const std::vector<const char*>& arguments :
         std::vector<std::vector<const char*>>{{"--level"},
                                               {"--level", "1", "--level", "2"},
                                               {"--windowed", "800x600", "--fullscreen"},
                                               {"--record", "a", "--replay", "b"},
                                               {"--replay", "b", "--level", "1"},
                                               {"--level", "1", "--level-file", "a.cfg"},
                                               {"--record", "r", "--level-file", "a.cfg"},
                                               {"--replay", "r", "--level-file", "a.cfg"},
                                               {"--watch"},
                                               {"--watch", "--record", "r", "--level", "1"},
                                               {"--level-file"},
                                               {"--replay"},
                                               {"level1"},
                                               {"--lev", "1"},
                                               {"--data"},
                                               {"--fullscreen=yes"}}) {
        EXPECT_NE("", refusal(arguments)) << arguments.front() << " ... " << arguments.back();
    }
    EXPECT_NE(std::string::npos, refusal({"--speed"}).find("--speed"));
}

TEST(CommandLine, UsageNamesEveryOption) {
    const std::string usage = CommandLine().usage();
    for (const char* option :
         {"--help", "--version", "--level N", "--data DIR", "--windowed WxH", "--fullscreen",
          "--no-records", "--record FILE", "--replay FILE", "GLIMMET_DATA"}) {
        EXPECT_NE(std::string::npos, usage.find(option)) << option;
    }
}
