#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include <BulletCollision/CollisionShapes/btCompoundShape.h>
#include <LinearMath/btAlignedAllocator.h>

#include "PhysicsFixture.h"
#include "VectorExpect.h"
#include "lum/scene/Light.h"
#include "lum/scene/Scene.h"
#include "lum/util/Exception.h"

using namespace lum;

namespace {

const std::string refused = "Operation not permitted while PhysicsNode is active.";

Exception failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e;
    }
    return Exception("nothing thrown");
}

// Counts the blocks Bullet holds from the heap while it is installed.
class BulletHeapCount {
public:
    BulletHeapCount() { btAlignedAllocSetCustom(&allocate, &release); }
    ~BulletHeapCount() { btAlignedAllocSetCustom(nullptr, nullptr); }
    static long held() { return blocks; }

private:
    static void* allocate(size_t size) {
        ++blocks;
        return std::malloc(size);
    }
    static void release(void* block) {
        --blocks;
        std::free(block);
    }
    static long blocks;
};
long BulletHeapCount::blocks = 0;

}  // namespace

class PhysicsNodeTest : public PhysicsTest {};

TEST_F(PhysicsNodeTest, SeveralChildrenGatherACompoundPlacedByTheirOwnTransforms) {
    const boost::shared_ptr<RecordingNode> node =
        holder("table", {glm::vec3(-2, 0, 0), glm::vec3(2, 1, 0)});
    node->getChild(1)->rotate(90, glm::vec3(0, 1, 0));
    node->setTranslation(glm::vec3(0, 3, 0));
    Light::make("lamp", node);  // not solid: adds no shape
    // A static physics node inside gives its boxes, placed within it.
    const boost::shared_ptr<RecordingNode> drawer = holder("drawer", {glm::vec3(0, 0, 7)});
    drawer->rebuildPhysics();
    node->addChild(drawer);
    node->rebuildPhysics();

    const btCompoundShape* const compound =
        static_cast<const btCompoundShape*>(node->getBody()->getCollisionShape());
    ASSERT_EQ(COMPOUND_SHAPE_PROXYTYPE, compound->getShapeType());
    ASSERT_EQ(3, compound->getNumChildShapes());
    EXPECT_TRUE(
        vectorsNear(glm::vec3(-2, 0, 0), fromBullet(compound->getChildTransform(0).getOrigin())));
    const btTransform& turned = compound->getChildTransform(1);
    EXPECT_TRUE(vectorsNear(glm::vec3(2, 1, 0), fromBullet(turned.getOrigin())));
    EXPECT_TRUE(
        vectorsNear(glm::vec3(0, 0, -1), fromBullet(turned.getBasis() * btVector3(1, 0, 0))));
    EXPECT_EQ(node->getChild(1)->getCollisionShape(), compound->getChildShape(1));
    EXPECT_TRUE(
        vectorsNear(glm::vec3(0, 0, 0), fromBullet(compound->getChildTransform(2).getOrigin())));
    EXPECT_TRUE(vectorsNear(glm::vec3(2, 1, 0), node->getChild(1)->getTransform().translation));
}

TEST_F(PhysicsNodeTest, WhileActiveTheChildrenAreOutOfReach) {
    const boost::shared_ptr<RecordingNode> node = holder("door", {glm::vec3(0)});
    const boost::shared_ptr<Spatial> stray = BoxSpatial::make("stray", {}, glm::vec3(0.5f));
    EXPECT_EQ("Trying to build shape for a physics node without children",
              failureOf([] { RecordingNode::make("empty", {})->rebuildPhysics(); }).getMessage());
    EXPECT_THROW(node->activate(), FailedAssertion);  // no body yet
    EXPECT_FALSE(node->isActive());

    node->rebuildPhysics();
    node->activate();
    node->activate();
    EXPECT_TRUE(node->getBody()->isInWorld());
    const std::function<void()> refusedCalls[] = {
        [&] { node->addChild(stray); },
        [&] { node->createChild("shelf"); },
        [&] { node->removeChild(node->Node::getChild(0)); },
        [&] { node->removeChild("door.box0"); },
        [&] { node->removeChild(0); },
        [&] { node->removeAllChildren(); },
        [&] { node->getChild("door.box0"); },
        [&] { node->getChild(0); },
        [&] { node->begin(); },
        [&] { node->end(); },
    };
    for (const std::function<void()>& call : refusedCalls) {
        EXPECT_EQ(refused, failureOf(call).getMessage());
    }
    EXPECT_EQ(1, node->getChildCount());
    const Exception failure = failureOf([&] { node->addChild(stray); });
    EXPECT_STREQ("lum::PhysicsNode::addChild", failure.getTrace().front().function);
    EXPECT_EQ("Cannot rebuild active physics node.",
              failureOf([&] { node->rebuildPhysics(); }).getMessage());

    node->deactivate();
    node->deactivate();
    EXPECT_FALSE(node->getBody()->isInWorld());
    node->addChild(stray);
    EXPECT_EQ(2, node->getChildCount());
}

TEST_F(PhysicsNodeTest, ANestedDynamicNodeRefusesTheRebuildAndTheOldBodyStays) {
    const boost::shared_ptr<RecordingNode> outer = holder("outer", {glm::vec3(0)});
    outer->rebuildPhysics();
    btRigidBody* const oldBody = outer->getBody();
    const boost::shared_ptr<RecordingNode> inner = holder("inner", {glm::vec3(3, 0, 0)});
    inner->setMass(1);
    inner->rebuildPhysics();
    outer->addChild(inner);

    EXPECT_EQ("Dynamic physics node inner may not be contained in other physics nodes.",
              failureOf([&] { outer->rebuildPhysics(); }).getMessage());
    EXPECT_EQ(oldBody, outer->getBody());

    // Static, but active: its children cannot be walked.
    inner->setMass(0);
    inner->rebuildPhysics();
    inner->activate();
    const Exception walked = failureOf([&] { outer->rebuildPhysics(); });
    EXPECT_EQ(refused, walked.getMessage());
    EXPECT_STREQ("lum::PhysicsNode::begin", walked.getTrace().back().function);
    EXPECT_EQ(oldBody, outer->getBody());
}

TEST_F(PhysicsNodeTest, ARebuildKeepsTheFrictionAndStartsAtTheWorldPlacement) {
    const boost::shared_ptr<Node> shelf = Node::make("shelf", {});
    shelf->setTranslation(glm::vec3(10, 0, 0));
    const boost::shared_ptr<RecordingNode> node = holder("cube", {glm::vec3(0, 1, 0)});
    shelf->addChild(node);
    node->rebuildPhysics();
    EXPECT_FLOAT_EQ(0.5f, node->getBody()->getFriction());  // Bullet's own default
    node->getBody()->setFriction(1.0f);
    node->setMass(2);
    node->rebuildPhysics();
    EXPECT_FLOAT_EQ(1.0f, node->getBody()->getFriction());
    EXPECT_FLOAT_EQ(0.5f, node->getBody()->getInvMass());
    // The only child gave its placement away at the first rebuild already.
    EXPECT_TRUE(vectorsNear(glm::vec3(10, 0, 0),
                            fromBullet(node->getBody()->getWorldTransform().getOrigin())));
}

// An only child lends the node its placement and its shape.
TEST_F(PhysicsNodeTest, AFallingBoxCarriesItsNodeAndTheNodesChildren) {
    const boost::shared_ptr<RecordingNode> node = holder("crate", {glm::vec3(0, 5, 0)});
    const boost::shared_ptr<Spatial> child = node->getChild(0);
    child->setScale(glm::vec3(2));
    node->setMass(1);
    node->rebuildPhysics();
    node->activate();
    EXPECT_TRUE(vectorsNear(glm::vec3(2), node->getTransform().scale));
    EXPECT_TRUE(vectorsNear(glm::vec3(1), child->getTransform().scale));
    EXPECT_EQ(child->getCollisionShape(), node->getBody()->getCollisionShape());

    steps(60);
    node->update(0.0);
    // One second of fall under 10 units/s²: about 5 units, to one step's motion.
    const glm::vec3 bodyAt = fromBullet(node->getBody()->getWorldTransform().getOrigin());
    EXPECT_NEAR(0.0f, bodyAt.y, 0.2f);
    EXPECT_TRUE(vectorsNear(bodyAt, node->getWorldTransform().translation, 0.2f));
    EXPECT_TRUE(
        vectorsNear(node->getWorldTransform().translation, child->getWorldTransform().translation));
    EXPECT_TRUE(vectorsNear(glm::vec3(0, 5, 0), node->getTransform().translation));

    // Inactive again, the node goes back to composing its own placement.
    node->deactivate();
    node->stop();
    node->update(0.0);
    EXPECT_TRUE(vectorsNear(glm::vec3(0, 5, 0), node->getWorldTransform().translation));
    EXPECT_TRUE(vectorsNear(glm::vec3(0), fromBullet(node->getBody()->getLinearVelocity())));
}

TEST_F(PhysicsNodeTest, DroppingTheLastOwnerTakesTheNodeOutOfTheWorld) {
    physics().setGravity(0, 0, 0);
    Scene scene("level");
    const boost::shared_ptr<RecordingNode> floor =
        box("floor", glm::vec3(0), glm::vec3(5, 1, 5), 0);
    boost::weak_ptr<RecordingNode> dropped =
        box("dropped", glm::vec3(-2, 2, 0), glm::vec3(1), 1, 0, scene.getRoot());
    const boost::shared_ptr<RecordingNode> kept =
        box("kept", glm::vec3(2, 2, 0), glm::vec3(1), 1, 0, scene.getRoot());
    steps(1);
    EXPECT_EQ(2, floor->count(Contact::begin));

    scene.getRoot()->removeAllChildren();  // a level reset
    EXPECT_TRUE(dropped.expired());
    EXPECT_TRUE(kept->isActive());
    EXPECT_TRUE(kept->getBody()->isInWorld());
    steps(1);
    EXPECT_EQ(0, floor->count(Contact::end));
    EXPECT_EQ(1, floor->count(Contact::proceed));
    EXPECT_EQ(1, floor->count(Contact::proceed, kept.get()));
}

TEST_F(PhysicsNodeTest, ReplacedAndDroppedBodiesGiveTheirMemoryBack) {
    const BulletHeapCount heap;
    const auto liveNodeCycle = [this] {
        const boost::shared_ptr<RecordingNode> node =
            holder("cycled", {glm::vec3(-1, 0, 0), glm::vec3(1, 0, 0)});
        node->setMass(1);
        node->rebuildPhysics();
        node->activate();
        steps(1);
    };
    liveNodeCycle();  // the world's own arrays grow once
    const long settled = heap.held();
    liveNodeCycle();
    liveNodeCycle();
    EXPECT_EQ(settled, heap.held());

    const boost::shared_ptr<RecordingNode> node =
        holder("rebuilt", {glm::vec3(-1, 0, 0), glm::vec3(1, 0, 0)});
    node->rebuildPhysics();
    const long built = heap.held();
    node->rebuildPhysics();
    node->rebuildPhysics();
    EXPECT_EQ(built, heap.held());
    node->removeChild(1);
    node->rebuildPhysics();  // one child: its own shape, no compound any more
    EXPECT_GT(built, heap.held());
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
    for (const float x : {-16.0f, 0.0f, 16.0f}) {
        for (const float z : {-5.0f, 5.0f}) {
            const RayHit hit = physics().rayTest(glm::vec3(x, 10, z), glm::vec3(x, -10, z));
            EXPECT_EQ(rails.get(), hit.node) << "at x " << x << ", z " << z;
            EXPECT_NEAR(0.5f, hit.point.y, 1e-3f);
        }
    }
    // Scaled again later: the bounds follow at the next update.
    rails->Node::getChild(0)->setScale(glm::vec3(30, 0.5f, 0.5f));
    rails->update(0.0);
    EXPECT_EQ(rails.get(), physics().rayTest(glm::vec3(27, 10, -5), glm::vec3(27, -10, -5)).node);

    // A ball rolled into the far end of a rail is stopped by it.
    const boost::shared_ptr<RecordingNode> ball =
        box("ball", glm::vec3(15, 0, -2), glm::vec3(0.4f), 1);
    physics().setGravity(0, 0, 0);
    ball->getBody()->setLinearVelocity(btVector3(0, 0, -8));
    steps(60);
    EXPECT_GT(ball->getWorldTransform().translation.z, -4.6f) << "through the rail";
}

TEST_F(PhysicsNodeTest, AHiddenNodesBodiesAreAbsentAndComeBackWhereTheyWere) {
    const boost::shared_ptr<RecordingNode> floor =
        box("floor", glm::vec3(0, -0.5f, 0), glm::vec3(10, 0.5f, 10), 0);
    const boost::shared_ptr<Node> group = Node::make("group", {});
    const boost::shared_ptr<RecordingNode> plank =
        box("plank", glm::vec3(0, 3, 0), glm::vec3(2, 0.25f, 2), 0, 0, group);
    const boost::shared_ptr<RecordingNode> cube =
        box("cube", glm::vec3(0, 5, 0), glm::vec3(0.5f), 1, 0, group);
    steps(60);
    const glm::vec3 resting = cube->getWorldTransform().translation;
    EXPECT_NEAR(3.75f, resting.y, 0.05f) << "the cube rests on the plank";

    group->setVisible(false);
    EXPECT_TRUE(plank->isActive());
    EXPECT_FALSE(plank->isInWorld());
    EXPECT_EQ(floor.get(), physics().rayTest(glm::vec3(0, 10, 0), glm::vec3(0, -10, 0)).node)
        << "a hidden plank is not met";
    steps(60);
    EXPECT_TRUE(vectorsNear(resting, cube->getWorldTransform().translation, 1e-5f))
        << "hidden, nothing moves";
    // Something else falls through where the hidden plank is.
    const boost::shared_ptr<RecordingNode> ball =
        box("ball", glm::vec3(1.5f, 5, 1.5f), glm::vec3(0.4f), 1);
    steps(90);
    EXPECT_NEAR(0.4f, ball->getWorldTransform().translation.y, 0.05f);
    ball->deactivate();

    group->setVisible(true);
    EXPECT_TRUE(cube->isInWorld());
    EXPECT_EQ(plank.get(),
              physics().rayTest(glm::vec3(-1.5f, 10, 0), glm::vec3(-1.5f, -10, 0)).node);
    steps(30);
    EXPECT_TRUE(vectorsNear(resting, cube->getWorldTransform().translation, 0.05f));

    // Deactivated while hidden, it stays out when shown.
    plank->setVisible(false);
    plank->deactivate();
    plank->setVisible(true);
    EXPECT_FALSE(plank->isInWorld());
}
