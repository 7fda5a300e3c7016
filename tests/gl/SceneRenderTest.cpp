#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

#include "ProbeSpatial.h"
#include "lum/render/Renderer.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"

using namespace lum;

// What a probe saw while it was drawn: the renderer's depth-pass and
// blending-pass flags, whether OpenGL blending was on and whether colour
// was written.
using PassState = std::tuple<bool, bool, bool, bool>;

class SceneRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "graphics tests need an X display (xvfb-run)";
        renderer.reset(new Renderer());
    }

    boost::shared_ptr<ProbeSpatial> recordingProbe(const std::string& name,
                                                   boost::weak_ptr<Node> parent) {
        const boost::shared_ptr<ProbeSpatial> probe = ProbeSpatial::make(name, parent);
        probe->onRender = [this] {
            GLboolean colourWritten[4] = {GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE};
            glGetBooleanv(GL_COLOR_WRITEMASK, colourWritten);
            passes.push_back(PassState(renderer->isDepthPass(), renderer->isBlendingPass(),
                                       glIsEnabled(GL_BLEND) == GL_TRUE,
                                       colourWritten[0] == GL_TRUE));
        };
        return probe;
    }

    // Held by pointer: the renderer's destructor may throw, which a fixture's may not.
    std::unique_ptr<Renderer> renderer;
    Scene scene{"drawn"};
    std::vector<PassState> passes;
};

TEST_F(SceneRenderTest, DrawsADepthPassAnOpaquePassAndABlendedOneOnlyWithTransparency) {
    recordingProbe("probe", scene.getRoot());
    const PassState depth(true, false, false, false);
    const PassState opaque(false, false, false, true);
    const PassState blended(false, true, true, true);
    scene.renderPasses(*renderer, true);
    EXPECT_EQ((std::vector<PassState>{depth, opaque, blended}), passes);

    passes.clear();
    scene.renderPasses(*renderer, false);
    EXPECT_EQ((std::vector<PassState>{depth, opaque}), passes);
    EXPECT_EQ(GL_NO_ERROR, glGetError());
}

TEST_F(SceneRenderTest, AHiddenSubtreeIsUpdatedButNotDrawn) {
    const boost::shared_ptr<Node> hidden = Node::make("hidden", scene.getRoot());
    const boost::shared_ptr<ProbeSpatial> inside =
        recordingProbe("inside", hidden->createChild("deeper"));
    const boost::shared_ptr<ProbeSpatial> outside = recordingProbe("outside", scene.getRoot());
    hidden->setVisible(false);

    scene.update(0.0);
    scene.renderPasses(*renderer, false);
    EXPECT_EQ(1, inside->updates);
    EXPECT_EQ(0, inside->renders);
    EXPECT_EQ(2, outside->renders) << "the depth pass and the opaque pass";
}
