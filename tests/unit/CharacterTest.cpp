#include <gtest/gtest.h>

#include "PhysicsFixture.h"
#include "lum/character/Corn.h"
#include "lum/character/Glimmet.h"
#include "lum/character/Props.h"

using namespace lum;

namespace {

// Builds an inactive physics node around one box, then puts it into the world.
void buildAround(PhysicsNode& node, const glm::vec3& position, const glm::vec3& halfExtents,
                 float mass) {
    const boost::shared_ptr<Node> owner = boost::static_pointer_cast<Node>(node.shared_from_this());
    BoxSpatial::make(node.getName() + ".box", owner, halfExtents)->setTranslation(position);
    node.setMass(mass);
    node.rebuildPhysics();
    node.activate();
}

class CharacterTest : public PhysicsTest {
protected:
    void TearDown() override {
        Glimmet& player = Glimmet::instance();
        player.deactivate();
        player.removeAllChildren();
        PhysicsTest::TearDown();
    }
};

}  // namespace

TEST_F(CharacterTest, CornVanishesAtThePlayersTouchOnly) {
    const boost::shared_ptr<Node> field = Node::make("field", {});
    const boost::shared_ptr<Corn> corn = Corn::make("corn", field);
    buildAround(*corn, glm::vec3(0, 0, 0), glm::vec3(1, 0.5f, 1), 0.0f);

    // A cube lands on it: the corn stays.
    const boost::shared_ptr<GreenCube> cube = GreenCube::make("cube", field);
    buildAround(*cube, glm::vec3(0, 1.6f, 0), glm::vec3(0.5f), 1.0f);
    steps(60);
    EXPECT_NEAR(1.0f, cube->getWorldTransform().translation.y, 0.05f)
        << "the cube rests on the corn";
    EXPECT_TRUE(corn->isActive());
    cube->deactivate();
    cube->detach();

    // The player lands on it: gone from the world and the field in that step.
    Glimmet& player = Glimmet::instance();
    buildAround(player, glm::vec3(0, 1.6f, 0), glm::vec3(0.5f), 1.0f);
    for (int i = 0; i < 60 && corn->isActive(); ++i) {
        steps(1);
    }
    EXPECT_FALSE(corn->isActive());
    EXPECT_EQ(0, field->getChildCount());
}
