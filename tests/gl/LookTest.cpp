#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

#include "FrameColours.h"
#include "ScriptedGlfwWindow.h"
#include "flow/Game.h"
#include "lum/character/Glimmet.h"
#include "lum/render/Renderer.h"
#include "lum/render/Texture.h"
#include "lum/resource/TextureLoader.h"
#include "lum/scene/Camera.h"

using namespace lum;

namespace {

const int width = Renderer::windowWidth;
const int height = Renderer::windowHeight;
// Tobble's radius, and how much of its picture is judged: the middle, clear
// of the black outline and of whatever lies behind its rim.
const float tobbleRadius = 1.0f;
const float judgedPart = 0.75f;
// How far the colours on screen may stray from their texture's.
const float hueTolerance = 20.0f;
const float keptSaturation = 0.5f;
// Modes must be told apart by hue at a glance.
const float modeHueSeparation = 45.0f;
// Level 1's toy box pad: a parquet floor whose top is at y 9, clear of
// everything else around (60 < x < 90, -8 < z < 8).
const float padTop = 9.0f;
const glm::vec3 padFloorSpot(72.0f, padTop, -3.0f);
const glm::vec3 padShadowSpot(74.0f, padTop, -1.0f);

// The whole game on real frames of the full window, with the keys and the
// clock in the test's hands. A frame is judged in the back buffer right
// after the pass that drew it. With GLIMMET_SNAPSHOT_DIR set, every judged
// frame is saved there as a PPM to look at.
class LookTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "the look tests need an X display (xvfb-run)";
        std::unique_ptr<ScriptedGlfwWindow> adapter(new ScriptedGlfwWindow(1, 1));
        script = adapter.get();
        installWindow(std::move(adapter));
        renderer.reset(new Renderer());
        game.reset(new Game());
    }

    void TearDown() override {
        game.reset();
        // The player lives on; its model lives in this renderer's OpenGL context.
        player().deactivate();
        player().removeAllChildren();
        player().model.reset();
        renderer.reset();
        installWindow(nullptr);
    }

    // Picks the level on the title screen and draws its first frames: the
    // very first one looks along the player's own heading before the camera
    // swings round behind it.
    void startLevel(int titleKey) {
        script->setKey(titleKey, true);
        game->start();
        script->releaseAllKeys();
        game->prepareLoop();
        game->pass(0.0);
    }

    Picture drawFrame(const std::string& name, double dt = 0.03) {
        game->pass(dt);
        script->advanceTime(dt);
        const Picture picture = Picture::ofBackBuffer(width, height);
        picture.snapshot(name);
        return picture;
    }

    static Glimmet& player() { return Glimmet::instance(); }
    static glm::vec3 playerCentre() { return player().getWorldTransform().translation; }
    static const Camera& camera() { return *Renderer::instance().getCamera(); }

    // Where a point of the world shows in the window, in pixels from the lower left.
    static glm::vec2 onScreen(const glm::vec3& point) {
        const glm::vec4 clip = camera().getViewProjection() * glm::vec4(point, 1.0f);
        return glm::vec2((clip.x / clip.w + 1.0f) * 0.5f * width,
                         (clip.y / clip.w + 1.0f) * 0.5f * height);
    }

    // How many pixels a length of `units` across the view at `point` covers.
    static float pixelsAcross(const glm::vec3& point, float units) {
        const glm::mat4& view = camera().getView();
        const glm::vec3 right(view[0][0], view[1][0], view[2][0]);
        return glm::length(onScreen(point + right * units) - onScreen(point));
    }

    static ColourSummary tobbleOn(const Picture& picture) {
        const glm::vec3 centre = playerCentre();
        return summarise(
            picture.ring(onScreen(centre), 0.0f, judgedPart * pixelsAcross(centre, tobbleRadius)));
    }

    // A texture's colours as the game loaded them.
    static ColourSummary textureColours(const char* name) {
        const boost::shared_ptr<Texture> texture = TextureLoader::instance().load(name);
        texture->bind();
        return summarise(Picture::ofBoundTexture(texture->getWidth(), texture->getHeight()).all());
    }

    static void expectColoursOf(const ColourSummary& texture, const ColourSummary& seen,
                                const char* what) {
        EXPECT_LT(hueDistance(texture.hue, seen.hue), hueTolerance)
            << what << ": hue " << seen.hue << " on screen, " << texture.hue << " in its texture";
        EXPECT_GE(seen.saturation, keptSaturation * texture.saturation)
            << what << ": saturation " << seen.saturation << " on screen, " << texture.saturation
            << " in its texture";
    }

    ScriptedGlfwWindow* script = nullptr;
    std::unique_ptr<Renderer> renderer;
    std::unique_ptr<Game> game;
};

TEST_F(LookTest, TobbleAndTheFloorKeepTheirTexturesColoursWhenTheLevelStarts) {
    startLevel(key::Enter);
    const Picture frame = drawFrame("level1-start");

    const ColourSummary tobble = tobbleOn(frame);
    ASSERT_GT(tobble.pixels, 200) << "Tobble is too small on screen to judge";
    expectColoursOf(textureColours("tobble"), tobble, "Tobble");
    // Washed-out pixels are near white: lit fur must stay visibly darker.
    EXPECT_LT(tobble.value, 0.97f);

    const ColourSummary floor =
        summarise(frame.ring(onScreen(padFloorSpot), 0.0f, pixelsAcross(padFloorSpot, 2.0f)));
    expectColoursOf(textureColours("floor"), floor, "the parquet floor");
}

// A program may close its renderer and open another (a window made again,
// a test program with many windows): everything the loaders kept of the
// first context (shaders, textures, the models' buffers, the kept programs)
// must be made again in the second, which then draws the same picture.
TEST_F(LookTest, ASecondRendererInTheSameProcessDrawsTheSamePicture) {
    startLevel(key::Enter);
    const Picture first = drawFrame("level1-first-renderer", 0.0);
    TearDown();
    SetUp();
    startLevel(key::Enter);
    const Picture second = drawFrame("level1-second-renderer", 0.0);

    EXPECT_EQ(0, differingPixels(first, second))
        << "pixels that differ between the two renderers' pictures";
    // Not a picture of nothing: the level's floor and Tobble are in it.
    EXPECT_GT(tobbleOn(second).pixels, 200);
}

TEST_F(LookTest, EachModeGivesTobbleItsOwnHue) {
    startLevel(key::Enter);
    struct Seen {
        const char* mode;
        ColourSummary colours;
    };
    std::vector<Seen> seen;
    const std::vector<std::pair<const char*, void (Glimmet::*)()>> modes = {
        {"spike", &Glimmet::switchToSpike},
        {"jump", &Glimmet::switchToJump},
        {"speed", &Glimmet::switchToSpeed},
        {"base", &Glimmet::switchToBase},
    };
    for (const auto& mode : modes) {
        (player().*mode.second)();
        seen.push_back(
            Seen{mode.first, tobbleOn(drawFrame(std::string("mode-") + mode.first, 0.0))});
    }
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_GT(seen[i].colours.saturation, 0.1f) << seen[i].mode << " mode looks grey";
        for (std::size_t j = i + 1; j < seen.size(); ++j) {
            EXPECT_GE(hueDistance(seen[i].colours.hue, seen[j].colours.hue), modeHueSeparation)
                << seen[i].mode << " mode (hue " << seen[i].colours.hue << ") and " << seen[j].mode
                << " mode (hue " << seen[j].colours.hue << ") look alike";
        }
    }
}

TEST_F(LookTest, TobbleInTheAirCastsADarkerSpotStraightBelowIt) {
    startLevel(key::Enter);
    // Five units of air between Tobble and the parquet; a pass of no time
    // steps no physics, so it hangs there for the picture.
    player().setPosition(padShadowSpot + glm::vec3(0.0f, tobbleRadius + 5.0f, 0.0f));
    const Picture frame = drawFrame("level1-midair", 0.0);

    const glm::vec2 below = onScreen(padShadowSpot);
    const glm::vec2 tobble = onScreen(playerCentre());
    const float tobbleOnScreen = pixelsAcross(playerCentre(), tobbleRadius * 1.3f);
    const auto clearOfTobble = [&](int x, int y) {
        return glm::length(glm::vec2(x, y) - tobble) > tobbleOnScreen;
    };
    const float unit = pixelsAcross(padShadowSpot, 1.0f);
    const ColourSummary shadow = summarise(frame.ring(below, 0.0f, 0.5f * unit, clearOfTobble));
    const ColourSummary around =
        summarise(frame.ring(below, 2.5f * unit, 4.0f * unit, clearOfTobble));
    ASSERT_GT(shadow.pixels, 50);
    ASSERT_GT(around.pixels, 200);
    EXPECT_LT(shadow.value, 0.85f * around.value)
        << "below Tobble " << shadow.value << ", the floor around " << around.value;
}

}  // namespace
