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

    static glm::vec3 bodyAt(const PhysicsNode& node) {
        const btVector3 origin = node.getBody()->getWorldTransform().getOrigin();
        return glm::vec3(origin.x(), origin.y(), origin.z());
    }

    Levels levels;
};

}  // namespace

TEST_F(LevelEventsTest, TheLastRedCubeOfLevelOneDecidesWhetherTheWalkwayAppears) {
    build(1);
    EXPECT_FALSE(isShown("boardWalkSmallUnlock01"));
    member("redCubes01", 0)->moveTo(glm::vec3(20, -30, 4));
    levels.runEvents();
    EXPECT_FALSE(levels.hasFlag("redCubesDown")) << "only the first of two cubes is down";
    EXPECT_FALSE(isShown("boardWalkSmallUnlock01"));

    member("redCubes01", 0)->moveTo(glm::vec3(20, 12, 4));
    member("redCubes01", 1)->moveTo(glm::vec3(30, -10, 4));  // down counts from -10 itself
    levels.runEvents();
    EXPECT_TRUE(levels.hasFlag("redCubesDown"));
    EXPECT_TRUE(isShown("boardWalkSmallUnlock01"));
}

// Whether a ray straight down through `point` meets the body of `name`.
bool solidAt(const std::string& name, const glm::vec3& point) {
    const RayHit hit =
        PhysicsSystem::instance().rayTest(point + glm::vec3(0, 5, 0), point - glm::vec3(0, 5, 0));
    return hit.node != nullptr && hit.node->getName() == name;
}

TEST_F(LevelEventsTest, LevelOnesHiddenWalkwayIsAbsentUntilShownAndStaysAfterARestart) {
    build(1);
    const glm::vec3 walkway(0, 7, 0);
    EXPECT_FALSE(solidAt("boardWalkSmallUnlock01", walkway)) << "hidden, it bears nothing";
    member("redCubes01", 0)->moveTo(glm::vec3(20, -30, 4));
    member("redCubes01", 1)->moveTo(glm::vec3(30, -30, 4));
    levels.runEvents();
    EXPECT_TRUE(solidAt("boardWalkSmallUnlock01", walkway));

    // A restart keeps the walkway, and the red cubes that uncovered it stay gone.
    levels.resetScene("level1");
    EXPECT_FALSE(isShown("redCubes01"));
    EXPECT_TRUE(isShown("boardWalkSmallUnlock01"));
    EXPECT_TRUE(solidAt("boardWalkSmallUnlock01", walkway));
}

TEST_F(LevelEventsTest, AGreenCubeThatFellIsPutBackBodyAndAllAndFallsFromThere) {
    build(1);
    const boost::shared_ptr<PhysicsNode> cube = member("greenCubes01", 0);
    cube->moveTo(glm::vec3(-119, -30, 30));  // below its target area
    cube->getBody()->setLinearVelocity(btVector3(0, -25, 0));
    levels.runEvents();
    EXPECT_FALSE(levels.hasFlag("greenCubePlaced")) << "where it fell counts, not where it is put";
    const glm::vec3 returnPoint(-107, 1.5f, 35);
    EXPECT_TRUE(vectorsNear(returnPoint, cube->getWorldTransform().translation));
    EXPECT_TRUE(vectorsNear(returnPoint, bodyAt(*cube)));
    EXPECT_EQ(0, cube->getBody()->getLinearVelocity().length());

    const double step = 1.0 / 60;
    for (int i = 0; i < 60; ++i) {
        Scene::global().update(step);
        PhysicsSystem::instance().step(step);
    }
    EXPECT_TRUE(vectorsNear(glm::vec3(-107, 1, 35), cube->getWorldTransform().translation, 0.05f))
        << "it drops onto the play corner's floor";
}

TEST_F(LevelEventsTest, AGreenCubeCountsOnlyStrictlyInsideItsTargetArea) {
    build(1);
    const boost::shared_ptr<PhysicsNode> cube = member("greenCubes01", 1);
    const glm::vec3 outside[] = {glm::vec3(-117, 0.5f, 30), glm::vec3(-121, 0.5f, 30),
                                 glm::vec3(-119, 1.5f, 30), glm::vec3(-119, -1, 30)};
    for (const glm::vec3& at : outside) {
        cube->moveTo(at);
        levels.runEvents();
        EXPECT_FALSE(levels.hasFlag("greenCubePlaced")) << "at x " << at.x << ", y " << at.y;
    }
    cube->moveTo(glm::vec3(-119, 0.5f, 30));
    levels.runEvents();
    EXPECT_TRUE(levels.hasFlag("greenCubePlaced"));
}

TEST_F(LevelEventsTest, LevelOnesGoalCountsOnlyOnceAGreenCubeIsPlaced) {
    build(1);
    script->setKey(key::Enter, true);  // so the end screen does not wait
    player().setPosition(glm::vec3(-119, 5, 0));
    levels.runEvents();
    EXPECT_EQ(1, levels.getCurrentLevel()) << "no green cube placed yet";

    member("greenCubes01", 0)->moveTo(glm::vec3(-119, 0.5f, 30));
    levels.runEvents();
    ASSERT_TRUE(levels.hasFlag("greenCubePlaced"));
    const std::size_t shown = script->presented.size();
    levels.runEvents();
    EXPECT_EQ(2, levels.getCurrentLevel());
    ASSERT_EQ(shown + 2, script->presented.size());
    EXPECT_GT(script->presented[shown].messagePixels, 0) << "the end screen's text";
    EXPECT_EQ(loadingColour, script->presented[shown + 1].centre);
    EXPECT_NO_THROW(sceneNode("redCube0201"));
    EXPECT_TRUE(vectorsNear(glm::vec3(81.5f, 10, 0), playerAt()));
}

TEST_F(LevelEventsTest, TheJumpSpotOfLevelTwoTeachesTheJumpMode) {
    build(2);
    player().setPosition(glm::vec3(-3, 10, -38));  // just east of it
    levels.runEvents();
    EXPECT_FALSE(player().modeAvailable[Glimmet::Jump]);
    EXPECT_EQ("base", player().state);

    player().setPosition(glm::vec3(-7, 10, -38));
    levels.runEvents();
    EXPECT_TRUE(player().modeAvailable[Glimmet::Jump]);
    EXPECT_EQ("jump", player().state);
}

TEST_F(LevelEventsTest, FallenRedCubesOfLevelTwoRevealTheSecondGroupThenTheWalkway) {
    build(2);
    EXPECT_FALSE(isShown("redCube0202"));
    EXPECT_FALSE(isShown("boardWalkSmallUnlock02"));
    EXPECT_FALSE(solidAt("redCube0202a", glm::vec3(-30, 12, -31))) << "hidden cubes are not felt";
    EXPECT_FALSE(solidAt("boardWalkSmallUnlock02", glm::vec3(-65, 10, -37)));
    member("redCube0202", 0)->moveTo(glm::vec3(-30, -20, -31));
    levels.runEvents();
    EXPECT_FALSE(levels.hasFlag("secondRedCubeDown"))
        << "the second group counts only after the first";
    EXPECT_FALSE(isShown("redCube0202"));

    member("redCube0202", 0)->moveTo(glm::vec3(-30, 12, -31));
    member("redCube0201", 0)->moveTo(glm::vec3(-50, -20, -43));
    levels.runEvents();
    EXPECT_TRUE(isShown("redCube0202"));
    EXPECT_FALSE(isShown("boardWalkSmallUnlock02"));

    // A restart halfway keeps the first group gone and the second waiting.
    levels.resetScene("level2");
    EXPECT_FALSE(isShown("redCube0201"));
    EXPECT_TRUE(isShown("redCube0202"));
    EXPECT_FALSE(isShown("boardWalkSmallUnlock02"));

    member("redCube0202", 0)->moveTo(glm::vec3(-30, -20, -31));
    levels.runEvents();
    EXPECT_TRUE(isShown("boardWalkSmallUnlock02"));
    EXPECT_TRUE(solidAt("boardWalkSmallUnlock02", glm::vec3(-65, 10, -37)));

    // A restart keeps the walkway, never with the cubes that uncovered it back.
    levels.resetScene("level2");
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_FALSE(isShown("redCube0201"));
        EXPECT_FALSE(isShown("redCube0202"));
        EXPECT_TRUE(isShown("boardWalkSmallUnlock02"));
        levels.runEvents();
    }
}

TEST_F(LevelEventsTest, LevelTwosDeadlyAreaKillsThePlayerAndShowsTheDeathPicture) {
    build(2);
    player().setPosition(glm::vec3(-102, 10, 23));  // just east of it
    levels.runEvents();
    EXPECT_TRUE(player().alive);

    player().setPosition(glm::vec3(-107, 10, 23));
    levels.runEvents();
    EXPECT_FALSE(player().alive);
    EXPECT_EQ(deadColour, centreColour());
}

TEST_F(LevelEventsTest, ALevelNamesItsObjectiveForAFewSecondsAtEveryStart) {
    build(2);
    std::deque<std::string>& messages = GameSettings::instance().messages;
    EXPECT_EQ(4, std::count(messages.begin(), messages.end(), "Roll to the flag"));
    messages.clear();
    levels.resetScene("level2");
    EXPECT_EQ(4, std::count(messages.begin(), messages.end(), "Roll to the flag"));
    messages.clear();
    levels.setCurrentLevel(1);
    levels.resetScene("level1");  // a level without one says nothing
    EXPECT_TRUE(messages.empty());
}

TEST_F(LevelEventsTest, AtTheEndFlagTobbleIsToldToPressF1) {
    build(2);
    player().setPosition(glm::vec3(75, 10, 0));  // far from the flag at x 60
    glClear(GL_COLOR_BUFFER_BIT);
    levels.runEvents();
    EXPECT_EQ(0, whitePixelsInBand(-0.7f));
    player().setPosition(glm::vec3(64, 10, 2));
    glClear(GL_COLOR_BUFFER_BIT);
    levels.runEvents();
    EXPECT_GT(whitePixelsInBand(-0.7f), 100) << "the prompt is on screen";
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
