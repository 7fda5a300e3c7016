#include <gtest/gtest.h>

#include <string>

#include "FrameColours.h"
#include "PhysicsFixture.h"
#include "RendererFixture.h"
#include "lum/scene/Camera.h"

using namespace lum;

using PhysicsDebugDrawTest = RendererTest;

// The physics world outlives renderers: its drawer must draw through the
// open renderer's context, also after an earlier renderer drew with it.
TEST_F(PhysicsDebugDrawTest, ABoxInTheWorldShowsAsRedLinesInEachRendererInTurn) {
    const boost::shared_ptr<RecordingNode> crate = RecordingNode::make("crate", {});
    BoxSpatial::make("crate.box", crate, glm::vec3(1));
    crate->rebuildPhysics();
    crate->activate();
    for (const char* const which : {"first renderer", "second renderer"}) {
        SCOPED_TRACE(which);
        if (std::string(which) == "second renderer") {
            renderer.reset();
            renderer.reset(new Renderer());
        }
        const boost::shared_ptr<Camera>& camera = renderer->getCamera();
        camera->setPerspective(55, 4.0f / 3.0f, 1, 500);
        camera->setTranslation(glm::vec3(0, 0, 8));
        camera->update(0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        PhysicsSystem::instance().debugDraw();
        const Picture frame = Picture::ofBackBuffer(Renderer::windowWidth, Renderer::windowHeight);
        int red = 0;
        for (const Rgb8& pixel : frame.all()) {
            red += pixel.r > 128 && pixel.g < 64 && pixel.b < 64;
        }
        EXPECT_GT(red, 500) << "the box's edges";
        EXPECT_EQ(GL_NO_ERROR, glGetError());
    }
    crate->deactivate();
}
