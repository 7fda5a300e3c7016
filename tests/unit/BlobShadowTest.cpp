#include <gtest/gtest.h>

#include "PhysicsFixture.h"
#include "VectorExpect.h"
#include "lum/look/BlobShadow.h"

using namespace lum;

class BlobShadowTest : public PhysicsTest {};

TEST_F(BlobShadowTest, TheShadowFallsOnTheFirstBodyBelowNotOnTheBodyItselfNorIntoNothing) {
    const boost::shared_ptr<RecordingNode> floor =
        box("floor", glm::vec3(0, 0, 0), glm::vec3(10, 0.5f, 10), 0);
    const boost::shared_ptr<RecordingNode> shelf =
        box("shelf", glm::vec3(6, 3, 0), glm::vec3(2, 0.5f, 2), 0);
    const boost::shared_ptr<RecordingNode> low = box("low", glm::vec3(0, 6.5f, 0), glm::vec3(1), 1);

    const BlobShadow::Footprint onFloor = BlobShadow::under(*low);
    ASSERT_TRUE(onFloor.cast);
    EXPECT_TRUE(vectorsNear(glm::vec3(0, 0.5f, 0), onFloor.centre, 1e-3f));

    const boost::shared_ptr<RecordingNode> high =
        box("high", glm::vec3(6, 9.5f, 0), glm::vec3(1), 1);
    const BlobShadow::Footprint onShelf = BlobShadow::under(*high);
    ASSERT_TRUE(onShelf.cast);
    EXPECT_TRUE(vectorsNear(glm::vec3(6, 3.5f, 0), onShelf.centre, 1e-3f));

    // Nothing below, or no body yet: no shadow.
    EXPECT_FALSE(BlobShadow::under(*box("beside", glm::vec3(30, 5, 0), glm::vec3(1), 1)).cast);
    EXPECT_FALSE(BlobShadow::under(*holder("unbuilt", {glm::vec3(0, 5, 0)})).cast);
}
