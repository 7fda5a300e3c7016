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

// Replays are recorded any way but played back alone; options are not
// guessed from a prefix, so that later options cannot change their meaning.
TEST(CommandLine, BadValuesUnknownOptionsAndClashesAreRefused) {
    for (const std::vector<const char*>& arguments :
         std::vector<std::vector<const char*>>{{"--level"},
                                               {"--level", "0"},
                                               {"--level", "999999999999"},
                                               {"--windowed", "100x100"},
                                               {"--windowed", "1024x768x2"},
                                               {"--windowed", "800x600", "--fullscreen"},
                                               {"--replay", "b", "--level", "1"},
                                               {"--watch"},
                                               {"level1"},
                                               {"--lev", "1"}}) {
        EXPECT_NE("", refusal(arguments)) << arguments.front() << " ... " << arguments.back();
    }
    EXPECT_NE(std::string::npos, refusal({"--speed"}).find("--speed"));
}
