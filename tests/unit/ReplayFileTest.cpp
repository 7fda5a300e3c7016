#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "ScriptedWindow.h"
#include "replay/RecordingWindow.h"
#include "replay/ReplayFile.h"
#include "replay/ReplayingWindow.h"

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

Checkpoint at(float x) {
    Checkpoint checkpoint;
    checkpoint.level = 1;
    checkpoint.alive = true;
    checkpoint.position = glm::vec3(x, 10.0f, -0.0f);
    return checkpoint;
}

}  // namespace

// A file cut short, garbled or of another game is refused naming the line.
TEST(ReplayFile, ABrokenFileIsRefusedWithItsLineNumber) {
    const auto garbled = [](const std::string& line) { return header + line + "\n" + body; };
    const std::string whole = header + body;
    std::string other = header;
    other.replace(other.find("1.0.0"), 5, "0.9.0");
    other.replace(other.find("0badcafe"), 8, "12345678");
    const struct {
        std::string text, expected;
    } cases[] = {
        {whole, ""},
        {whole.substr(0, whole.find("end closed")),
         "run.replay:8: the replay is cut short: it stops before its \"end\" line"},
        {whole.substr(0, whole.find("0x1.4p+3 0x0p+0\nend")),
         "run.replay:8: the replay is cut short in the middle of this line"},
        {header.substr(0, header.find("gameType")),
         "run.replay:3: the replay is cut short: its header ends before \"gameType\""},
        {"", "run.replay:1: not a replay file (it should begin \"glimmet replay 2\")"},
        {other + body,
         "run.replay: recorded with another game version 0.9.0 (this game: 1.0.0); game data "
         "12345678 (this game: 0badcafe); it cannot be played here"},
        {garbled("t soon"), "run.replay:6: cannot read \"t soon\""},
        {garbled("f 0 key 87 1"), "run.replay:6: cannot read"},
        {garbled("f 1"), "run.replay:6: cannot read"},
        {garbled("f 1 key 9999 1"), "run.replay:6: cannot read"},
        {garbled("f 1 key 87 2"), "run.replay:6: cannot read"},
        {garbled("f 1 key 87 1 ; button 2 1"), "run.replay:6: cannot read"},
        {garbled("f 1 pad 1 0101"), "run.replay:6: cannot read"},
        {garbled("f 1 open 1 extra ; focus 0"), "run.replay:6: cannot read"},
        {garbled("p 2 2 1 0x0p+0 0x0p+0 0x0p+0"), "run.replay:6: pass 2 follows pass 0"},
        {garbled("p 1 2 maybe 0x0p+0 0x0p+0 0x0p+0"), "run.replay:6: cannot read"},
        {garbled("end crashed 1 2 1 0x0p+0 0x0p+0 0x0p+0"), "run.replay:6: cannot read"},
        // A position beyond a float's range.
        {garbled("p 1 2 1 0x1p+200 0x0p+0 0x0p+0"), "run.replay:6: cannot read"},
        {header + body + "t 0x1p+0\n", "run.replay:10: a line after the replay's end"},
        {"glimmet replay 2\nversion 1.0.0\nlevel two\n", "run.replay:3: \"level\" needs"},
        {"glimmet replay 2\nversion 1.0.0\nlevel 4\ngameType 1\ndata 0badcafe\n" + body,
         "run.replay:3: \"level\" needs 0 (the title screen) to 3, not 4"},
        {"glimmet replay 1\n" + header.substr(header.find('\n') + 1) + body,
         "run.replay:1: a replay of format 1, which this game no longer reads (it reads "
         "\"glimmet replay 2\"): record the run again"},
        {"glimmet replay 3\n", "run.replay:1: a replay format this game does not read"},
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

// What a game asks its window in one pass, with the script changing the
// input at `change` points, and the answers as text. With `askMore`, every
// question is asked twice and some are asked that are not noted.
struct Asking {
    std::function<void(int step, int point)> change;
    bool askMore = false;
    std::vector<std::string> answers;

    void pass(Window& window, int step) {
        const auto note = [this](const std::string& answer) { answers.push_back(answer); };
        note(std::to_string(window.getTime()));
        window.pollEvents();
        note(std::to_string(window.isKeyDown('W')));
        change(step, 0);
        if (askMore) {
            window.isKeyDown('Q');
            window.getCursorPosition();
        }
        // Asked again within the pass: a change between polls shows at the next poll.
        note(std::to_string(window.isKeyDown('W')) + std::to_string(window.isKeyDown(key::Space)));
        change(step, 1);
        const CursorPosition cursor = window.getCursorPosition();
        note(std::to_string(cursor.x) + "," + std::to_string(cursor.y));
        note(std::to_string(window.isMouseButtonDown(mouse::Right)) +
             std::to_string(window.getMouseWheel()));
        const GamepadState pad = window.getGamepad();
        note(std::to_string(pad.isDown(gamepad::South)) + std::to_string(pad.axis(gamepad::LeftX)));
        note(std::to_string(window.getSize().width) + std::to_string(window.isOpen()));
        if (step % 2 == 1) {
            window.pollEvents();
            note(std::to_string(window.isKeyDown('W')) + std::to_string(window.isFocused()));
        }
        window.sleep(0.03);
    }
};

// Whatever the real window answered while recording, the replay answers the
// same, poll by poll, without the real window's input or clock, however
// often the game asks.
TEST(ReplayFile, AReplayAnswersEveryQuestionAsTheRecordingWas) {
    test::TempDir dir;
    const std::string path = (dir.path / "run.replay").string();
    const int passes = 6;
    ScriptedWindow* script = nullptr;
    Asking recorded;
    recorded.change = [&script](int step, int point) {
        script->setKey('W', (step + point) % 3 == 0);
        script->setKey(key::Space, step == 2 && point == 0);
        script->setCursorPosition(CursorPosition{step * 10, -step});
        script->setMouseButton(mouse::Right, step == 4);
        script->setMouseWheel(step / 2);
        GamepadState pad;
        pad.connected = step >= 3;
        pad.buttons[gamepad::South] = step == 5;
        pad.axes[gamepad::LeftX] = 0.1f * step;
        script->setGamepad(pad);
        script->setFocused(step != 3);
        script->advanceTime(0.001 * point);
        if (step == passes - 1 && point == 1) {
            script->close();
        }
    };
    {
        std::unique_ptr<ScriptedWindow> real(new ScriptedWindow());
        script = real.get();
        real->openWindow(320, 240, 24);
        const auto writer = std::make_shared<ReplayWriter>(path, headerOfThisGame());
        RecordingWindow window(std::move(real), writer);
        for (int step = 0; step < passes; ++step) {
            recorded.pass(window, step);
            writer->pass(at(static_cast<float>(step)));
        }
        Ending ending;
        ending.passes = passes;
        ending.at = at(5.0f);
        writer->end(ending);
    }
    Asking replayed;
    replayed.change = [](int, int) {};
    replayed.askMore = true;
    const auto reader = std::make_shared<ReplayReader>(ReplayReader::load(path));
    std::unique_ptr<ScriptedWindow> idle(new ScriptedWindow());
    idle->openWindow(1024, 768, 24);
    ReplayingWindow window(std::move(idle), reader);
    for (int step = 0; step < passes; ++step) {
        replayed.pass(window, step);
        reader->pass(at(static_cast<float>(step)));
    }
    EXPECT_EQ(recorded.answers, replayed.answers);
    EXPECT_EQ(5.0f, reader->recordedEnding().at.position.x);
    EXPECT_FALSE(window.isOpen());
    Ending ending;
    ending.passes = passes;
    ending.at = at(5.0f);
    EXPECT_NE(std::string::npos, reader->end(ending).find("after 6 passes"));
}

// A game that goes another way is stopped at the first pass that shows it.
TEST(ReplayFile, ADivergenceNamesItsPass) {
    const std::string text =
        header +
        "t 0x0p+0\np 1 1 1 0x1p+0 0x1.4p+3 -0x0p+0\nt 0x1p-5\n"
        "p 2 1 1 0x1p+0 0x1.4p+3 0x0p+0\nend closed 2 1 1 0x1p+0 0x1.4p+3 0x0p+0\n";
    const auto expectDivergence = [&text](const std::function<void(ReplayReader&)>& play,
                                          const std::string& expected) {
        ReplayReader reader = ReplayReader::parse(text, "run.replay");
        try {
            play(reader);
            ADD_FAILURE() << "no divergence: " << expected;
        } catch (const ReplayDiverged& e) {
            EXPECT_EQ(0u, e.getMessage().find(expected)) << e.getMessage();
        }
    };
    // Minus zero and zero differ in one bit: pass 1 holds, pass 2 does not.
    expectDivergence(
        [](ReplayReader& r) {
            r.clock();
            r.pass(at(1.0f));
            r.clock();
            r.pass(at(1.0f));
        },
        "replay run.replay diverged at pass 2: recorded level 1, Tobble alive at (1, 10, 0), "
        "played level 1, Tobble alive at (1, 10, -0)");
    expectDivergence(
        [](ReplayReader& r) {
            r.clock();
            r.clock();
        },
        "replay run.replay diverged at pass 1: the game read the clock where the recording "
        "has the end of pass 1");
    expectDivergence(
        [](ReplayReader& r) {
            r.clock();
            r.pass(at(1.0f));
            Ending early;
            r.end(early);
        },
        "replay run.replay diverged at pass 2: the game stopped where the recording has a reading "
        "of the clock");
    // The viewer closes the window: the replay stops, unjudged.
    const std::string opened = header + "f 1 open 1\n" + text.substr(header.size());
    const auto reader = std::make_shared<ReplayReader>(ReplayReader::parse(opened, "run.replay"));
    std::unique_ptr<ScriptedWindow> real(new ScriptedWindow());
    ScriptedWindow& viewer = *real;
    ReplayingWindow window(std::move(real), reader);
    window.openWindow(320, 240, 24);
    EXPECT_TRUE(window.isOpen());
    viewer.close();
    EXPECT_FALSE(window.isOpen());
    expectDivergence(
        [&reader](ReplayReader&) { reader->end(Ending()); },
        "replay run.replay stopped at pass 1: its window was closed before the recording's end");
}
