#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include "ConfigFixture.h"
#include "FrameColours.h"
#include "ModelFactory.h"
#include "RendererFixture.h"

#include "lum/GameSettings.h"
#include "lum/render/Texture.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Light.h"
#include "lum/scene/Scene.h"

using namespace lum;
using lum::test::solidTarga;
using lum::test::TempDir;

namespace {

using Pixel = Rgb8;
const Pixel sky = {51, 102, 204};
const Pixel black = {0, 0, 0};

// What the window shows.
Picture frameNow() {
    return Picture::ofBackBuffer(Renderer::windowWidth, Renderer::windowHeight);
}

class DrawTest : public RendererTest {
protected:
    void SetUp() override {
        RendererTest::SetUp();
        settings().wireframe = false;
        settings().frustrumCulling = false;
        settings().transperancy = true;
        glClearColor(sky.r / 255.0f, sky.g / 255.0f, sky.b / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void TearDown() override {
        Scene::global().getRoot()->removeAllChildren();
        RendererTest::TearDown();
    }

    static GameSettings& settings() { return GameSettings::instance(); }

    // A cube two units wide at the origin, seen from six units away, lit from the front.
    boost::shared_ptr<Model> showCube() {
        const boost::shared_ptr<Camera>& camera = renderer->getCamera();
        camera->setPerspective(55, 4.0f / 3.0f, 1, 500);
        camera->setTranslation(glm::vec3(0, 0, 6));
        camera->setRotation(glm::quat(1, 0, 0, 0));
        camera->update(0);
        const boost::shared_ptr<Light> light = Light::make("lamp", Scene::global().getRoot());
        light->setTranslation(glm::vec3(2, 3, 8));
        light->setAmbient(glm::vec4(0.4f, 0.4f, 0.4f, 1));
        light->setLinearAttenuation(0);
        light->setQuadraticAttenuation(0);
        light->refreshWorldTransform();
        const boost::shared_ptr<Model> cube = makeTestModel(
            "cube", "cube", new btBoxShape(btVector3(1, 1, 1)), Scene::global().getRoot());
        cube->rotate(30, glm::vec3(0, 1, 0));
        cube->rotate(20, glm::vec3(1, 0, 0));
        Scene::global().update(0);
        return cube;
    }
};

}  // namespace

// With drawing off (a pass whose frame is not shown) images and text leave the frame
// alone; with it on a full-screen image covers it.
TEST_F(DrawTest, AFullScreenImageCoversTheWindowOnlyWithDrawingOnAndRestoresTheDepthTest) {
    TempDir files;
    files.write("red.tga", solidTarga(8, 8, 255, 0, 0));
    TextureLoader::instance().addResourceLocation(files.path);
    renderer->setDrawing(false);
    renderer->drawImage(TextureLoader::instance().load("red"), -1, -1, 2, 2);
    renderer->drawText("Hello", -0.5f, 0.0f, 0.1f, glm::vec3(1, 1, 1));
    EXPECT_EQ(sky, frameNow().at(512, 384));
    renderer->setDrawing(true);
    renderer->drawImage(TextureLoader::instance().load("red"), -1, -1, 2, 2);
    const Picture frame = frameNow();
    for (const auto& corner :
         {std::array<int, 2>{0, 0}, {1023, 0}, {0, 767}, {1023, 767}, {512, 384}}) {
        EXPECT_EQ((Pixel{255, 0, 0}), frame.at(corner[0], corner[1]));
    }
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

// 5 x 3 RGB rows are 15 bytes: the upload must not expect them padded to 16.
// A texture carries every mipmap level down to one texel (5 x 3, 2 x 1,
// 1 x 1); the same image loaded as a picture has no smaller levels, and
// under every filter the player can choose, mipmapped ones included, it is
// complete and shows.
TEST_F(DrawTest, TexturesOfAnyWidthCarryEveryMipmapLevelAndPicturesOneShownUnderEveryQuality) {
    TempDir files;
    const Pixel colour = {10, 200, 30};
    files.write("odd.tga", solidTarga(5, 3, colour.r, colour.g, colour.b));
    TextureLoader::instance().addResourceLocation(files.path);
    const boost::shared_ptr<Texture> texture = TextureLoader::instance().load("odd");
    const boost::shared_ptr<Texture> picture = TextureLoader::instance().loadPicture("odd");
    EXPECT_NE(picture, texture);
    const auto lastLevel = [](const Texture& t) {
        GLint last = -1;
        glBindTexture(GL_TEXTURE_2D, t.getId());
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, &last);
        return last;
    };
    EXPECT_EQ(0, lastLevel(*picture));
    EXPECT_EQ(2, lastLevel(*texture));
    glBindTexture(GL_TEXTURE_2D, 0);
    for (const int quality : {Texture::Nearest, Texture::Linear}) {
        for (const int mipmaps :
             {Texture::MipmapNone, Texture::MipmapNearest, Texture::MipmapLinear}) {
            Texture::quality = quality;
            Texture::mipmapMode = mipmaps;
            Texture::updateQuality();
            glClear(GL_COLOR_BUFFER_BIT);
            renderer->drawImage(picture, -1, -1, 2, 2);
            EXPECT_EQ(colour, frameNow().at(512, 384))
                << "quality " << quality << ", mipmap mode " << mipmaps;
        }
    }
    Texture::quality = Texture::Linear;
    Texture::mipmapMode = Texture::MipmapNearest;
    Texture::updateQuality();
}

TEST_F(DrawTest, ACubeDrawsItsLitBodyAndABlackOutline) {
    showCube();
    Scene::global().render(*renderer);
    const Picture frame = frameNow();
    frame.snapshot("cube");
    const Pixel centre = frame.at(512, 384);
    EXPECT_NE(sky, centre);
    EXPECT_NE(black, centre);
    // Walking in from the left edge along the middle row: sky, then the
    // outline, then the body.
    int x = 0;
    while (x < 512 && frame.at(x, 384) == sky) ++x;
    ASSERT_LT(x, 512);
    const Pixel edge = frame.at(x, 384);
    EXPECT_LT(edge.r + edge.g + edge.b, 60) << "no dark outline where the body meets the sky";
}

// The scene lays down its models' depth first and then shades only the
// nearest surface of each pixel: the picture must be the one the models draw
// one after another, in either order, outlines included.
TEST_F(DrawTest, TheSceneShowsWhatItsModelsDrawOneAfterAnother) {
    const boost::shared_ptr<Model> front = showCube();
    const boost::shared_ptr<Model> back = makeTestModel(
        "back", "cube", new btBoxShape(btVector3(1, 1, 1)), Scene::global().getRoot());
    back->setTranslation(glm::vec3(1.2f, 0.6f, -1.5f));
    Scene::global().update(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Scene::global().render(*renderer);
    const Picture scene = frameNow();
    scene.snapshot("two cubes");
    for (const auto& order : {std::array<Model*, 2>{front.get(), back.get()},
                              std::array<Model*, 2>{back.get(), front.get()}}) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (Model* const model : order) {
            model->render(*renderer);
        }
        EXPECT_EQ(0, differingPixels(frameNow(), scene)) << order[0]->getName() << " drawn first";
    }
}
