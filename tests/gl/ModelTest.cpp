#include <gtest/gtest.h>

#include <BulletCollision/CollisionShapes/btBoxShape.h>

#include "ConfigFixture.h"
#include "Md2Builder.h"
#include "ModelFactory.h"
#include "RendererFixture.h"
#include "lum/GameSettings.h"
#include "lum/render/VertexBuffer.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Light.h"
#include "lum/scene/Scene.h"

using namespace lum;
using lum::test::TempDir;

namespace {

// One triangle whose x coordinates are 10 * frame number in key frame `frame`.
Md2Builder framesByX(int frames) {
    Md2Builder md2;
    md2.texCoords = {{{0, 0}}, {{32, 0}}, {{0, 16}}};
    md2.triangles = {{{0, 1, 2}, {0, 1, 2}}};
    for (int f = 0; f < frames; ++f) {
        const std::uint8_t x = static_cast<std::uint8_t>(10 * f);
        md2.frames.push_back({{1, 1, 1}, {0, 0, 0}, {{{x, 0, 0}}, {{x, 0, 1}}, {{x, 1, 0}}}});
    }
    return md2;
}

class ModelTest : public RendererTest {
protected:
    void SetUp() override {
        RendererTest::SetUp();
        files.write("frames.md2", framesByX(8).build());
        ModelLoader::instance().addResourceLocation(files.path);
        GameSettings::instance().animationenabled = true;
    }

    void TearDown() override {
        Scene::global().getRoot()->removeAllChildren();
        RendererTest::TearDown();
    }

    // The x of the first vertex in the model's buffer once it is drawn: the
    // frame it shows, times 10. Steps between draws leave the buffer alone.
    float shownX(Model& model) {
        renderer->getCamera()->update(0);
        model.render(*renderer);
        Vertex first;
        glBindBuffer(GL_ARRAY_BUFFER, model.getVertexBuffer()->getId());
        glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(first), &first);
        return first.vertex[0];
    }

    TempDir files;
};

}  // namespace

TEST_F(ModelTest, AnimationsStepOnceAFrameWithinTheirRangeAndBlendLinearly) {
    const Model::AnimationTable animations = {{"turn", Animation{3, 6, 10}}};
    const auto model = makeTestModel("walker", "frames", new btBoxShape(btVector3(1, 1, 1)),
                                     Scene::global().getRoot(), animations);
    model->setAnimated(true);
    EXPECT_EQ("turn", model->getCurrentAnimation());
    EXPECT_EQ(3, model->getCurrentFrame());
    EXPECT_EQ(4, model->getNextFrame());

    EXPECT_EQ(0.0f, shownX(*model));
    std::vector<int> shown;
    for (int i = 0; i < 5; ++i) {
        model->update(0.1);  // one key frame's time: exactly one step
        shown.push_back(model->getCurrentFrame());
    }
    EXPECT_EQ((std::vector<int>{4, 5, 3, 4, 5}), shown);
    EXPECT_FLOAT_EQ(50.0f, shownX(*model));

    // Half a key frame's time after frame 5: halfway between 5 and 3.
    model->update(0.05);
    EXPECT_EQ(3, model->getNextFrame());
    EXPECT_FLOAT_EQ(40.0f, shownX(*model));
}

TEST_F(ModelTest, EachModelIsLitByTheThreeNearestLights) {
    const auto root = Scene::global().getRoot();
    for (int i = 0; i < 5; ++i) {
        const auto light = Light::make("light" + std::to_string(i), root);
        light->setTranslation(glm::vec3(0, 0, 10.0f * (5 - i)));  // light4 nearest
        light->setDiffuse(glm::vec4(static_cast<float>(i)));
        light->refreshWorldTransform();  // lights are placed once, when loaded
    }
    const auto model = makeTestModel("lit", "frames", new btBoxShape(btVector3(1, 1, 1)), root);
    renderer->getCamera()->update(0);
    Scene::global().update(0);
    model->render(*renderer);
    const Material& material = *model->getMaterial();
    EXPECT_EQ(3, material.getUniform("usedLights")->asInt().getValue());
    EXPECT_EQ(glm::vec4(4.0f), material.getUniform("lights[0].diffuse")->asVec4().getValue());
    EXPECT_EQ(glm::vec4(2.0f), material.getUniform("lights[2].diffuse")->asVec4().getValue());
    EXPECT_EQ(glm::vec3(0, 0, 10), material.getUniform("lights[0].position")->asVec3().getValue());
}
