#include <gtest/gtest.h>

#include <string>

#include "PhysicsFixture.h"

using namespace lum;

namespace {
const glm::vec3 unitBox(1, 1, 1);
}  // namespace

class PhysicsContactTest : public PhysicsTest {};

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

    steps(2);
    EXPECT_EQ(1u, middle->told.size());
    EXPECT_EQ(2, far->count(Contact::proceed, wall.get()));

    // Its pairs were dropped, so back in the world it begins afresh.
    middle->told.clear();
    middle->activate();
    steps(1);
    EXPECT_EQ(1, middle->count(Contact::begin, left.get()));
    EXPECT_EQ(1, middle->count(Contact::begin, right.get()));
}
