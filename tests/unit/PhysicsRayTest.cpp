#include <gtest/gtest.h>

#include "PhysicsFixture.h"

using namespace lum;

class PhysicsRayTest : public PhysicsTest {};

// As a level loads: the body enters the world first, and the first update
// gives its shape the scale of its model.
TEST_F(PhysicsRayTest, AShapeScaledAfterItsBodyEnteredTheWorldIsFoundAtItsNewSize) {
    const boost::shared_ptr<RecordingNode> plate =
        holder("plate", {glm::vec3(0, 0, 0)}, glm::vec3(1, 0.5f, 1));
    plate->getChild(0)->setScale(glm::vec3(4, 1, 1));
    plate->rebuildPhysics();
    plate->activate();
    plate->update(0.0);
    const RayHit hit = physics().rayTest(glm::vec3(3, 10, 0), glm::vec3(3, -10, 0));
    EXPECT_EQ(plate.get(), hit.node);
    EXPECT_NEAR(0.5f, hit.point.y, 1e-4f);
}
