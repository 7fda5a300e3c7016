#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>

#include <BulletDynamics/Dynamics/btRigidBody.h>

#include "GameFlowFixture.h"
#include "VectorExpect.h"
#include "lum/GameSettings.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/platform/Window.h"
#include "records/Records.h"

using namespace lum;
using lum::test::TempDir;

namespace {

// The level scripts run on their own, without the rest of the game pass.
class LevelEventsTest : public GameFlowTest {
protected:
    // Builds `level` the way the title screen does.
    void build(int level) {
        levels.setCurrentLevel(level);
        levels.setupScene("level" + std::to_string(level));
    }

    Levels levels;
};

}  // namespace

// Whether a ray straight down through `point` meets the body of `name`.
bool solidAt(const std::string& name, const glm::vec3& point) {
    const RayHit hit =
        PhysicsSystem::instance().rayTest(point + glm::vec3(0, 5, 0), point - glm::vec3(0, 5, 0));
    return hit.node != nullptr && hit.node->getName() == name;
}

TEST_F(LevelEventsTest, AGreenCubeThatFellIsPutBackBodyAndAllAndFallsFromThere) {
    build(1);
    const boost::shared_ptr<PhysicsNode> cube = member("greenCubes01", 0);
    cube->moveTo(glm::vec3(-119, -30, 30));  // below its target area
    cube->getBody()->setLinearVelocity(btVector3(0, -25, 0));
    levels.runEvents();
    EXPECT_FALSE(levels.hasFlag("greenCubePlaced")) << "where it fell counts, not where it is put";
    EXPECT_TRUE(vectorsNear(glm::vec3(-107, 1.5f, 35),
                            fromBullet(cube->getBody()->getWorldTransform().getOrigin())));
    EXPECT_EQ(0, cube->getBody()->getLinearVelocity().length());

    const double step = 1.0 / 60;
    for (int i = 0; i < 60; ++i) {
        Scene::global().update(step);
        PhysicsSystem::instance().step(step);
    }
    EXPECT_TRUE(vectorsNear(glm::vec3(-107, 1, 35), cube->getWorldTransform().translation, 0.05f))
        << "it drops onto the play corner's floor";
}

TEST_F(LevelEventsTest, FinishingALevelKeepsItsTimeAgainstTheBestAndTheNextLevelStartsItsOwnClock) {
    const TempDir data;
    Records records(data.path);
    levels.keepRecordsIn(&records);
    build(1);
    levels.getRun().advance(12.5);
    script->setKey(key::F1, true);
    script->setKey(key::Enter, true);
    levels.runEvents();
    EXPECT_EQ(2, levels.getCurrentLevel());
    LevelBest best{};
    ASSERT_TRUE(records.bestOf("level1", best));
    EXPECT_DOUBLE_EQ(12.5, best.time);
    EXPECT_EQ(0.0, levels.getRun().elapsed());
    EXPECT_TRUE(boost::filesystem::exists(data.path / Records::fileName));
}

namespace {

// The fixture's level of one rule per trigger and action.
const int everyEvent = 9;

// A game that has seen nothing yet: flags are kept for the whole run.
class EveryEventTest : public LevelEventsTest {
protected:
    void SetUp() override {
        LevelEventsTest::SetUp();
        build(everyEvent);
    }
};

}  // namespace

TEST_F(EveryEventTest, EachTriggerHoldsExactlyWhereAndWhenItLooks) {
    struct Case {
        const char* what;
        glm::vec3 tobble;
        float crateA, crateB;  // heights
        double played;         // seconds
        const char* flag;
        bool set;
    };
    const Case cases[] = {
        {"high above a box of any height", glm::vec3(62, 40, 0), 10, 10, 0, "inTallBox", true},
        {"beside that box", glm::vec3(64.5f, 10, 0), 10, 10, 0, "inTallBox", false},
        {"in a box bounded in height", glm::vec3(68, 10, 0), 10, 10, 0, "inLowBox", true},
        {"over that box", glm::vec3(68, 12.5f, 0), 10, 10, 0, "inLowBox", false},
        {"one of two crates down", glm::vec3(81.5f, 10, 0), -20, 10, 0, "cratesDown", false},
        {"both down, one at the height itself", glm::vec3(81.5f, 10, 0), -20, -10, 0, "cratesDown",
         true},
        {"before the timer's time", glm::vec3(81.5f, 10, 0), 10, 10, 29.9, "late", false},
        {"at the timer's time", glm::vec3(81.5f, 10, 0), 10, 10, 30, "late", true},
    };
    for (const Case& c : cases) {
        Levels fresh;
        fresh.setCurrentLevel(everyEvent);
        fresh.resetScene("level9");
        player().setPosition(c.tobble);
        member("crates", 0)->moveTo(glm::vec3(70, c.crateA, 4));
        member("crates", 1)->moveTo(glm::vec3(80, c.crateB, 4));
        fresh.getRun().advance(c.played);
        fresh.runEvents();
        EXPECT_EQ(c.set, fresh.hasFlag(c.flag)) << c.what;
    }
}

TEST_F(EveryEventTest, AFlagSetInAPassIsSeenFromTheNextAndKeptThroughARestart) {
    member("crates", 0)->moveTo(glm::vec3(70, -20, 4));
    member("crates", 1)->moveTo(glm::vec3(80, -20, 4));
    levels.runEvents();
    EXPECT_TRUE(levels.hasFlag("cratesDown"));
    EXPECT_FALSE(isShown("bridge")) << "the rule that reads the flag waits for the next pass";
    levels.runEvents();
    EXPECT_TRUE(isShown("bridge"));
    EXPECT_TRUE(solidAt("bridge", glm::vec3(50, 7, 0)));

    levels.getRun().advance(31);
    levels.resetScene("level9");
    EXPECT_TRUE(isShown("bridge")) << "the start rule keeps what was earned";
    EXPECT_FALSE(levels.hasFlag("startedLate")) << "a start is the level's time 0";
    player().setPosition(glm::vec3(89, 10, 5));
    levels.runEvents();
    EXPECT_FALSE(isShown("bridge"));
    EXPECT_FALSE(solidAt("bridge", glm::vec3(50, 7, 0)));
}

TEST_F(EveryEventTest, EachActionDoesWhatItSays) {
    player().setPosition(glm::vec3(73, 10, -5));
    levels.runEvents();
    EXPECT_TRUE(player().modeAvailable[Glimmet::Speed]);
    EXPECT_EQ("speed", player().state);

    const boost::shared_ptr<Spatial> ball = Scene::global().getChild("ball");
    boost::dynamic_pointer_cast<PhysicsNode>(ball)->moveTo(glm::vec3(45, 10, 0));
    levels.runEvents();
    EXPECT_TRUE(vectorsNear(glm::vec3(75, 10, 5), ball->getWorldTransform().translation));

    std::deque<std::string>& messages = GameSettings::instance().messages;
    messages.clear();
    levels.getRun().advance(31);
    levels.runEvents();
    levels.runEvents();
    EXPECT_EQ(2, std::count(messages.begin(), messages.end(), "half a minute"))
        << "once, for its two seconds";

    player().setPosition(glm::vec3(77, 10, -5));
    levels.runEvents();
    EXPECT_FALSE(player().alive);
    EXPECT_EQ(deadColour, centreColour());

    player().alive = true;
    script->setKey(key::Enter, true);  // so the end screen does not wait
    player().setPosition(glm::vec3(85, 10, -5));
    const std::size_t shown = script->presented.size();
    levels.runEvents();
    EXPECT_EQ(1, levels.getCurrentLevel()) << "the next level the file names";
    ASSERT_LT(shown, script->presented.size());
    EXPECT_GT(script->presented[shown].messagePixels, 0) << "the end text";
    levels.setCurrentLevel(everyEvent);
    EXPECT_FALSE(levels.hasFlag("afterFinish")) << "nothing runs after the level is left";
}

TEST_F(LevelEventsTest, ABrokenScriptStopsTheLevelsLoadNamingItsPlace) {
    struct Case {
        const char* what;
        const char* events;
        const char* told;
    };
    const Case cases[] = {
        {"an unknown trigger", "events = (\n  { when = ( { trigger = \"near\" } ) } );",
         "level7.cfg:2:14: unknown trigger \"near\""},
        {"a name no object has",
         "events = ( { then = ( { action = \"show\"; objects = \"x\" } ) } );",
         "no object named 'x'"},
    };
    for (const Case& c : cases) {
        files.writeResource("level7.cfg", std::string(c.events) +
                                              "\nscene = ( Physics { name = \"startPad\"; children "
                                              "= ( Floor { } ) } );\n");
        std::string message;
        try {
            build(7);
            levels.runEvents();
        } catch (const Exception& e) {
            message = e.getMessage();
        }
        EXPECT_NE(std::string::npos, message.find(c.told)) << c.what << ": " << message;
    }
}
