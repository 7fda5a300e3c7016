#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "ProbeSpatial.h"
#include "lum/render/Renderer.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"

using namespace lum;

TEST(SceneRenderTest, AHiddenSubtreeIsUpdatedButNotDrawn) {
    ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "graphics tests need an X display (xvfb-run)";
    // Held by pointer: the renderer's destructor may throw, which a test's scope may not.
    const std::unique_ptr<Renderer> renderer(new Renderer());
    Scene scene{"drawn"};
    const boost::shared_ptr<Node> hidden = Node::make("hidden", scene.getRoot());
    const boost::shared_ptr<ProbeSpatial> inside =
        ProbeSpatial::make("inside", hidden->createChild("deeper"));
    const boost::shared_ptr<ProbeSpatial> outside = ProbeSpatial::make("outside", scene.getRoot());
    hidden->setVisible(false);

    scene.update(0.0);
    scene.renderPasses(*renderer, false);
    EXPECT_EQ(1, inside->updates);
    EXPECT_EQ(0, inside->renders);
    EXPECT_EQ(2, outside->renders) << "the depth pass and the opaque pass";
}
