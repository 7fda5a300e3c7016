#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <glm/geometric.hpp>

#include "ConfigFixture.h"
#include "ScriptedGlfwWindow.h"
#include "flow/Game.h"
#include "lum/character/Glimmet.h"
#include "lum/render/Renderer.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "replay/Replay.h"

using namespace lum;

namespace {

// Only one frame in this many is drawn: the replay checks the game's logic
// (which drawing must leave alone), and the pictures cost most of the time.
const int drawOneFrameIn = 300;

// The bot's recorded way through each level (tools/record-replays.sh) played
// back through the game's passes: every pass must leave Tobble where it did,
// to the last bit, and the run must end as it did.
class LevelReplay : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "the replay needs an X display (xvfb-run)";
    }

    void TearDown() override {
        Scene::global().getRoot()->removeAllChildren();
        Glimmet::instance().deactivate();
        installWindow(nullptr);
    }

    static std::string fileOf(int level) {
        return "tests/replays/level" + std::to_string(level) + ".replay";
    }

    // Plays the file back; the outcome's report.
    static std::string replay(const std::string& file) {
        std::unique_ptr<ReplaySession> session = ReplaySession::replay(
            file, std::unique_ptr<Window>(new ScriptedGlfwWindow(4, drawOneFrameIn)));
        Renderer renderer;
        Game game(session->startLevel(0));
        return playGame(game, *session);
    }
};

TEST_P(LevelReplay, PlaysOutAsRecorded) {
    const int level = GetParam();
    std::string outcome;
    try {
        outcome = replay(fileOf(level));
    } catch (const Exception& e) {
        FAIL() << e.getMessage();
    }
    EXPECT_NE(std::string::npos, outcome.find("played out as recorded")) << outcome;
    const ReplayReader recorded = ReplayReader::load(fileOf(level));
    const Ending& ending = recorded.recordedEnding();
    EXPECT_TRUE(ending.at.alive) << ending.describe();
    if (level < 3) {
        EXPECT_EQ(level + 1, ending.at.level) << "the recording ends in the next level";
    } else {
        EXPECT_LT(glm::length(ending.at.position - glm::vec3(-64, -110, 3)), 3.0f)
            << "at level 3's flag";
    }
}

INSTANTIATE_TEST_SUITE_P(Level, LevelReplay, ::testing::Values(1, 2, 3));

// A replay whose game goes another way stops at the first pass that
// differs from the recording, and says which.
TEST_F(LevelReplay, AGameThatGoesAnotherWayIsCaughtAtItsFirstDifferentPass) {
    const std::string original = test::contentOf(fileOf(3));
    test::TempDir dir;
    struct Case {
        std::string what, edited, expected;
    };
    // Pass 60's x a hair off; then the first press of W lost, so Tobble
    // stays where the recording has it rolling.
    std::string moved = original;
    const std::size_t pass60 = moved.find("\np 60 ") + 1;
    const std::size_t x = moved.find(" 0x", moved.find(" ", pass60 + 7)) + 1;
    moved.insert(moved.find(' ', x), "1");
    std::string keyLost = original;
    const std::string press = "key 87 1";
    keyLost.replace(keyLost.find(press), press.size(), "key 87 0");
    for (const Case& each :
         {Case{"a moved checkpoint", moved, "diverged at pass 60: recorded level 3"},
          Case{"a key press lost", keyLost, "diverged at pass "}}) {
        try {
            replay(dir.write("edited.replay", each.edited));
            ADD_FAILURE() << each.what << " went unnoticed";
        } catch (const ReplayDiverged& e) {
            EXPECT_NE(std::string::npos, e.getMessage().find(each.expected))
                << each.what << ": " << e.getMessage();
        }
        TearDown();
    }
}

}  // namespace
