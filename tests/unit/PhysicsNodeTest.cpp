#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "PhysicsFixture.h"
#include "VectorExpect.h"
#include "lum/scene/Scene.h"
#include "lum/util/Exception.h"

using namespace lum;

namespace {

std::string failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.getMessage();
    }
    return "nothing thrown";
}

}  // namespace

class PhysicsNodeTest : public PhysicsTest {};

TEST_F(PhysicsNodeTest, ABodyWithoutChildrenOrWithANestedDynamicNodeIsRefused) {
    EXPECT_EQ("Trying to build shape for a physics node without children",
              failureOf([] { RecordingNode::make("empty", {})->rebuildPhysics(); }));
    const boost::shared_ptr<RecordingNode> outer = holder("outer", {glm::vec3(0)});
    outer->rebuildPhysics();
    btRigidBody* const oldBody = outer->getBody();
    const boost::shared_ptr<RecordingNode> inner = holder("inner", {glm::vec3(3, 0, 0)});
    inner->setMass(1);
    inner->rebuildPhysics();
    outer->addChild(inner);

    EXPECT_EQ("Dynamic physics node inner may not be contained in other physics nodes.",
              failureOf([&] { outer->rebuildPhysics(); }));
    EXPECT_EQ(oldBody, outer->getBody());  // the old body stays
}

TEST_F(PhysicsNodeTest, DroppingTheLastOwnerTakesTheNodeOutOfTheWorld) {
    physics().setGravity(0, 0, 0);
    Scene scene("level");
    const boost::shared_ptr<RecordingNode> floor =
        box("floor", glm::vec3(0), glm::vec3(5, 1, 5), 0);
    boost::weak_ptr<RecordingNode> dropped =
        box("dropped", glm::vec3(-2, 2, 0), glm::vec3(1), 1, 0, scene.getRoot());
    steps(1);
    EXPECT_EQ(1, floor->count(Contact::begin));

    scene.getRoot()->removeAllChildren();  // a level reset
    EXPECT_TRUE(dropped.expired());
    steps(1);
    EXPECT_EQ(0, floor->count(Contact::proceed));
}

// Rails and walls are boxes stretched by their models' scale, gathered into
// one static body: all of each must be solid, not just the middle.
TEST_F(PhysicsNodeTest, StretchedChildrenOfACompoundAreSolidToTheirEnds) {
    const boost::shared_ptr<RecordingNode> rails =
        holder("rails", {glm::vec3(0, 0, -5), glm::vec3(0, 0, 5)}, glm::vec3(1));
    rails->getChild(0)->setScale(glm::vec3(20, 0.5f, 0.5f));
    rails->getChild(1)->setScale(glm::vec3(20, 0.5f, 0.5f));
    rails->rebuildPhysics();
    rails->activate();
    for (const float z : {-5.0f, 5.0f}) {
        const RayHit hit = physics().rayTest(glm::vec3(16, 10, z), glm::vec3(16, -10, z));
        EXPECT_EQ(rails.get(), hit.node) << "at z " << z;
        EXPECT_NEAR(0.5f, hit.point.y, 1e-3f);
    }

    // A ball rolled into the far end of a rail is stopped by it.
    const boost::shared_ptr<RecordingNode> ball =
        box("ball", glm::vec3(15, 0, -2), glm::vec3(0.4f), 1);
    physics().setGravity(0, 0, 0);
    ball->getBody()->setLinearVelocity(btVector3(0, 0, -8));
    steps(60);
    EXPECT_GT(ball->getWorldTransform().translation.z, -4.6f) << "through the rail";
}

// A hidden plank is not met, and what rests on it stays where it was; a
// plank put away while hidden stays away when shown.
TEST_F(PhysicsNodeTest, AHiddenNodesBodiesAreAbsentAndComeBackWhereTheyWere) {
    const boost::shared_ptr<Node> group = Node::make("group", {});
    const boost::shared_ptr<RecordingNode> plank =
        box("plank", glm::vec3(0, 3, 0), glm::vec3(2, 0.25f, 2), 0, 0, group);
    const boost::shared_ptr<RecordingNode> cube =
        box("cube", glm::vec3(0, 5, 0), glm::vec3(0.5f), 1, 0, group);
    steps(60);
    const glm::vec3 resting = cube->getWorldTransform().translation;

    group->setVisible(false);
    EXPECT_EQ(nullptr, physics().rayTest(glm::vec3(0, 10, 0), glm::vec3(0, -10, 0)).node);
    steps(60);
    EXPECT_TRUE(vectorsNear(resting, cube->getWorldTransform().translation, 1e-5f))
        << "hidden, nothing moves";
    group->setVisible(true);
    steps(30);
    EXPECT_TRUE(vectorsNear(resting, cube->getWorldTransform().translation, 0.05f));

    plank->setVisible(false);
    plank->deactivate();
    plank->setVisible(true);
    EXPECT_FALSE(plank->isInWorld());
}
