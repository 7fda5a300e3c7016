#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "replay/ReplayFile.h"

using namespace lum;

namespace {

const std::string header = "glimmet replay 2\nversion 1.0.0\nlevel 2\ngameType 1\ndata 0badcafe\n";
const std::string body =
    "t 0x0p+0\nf 1 key 87 1 ; cursor 3 -4\np 1 2 1 0x1.46p+6 0x1.4p+3 0x0p+0\nend closed 1 2 1 "
    "0x1.46p+6 "
    "0x1.4p+3 0x0p+0\n";

ReplayHeader headerOfThisGame() {
    ReplayHeader current;
    current.version = "1.0.0";
    current.level = 2;
    current.gameType = 1;
    current.data = "0badcafe";
    return current;
}

// The message a replay text is refused with; empty when it is taken.
std::string refusal(const std::string& text) {
    try {
        ReplayReader::parse(text, "run.replay").requireHeader(headerOfThisGame());
    } catch (const ReplayFileError& e) {
        EXPECT_EQ(std::string::npos, e.getMessage().find('\n')) << e.getMessage();
        return e.getMessage();
    }
    return "";
}

}  // namespace

// A file cut short, garbled or of another game is refused naming the line.
TEST(ReplayFile, ABrokenFileIsRefusedWithItsLineNumber) {
    const auto garbled = [](const std::string& line) { return header + line + "\n" + body; };
    const std::string whole = header + body;
    const struct {
        std::string text, expected;
    } cases[] = {
        {whole, ""},
        {"", "run.replay:1: not a replay file (it should begin \"glimmet replay 2\")"},
        {garbled("t soon"), "run.replay:6: cannot read \"t soon\""},
        {garbled("p 2 2 1 0x0p+0 0x0p+0 0x0p+0"), "run.replay:6: pass 2 follows pass 0"},
        // A position beyond a float's range.
        {garbled("p 1 2 1 0x1p+200 0x0p+0 0x0p+0"), "run.replay:6: cannot read"},
        {"glimmet replay 2\nversion 1.0.0\nlevel 4\ngameType 1\ndata 0badcafe\n" + body,
         "run.replay:3: \"level\" needs 0 (the title screen) to 3, not 4"},
        {"glimmet replay 1\n" + header.substr(header.find('\n') + 1) + body,
         "run.replay:1: a replay of format 1, which this game no longer reads (it reads "
         "\"glimmet replay 2\"): record the run again"},
    };
    for (const auto& each : cases) {
        const std::string refused = refusal(each.text);
        EXPECT_EQ(0u, refused.find(each.expected)) << each.text;
        EXPECT_EQ(each.expected.empty(), refused.empty()) << refused;
    }
}

TEST(ReplayFile, AFileThatCannotBeOpenedIsNamed) {
    EXPECT_EQ(0u, test::failureOf<ReplayFileError>([] {
                      ReplayReader::load("/nonexistent/run.replay");
                  }).find("/nonexistent/run.replay: cannot be read"));
    EXPECT_EQ(0u, test::failureOf<ReplayFileError>([] {
                      ReplayWriter("/nonexistent/run.replay", headerOfThisGame());
                  }).find("/nonexistent/run.replay: cannot be written"));
}
