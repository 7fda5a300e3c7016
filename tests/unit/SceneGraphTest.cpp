#include <gtest/gtest.h>

#include "ConfigFixture.h"
#include "ProbeSpatial.h"
#include "VectorExpect.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "lum/util/Exception.h"

using namespace lum;

namespace {
const glm::vec3 xAxis(1, 0, 0);
const glm::vec3 yAxis(0, 1, 0);
const boost::weak_ptr<Node> noParent;
constexpr auto messageOf = &test::failureOf<Exception>;
}  // namespace

class SceneGraphTest : public ::testing::Test {
protected:
    Scene scene{"test"};
    const boost::shared_ptr<Node>& root = scene.getRoot();
};

TEST_F(SceneGraphTest, ChildPlacementComposesWithTheParentsRotationOnTheLeft) {
    const boost::shared_ptr<Node> parent = Node::make("parent", root);
    parent->rotate(90, yAxis);
    parent->setTranslation(glm::vec3(10, 0, 0));
    const boost::shared_ptr<Node> child = Node::make("child", parent);
    child->setTranslation(glm::vec3(1, 0, 0));
    child->rotate(90, xAxis);

    scene.update(0.0);
    EXPECT_TRUE(vectorsNear(glm::vec3(10, 0, -1), child->getWorldTransform().translation));
    // The child's own turn (y to z) comes first, then the parent's (z to x).
    EXPECT_TRUE(vectorsNear(xAxis, child->getWorldTransform().rotation * yAxis));

    parent->setScale(glm::vec3(2, 2, 2));
    scene.update(0.0);
    EXPECT_TRUE(vectorsNear(glm::vec3(10, 0, -2), child->getWorldTransform().translation));
    EXPECT_TRUE(vectorsNear(glm::vec3(2, 2, 2), child->getWorldTransform().scale));

    // Outside the update a refresh recomposes the whole chain above.
    const boost::shared_ptr<Node> leaf = Node::make("leaf", child);
    leaf->setTranslation(glm::vec3(0, 1, 0));
    parent->setTranslation(glm::vec3(20, 0, 0));
    leaf->refreshWorldTransform();
    EXPECT_TRUE(vectorsNear(glm::vec3(22, 0, -2), leaf->getWorldTransform().translation));
}

TEST_F(SceneGraphTest, AFreeObjectsWorldIsItsTransformWithAUnitRotation) {
    const boost::shared_ptr<Node> free = Node::make("free", noParent);
    free->setTranslation(glm::vec3(1, 2, 3));
    free->setRotation(glm::quat(2, 0, 0, 0));
    free->update(0.0);
    EXPECT_TRUE(vectorsNear(glm::vec3(1, 2, 3), free->getWorldTransform().translation));
    EXPECT_EQ(glm::quat(1, 0, 0, 0), free->getWorldTransform().rotation);

    free->setRotation(glm::quat(0, 0, 0, 0));
    free->update(0.0);
    EXPECT_EQ(glm::quat(1, 0, 0, 0), free->getWorldTransform().rotation);
}

TEST_F(SceneGraphTest, NewTurnsGoOnTheParentSideAndLookAtAimsMinusZ) {
    const boost::shared_ptr<Node> node = Node::make("node", root);
    node->rotate(90, glm::vec3(3, 0, 0));  // not of unit length
    node->rotate(90, yAxis);
    EXPECT_TRUE(vectorsNear(xAxis, node->getTransform().rotation * yAxis));
    node->rotate(90, glm::vec3(0));  // no axis, no turn
    EXPECT_TRUE(vectorsNear(xAxis, node->getTransform().rotation * yAxis));

    node->setTranslation(glm::vec3(1, 2, 3));
    scene.update(0.0);
    node->lookAt(glm::vec3(1, 3, 2));
    const glm::quat rotation = node->getTransform().rotation;
    EXPECT_TRUE(vectorsNear(glm::normalize(glm::vec3(0, 1, -1)), rotation * glm::vec3(0, 0, -1)));
    EXPECT_TRUE(vectorsNear(glm::normalize(glm::vec3(0, 1, 1)), rotation * yAxis));
}

TEST_F(SceneGraphTest, FailedLookupsNameTheNodeAndLeaveATrace) {
    const boost::shared_ptr<Node> hub = Node::make("hub", root);
    hub->createChild("a");
    hub->createChild("b");
    EXPECT_EQ("No child at index -1 in node 'hub'", messageOf([&] { hub->getChild(-1); }));
    EXPECT_EQ("No child at index 2 in node 'hub'", messageOf([&] { hub->getChild(2); }));
    EXPECT_EQ("No such child 'x' in node hub'", messageOf([&] { hub->getChild("x"); }));
    EXPECT_EQ("No such child 'x' in node test.root'", messageOf([&] { scene.getChild("x"); }));
    try {
        hub->getChild("x");
    } catch (const OutOfBoundsException& e) {
        ASSERT_EQ(1u, e.getTrace().size());
        EXPECT_STREQ("lum::Node::getChild", e.getTrace().front().function);
    }
    EXPECT_EQ("b", hub->getChild(1)->getName());
    EXPECT_EQ(hub, scene.getChild("hub"));
}

TEST_F(SceneGraphTest, ReattachingMovesTheChildAndTellsItOnce) {
    const boost::shared_ptr<Node> first = Node::make("first", root);
    const boost::shared_ptr<Node> second = Node::make("second", noParent);
    const boost::shared_ptr<ProbeSpatial> probe = ProbeSpatial::make("probe", first);
    EXPECT_EQ(&scene, probe->getScene());

    second->addChild(probe);
    EXPECT_EQ(0, first->getChildCount());
    EXPECT_EQ(probe, second->getChild(0));
    EXPECT_EQ(second, probe->getParent());
    EXPECT_EQ(nullptr, probe->getScene());
    EXPECT_EQ(2, probe->parentChanges);

    root->addChild(second);
    EXPECT_EQ(&scene, probe->getScene());  // found later through the parents
}

TEST_F(SceneGraphTest, RemovalByNameOrAllKeepsTheChildsLinksButTheOthersFreeIt) {
    const boost::shared_ptr<Node> hub = Node::make("hub", root);
    const boost::shared_ptr<Node> byName = hub->createChild("byName");
    const boost::shared_ptr<Node> byIndex = hub->createChild("byIndex");
    const boost::shared_ptr<Node> byPointer = hub->createChild("byPointer");
    const boost::shared_ptr<Node> detached = hub->createChild("detached");
    const boost::shared_ptr<Node> byAll = hub->createChild("byAll");
    // Removing what is not there changes nothing.
    hub->removeChild(5);
    hub->removeChild(-1);
    hub->removeChild("c");
    hub->removeChild(Node::make("stranger", noParent));
    ASSERT_EQ(5, hub->getChildCount());

    hub->removeChild("byName");
    EXPECT_EQ(hub, byName->getParent());
    EXPECT_EQ(&scene, byName->getScene());

    hub->removeChild(0);
    hub->removeChild(boost::shared_ptr<Spatial>(byPointer));
    detached->detach();
    for (const boost::shared_ptr<Node>& freed : {byIndex, byPointer, detached}) {
        EXPECT_FALSE(freed->getParent()) << freed->getName();
        EXPECT_EQ(nullptr, freed->getScene()) << freed->getName();
    }
    ASSERT_EQ(1, hub->getChildCount());
    EXPECT_EQ(byAll, hub->getChild(0));

    hub->removeAllChildren();
    EXPECT_EQ(0, hub->getChildCount());
    EXPECT_EQ(hub, byAll->getParent());
    EXPECT_EQ(&scene, byAll->getScene());
}

TEST_F(SceneGraphTest, ANodeCannotBecomeItsOwnAncestor) {
    const boost::shared_ptr<Node> top = Node::make("top", root);
    const boost::shared_ptr<Node> below = top->createChild("below");
    EXPECT_THROW(top->addChild(top), FailedAssertion);
    EXPECT_THROW(below->addChild(top), FailedAssertion);
    EXPECT_EQ(root, top->getParent());
    EXPECT_EQ(top, below->getParent());
    EXPECT_EQ(1, root->getChildCount());
}

TEST_F(SceneGraphTest, UpdateVisitsEveryChildInOrderEvenWhenItChangesTheList) {
    const boost::shared_ptr<ProbeSpatial> first = ProbeSpatial::make("first", root);
    const boost::shared_ptr<ProbeSpatial> second = ProbeSpatial::make("second", root);
    first->onUpdate = [&] { second->detach(); };
    scene.update(0.0);
    EXPECT_EQ(1, first->updates);
    EXPECT_EQ(0, second->updates);
    EXPECT_EQ(1, root->getChildCount());
}
