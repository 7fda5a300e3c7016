#include <gtest/gtest.h>

#include "PhysicsFixture.h"
#include "VectorExpect.h"

using namespace lum;

class PhysicsRayTest : public PhysicsTest {};

TEST_F(PhysicsRayTest, ARayFindsTheNearestBodyOnItsWayAndNothingBesideIt) {
    const boost::shared_ptr<RecordingNode> lower =
        box("lower", glm::vec3(0, 0, 0), glm::vec3(2, 0.5f, 2), 0);
    const boost::shared_ptr<RecordingNode> upper =
        box("upper", glm::vec3(0, 5, 0), glm::vec3(1, 0.5f, 1), 0);

    const RayHit onTop = physics().rayTest(glm::vec3(0, 20, 0), glm::vec3(0, -20, 0));
    EXPECT_EQ(upper.get(), onTop.node);
    EXPECT_TRUE(vectorsNear(glm::vec3(0, 5.5f, 0), onTop.point, 1e-4f));

    const RayHit pastTheUpper = physics().rayTest(glm::vec3(1.5f, 20, 0), glm::vec3(1.5f, -20, 0));
    EXPECT_EQ(lower.get(), pastTheUpper.node);
    EXPECT_NEAR(0.5f, pastTheUpper.point.y, 1e-4f);

    const RayHit beside = physics().rayTest(glm::vec3(5, 20, 0), glm::vec3(5, -20, 0));
    EXPECT_EQ(nullptr, beside.node);
    EXPECT_TRUE(vectorsNear(glm::vec3(5, -20, 0), beside.point, 1e-6f));
}

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
