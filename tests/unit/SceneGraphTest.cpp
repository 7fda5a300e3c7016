#include <gtest/gtest.h>

#include "ProbeSpatial.h"
#include "VectorExpect.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"

using namespace lum;

namespace {
const glm::vec3 xAxis(1, 0, 0);
const glm::vec3 yAxis(0, 1, 0);
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

    // Outside the update a refresh recomposes the whole chain above.
    const boost::shared_ptr<Node> leaf = Node::make("leaf", child);
    leaf->setTranslation(glm::vec3(0, 1, 0));
    parent->setTranslation(glm::vec3(20, 0, 0));
    leaf->refreshWorldTransform();
    EXPECT_TRUE(vectorsNear(glm::vec3(21, 0, -1), leaf->getWorldTransform().translation));
}

// As the spectator camera turns: yaw, then pitch about the world's x axis.
TEST_F(SceneGraphTest, NewTurnsGoOnTheParentSide) {
    const boost::shared_ptr<Node> node = Node::make("node", root);
    node->rotate(90, glm::vec3(3, 0, 0));  // not of unit length
    node->rotate(90, yAxis);
    EXPECT_TRUE(vectorsNear(xAxis, node->getTransform().rotation * yAxis));
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
