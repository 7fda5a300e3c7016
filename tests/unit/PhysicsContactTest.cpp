#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PhysicsFixture.h"

using namespace lum;

namespace {
const glm::vec3 unitBox(1, 1, 1);
}  // namespace

class PhysicsContactTest : public PhysicsTest {};

TEST_F(PhysicsContactTest, RestingBoxesBeginOnceContinueEveryStepAndEndOnce) {
    const boost::shared_ptr<RecordingNode> ground =
        box("ground", glm::vec3(0, 0, 0), glm::vec3(5, 1, 5), 0);
    const boost::shared_ptr<RecordingNode> crate =
        box("crate", glm::vec3(0, 1.5f, 0), glm::vec3(0.5f), 1);

    physics().step(0.0);
    EXPECT_TRUE(ground->told.empty());

    // Both sides of a pair are told: see the pairs of several manifolds below.
    steps(1);
    ASSERT_EQ(1u, ground->told.size());
    EXPECT_EQ(1, ground->count(Contact::begin, crate.get()));
    steps(10);
    EXPECT_EQ(10, ground->count(Contact::proceed, crate.get()));

    // Lifted far away: the very next step holds no manifold for the pair.
    btTransform lifted = crate->getBody()->getWorldTransform();
    lifted.setOrigin(btVector3(0, 50, 0));
    crate->getBody()->setWorldTransform(lifted);
    steps(1);
    EXPECT_EQ(1, ground->count(Contact::end, crate.get()));
    EXPECT_EQ(1, crate->count(Contact::end, ground.get()));
    const std::size_t told = ground->told.size();
    steps(5);
    EXPECT_EQ(told, ground->told.size());
    EXPECT_EQ(told, crate->told.size());
}

// The world reserves room for a few hundred pairs up front; a crowd beyond
// that must still be told about every contact.
TEST_F(PhysicsContactTest, MorePairsThanReservedAreAllTold) {
    const int crates = 600;
    const boost::shared_ptr<RecordingNode> ground =
        box("ground", glm::vec3(0), glm::vec3(100, 1, 100), 0);
    std::vector<boost::shared_ptr<RecordingNode>> stack;
    for (int i = 0; i < crates; ++i) {
        const glm::vec3 at(-75.0f + 3.0f * (i % 50), 1.5f, -75.0f + 3.0f * (i / 50));
        stack.push_back(box("crate" + std::to_string(i), at, glm::vec3(0.5f), 1));
    }
    steps(2);
    EXPECT_EQ(crates, ground->count(Contact::begin));
    for (const boost::shared_ptr<RecordingNode>& crate : stack) {
        EXPECT_EQ(1, crate->count(Contact::begin, ground.get()));
        EXPECT_EQ(1, crate->count(Contact::proceed, ground.get()));
    }
}

TEST_F(PhysicsContactTest, OverlappingBoundsCountAsContactWithoutTouching) {
    physics().setGravity(0, 0, 0);
    // Turned 45 degrees, the box is a diamond whose bounds reach past its
    // sides; the other box lies inside those bounds but 0.13 from the diamond.
    const boost::shared_ptr<RecordingNode> diamond = box("diamond", glm::vec3(0), unitBox, 1, 45);
    const boost::shared_ptr<RecordingNode> block =
        box("block", glm::vec3(2.3f, 1.3f, 0), unitBox, 0);
    steps(3);
    EXPECT_EQ(1, diamond->count(Contact::begin, block.get()));
    EXPECT_EQ(2, block->count(Contact::proceed, diamond.get()));
    EXPECT_NEAR(0.0f, diamond->getBody()->getLinearVelocity().length(), 1e-6f);
}

TEST_F(PhysicsContactTest, SeveralManifoldsBetweenTwoNodesAreOnePair) {
    const boost::shared_ptr<RecordingNode> ground =
        box("ground", glm::vec3(0), glm::vec3(5, 1, 5), 0);
    // Two feet: the compound meets the ground with one manifold per foot.
    const boost::shared_ptr<RecordingNode> bench = RecordingNode::make("bench", {});
    BoxSpatial::make("left", bench, glm::vec3(0.5f))->setTranslation(glm::vec3(-2, 0, 0));
    BoxSpatial::make("right", bench, glm::vec3(0.5f))->setTranslation(glm::vec3(2, 0, 0));
    bench->setTranslation(glm::vec3(0, 1.5f, 0));
    bench->setMass(2);
    bench->rebuildPhysics();
    bench->activate();

    steps(4);
    EXPECT_EQ(1, bench->count(Contact::begin, ground.get()));
    EXPECT_EQ(3, bench->count(Contact::proceed, ground.get()));
    EXPECT_EQ(1, ground->count(Contact::begin, bench.get()));
    EXPECT_EQ(3, ground->count(Contact::proceed, bench.get()));
}

TEST_F(PhysicsContactTest, AHookThatDeactivatesItsNodeSilencesOnlyThatNodesPairs) {
    physics().setGravity(0, 0, 0);
    const boost::shared_ptr<RecordingNode> middle = box("middle", glm::vec3(0), unitBox, 1);
    const boost::shared_ptr<RecordingNode> left = box("left", glm::vec3(-2, 0, 0), unitBox, 0);
    const boost::shared_ptr<RecordingNode> right = box("right", glm::vec3(2, 0, 0), unitBox, 0);
    const boost::shared_ptr<RecordingNode> far = box("far", glm::vec3(20, 0, 0), unitBox, 1);
    const boost::shared_ptr<RecordingNode> wall = box("wall", glm::vec3(22, 0, 0), unitBox, 0);
    bool withdrawn = false;
    middle->onBegin = [&](PhysicsNode*) {
        if (!withdrawn) {
            withdrawn = true;
            middle->deactivate();
        }
    };

    steps(1);
    // Whichever of its two pairs came first was told in full; the other not at all.
    EXPECT_EQ(1u, middle->told.size());
    EXPECT_EQ(
        1, left->count(Contact::begin, middle.get()) + right->count(Contact::begin, middle.get()));
    EXPECT_EQ(1u, left->told.size() + right->told.size());
    EXPECT_EQ(1, far->count(Contact::begin, wall.get()));
    EXPECT_EQ(1, wall->count(Contact::begin, far.get()));

    steps(2);
    EXPECT_EQ(1u, middle->told.size());
    EXPECT_EQ(1u, left->told.size() + right->told.size());
    EXPECT_EQ(2, far->count(Contact::proceed, wall.get()));

    // Its pairs were dropped, so back in the world it begins afresh.
    middle->told.clear();
    middle->activate();
    steps(1);
    EXPECT_EQ(1, middle->count(Contact::begin, left.get()));
    EXPECT_EQ(1, middle->count(Contact::begin, right.get()));
    EXPECT_EQ(0, middle->count(Contact::end));
}

TEST_F(PhysicsContactTest, ANodeLetGoInsideAHookOutlivesThePairBeingToldThenLeaves) {
    physics().setGravity(0, 0, 0);
    const boost::shared_ptr<Node> shelf = Node::make("shelf", {});
    boost::weak_ptr<RecordingNode> corn = box("corn", glm::vec3(0), unitBox, 1, 0, shelf);
    const boost::shared_ptr<RecordingNode> mouse = box("mouse", glm::vec3(2, 0, 0), unitBox, 0);
    const boost::shared_ptr<RecordingNode> crumb = box("crumb", glm::vec3(-2, 0, 0), unitBox, 0);
    PhysicsNode* const cornAddress = corn.lock().get();
    corn.lock()->onBegin = [&shelf](PhysicsNode* other) {
        if (other->getName() == "mouse") {
            shelf->removeAllChildren();  // the shelf held the corn's only owner
        }
    };

    steps(1);
    EXPECT_TRUE(corn.expired());
    EXPECT_EQ(1, mouse->count(Contact::begin, cornAddress));
    EXPECT_EQ("corn", mouse->told.at(0).otherName);
    EXPECT_LE(crumb->told.size(), 1u);  // told only if its pair came first
    steps(2);
    EXPECT_EQ(1u, mouse->told.size());
    EXPECT_EQ(0, crumb->count(Contact::end));
}
