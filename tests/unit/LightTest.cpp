#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ProbeSpatial.h"
#include "lum/scene/Light.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"

using namespace lum;

class LightTest : public ::testing::Test {
protected:
    int entriesOf(const Light* light) const {
        const std::vector<boost::shared_ptr<Light>>& lights = scene.getLights();
        return static_cast<int>(std::count_if(
            lights.begin(), lights.end(),
            [light](const boost::shared_ptr<Light>& entry) { return entry.get() == light; }));
    }

    Scene scene{"lit"};
    const boost::shared_ptr<Node>& root = scene.getRoot();
};

TEST_F(LightTest, ALightRegisteredDuringTheUpdateIsStillMarkedForTheRender) {
    const boost::shared_ptr<ProbeSpatial> spawner = ProbeSpatial::make("spawner", root);
    spawner->onUpdate = [&] {
        if (spawner->updates == 1) {
            Light::make("late", root);
        }
    };
    scene.update(0.0);
    EXPECT_TRUE(scene.haveLightsChanged());
    EXPECT_EQ(1u, scene.getLights().size());
}

TEST_F(LightTest, NoEntryOutlivesTheLightHoweverItWasDetachedOrReattached) {
    boost::shared_ptr<Light> detached = Light::make("detached", root);
    detached->detach();
    EXPECT_EQ(1, entriesOf(detached.get()));  // still lights the scene while it lives
    detached.reset();

    boost::shared_ptr<Light> twice = Light::make("twice", root);
    const boost::shared_ptr<Light> kept = Light::make("kept", root);
    root->addChild(twice);
    EXPECT_EQ(2, entriesOf(twice.get()));
    scene.update(0.0);
    root->removeChild("twice");  // its last owner goes
    twice.reset();

    ASSERT_EQ(1u, scene.getLights().size());
    EXPECT_EQ(kept, scene.getLights().front());
    EXPECT_TRUE(scene.haveLightsChanged());
}
