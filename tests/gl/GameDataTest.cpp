#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <boost/filesystem.hpp>

#include "RendererFixture.h"
#include "flow/CameraSteering.h"
#include "flow/Levels.h"
#include "lum/Control.h"
#include "lum/character/Glimmet.h"
#include "lum/character/Props.h"
#include "lum/config/Setting.h"
#include "lum/physics/PhysicsNode.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/ModelLoader.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/resource/SoundLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "lum/util/Exception.h"

using namespace lum;

namespace {

// The game's own data below "resources/", as the game finds it.
class GameData : public RendererTest {
protected:
    void TearDown() override {
        Scene::global().getRoot()->removeAllChildren();
        RendererTest::TearDown();
    }
};

using Use = std::pair<std::string, std::string>;  // (loader, name)

std::vector<std::string> configurationNames() {
    std::vector<std::string> names;
    for (boost::filesystem::recursive_directory_iterator entry("resources"), end; entry != end;
         ++entry) {
        if (entry->path().extension() == ".cfg") {
            names.push_back(entry->path().stem().string());
        }
    }
    return names;
}

// Every asset a description names, read through its prototypes, anywhere in `setting`.
void collectUses(const Setting& setting, std::set<Use>& uses) {
    if (setting.isGroup()) {
        for (const char* const key : {"model", "texture", "shader", "shaderOutline"}) {
            const Setting value = setting(key);
            if (value.isString()) {
                uses.insert(
                    Use(key == std::string("shaderOutline") ? "shader" : key, value.asString()));
            }
        }
    }
    if (setting.isGroup() || setting.isList()) {
        for (const boost::shared_ptr<Setting::Iterator> each = setting.iterator();
             each->hasNext();) {
            const Setting element = each->next();
            collectUses(element.isPair() ? element.second() : element, uses);
        }
    }
}

::testing::AssertionResult loads(const Use& use) {
    try {
        if (use.first == "model") {
            ModelLoader::instance().load(use.second);
        } else if (use.first == "texture") {
            TextureLoader::instance().load(use.second);
        } else if (use.first == "shader") {
            ShaderLoader::instance().load(use.second);
        } else {
            const ResourceLoader sounds("resources/");
            if (decodeOggVorbis(sounds.findFile(use.second + ".ogg")).samples.empty()) {
                return ::testing::AssertionFailure() << "sound " << use.second << " is empty";
            }
        }
    } catch (const Exception& e) {
        return ::testing::AssertionFailure()
               << use.first << " " << use.second << ": " << e.getMessage();
    }
    return ::testing::AssertionSuccess();
}

// A level loaded into the scene; the first step puts every body where the
// level says, of its full size.
void load(const std::string& level) {
    UberLoader::instance().loadLevel(level);
    PhysicsSystem::instance().step(1.0 / 60.0);
}

}  // namespace

TEST_F(GameData, EveryAssetTheGameOrADescriptionNamesExistsAndLoads) {
    std::set<Use> uses = {
        {"texture", "start"},  {"texture", "loading"},       {"texture", "pause"},
        {"texture", "dead"},   {"texture", "font"},          {"shader", "simple"},
        {"shader", "outline"}, {"shader", "font"},           {"shader", "image"},
        {"shader", "debug"},   {"sound", "BGMcalmViolence"}, {"sound", "SFXroll"}};
    const std::vector<std::string> configurations = configurationNames();
    ASSERT_GE(configurations.size(), 6u);
    for (const std::string& name : configurations) {
        collectUses(ConfigLoader::instance().load(name), uses);
    }
    EXPECT_GT(uses.size(), 20u);
    for (const Use& use : uses) {
        EXPECT_TRUE(loads(use));
    }
    const ResourceLoader shaders("resources/");
    EXPECT_NO_THROW(shaders.findFile("celShaderTex")) << "the cel-shading ramp";
}

namespace {

// Whether the camera sees Tobble: nothing solid on the line between them.
::testing::AssertionResult seesTobble(const Camera& camera) {
    const glm::vec3 eye = camera.getWorldTransform().translation;
    const glm::vec3 centre = Glimmet::instance().getWorldTransform().translation;
    // Its middle and its lower half, not only the crown over a wall's top.
    for (const glm::vec3& tobble : {centre, centre - glm::vec3(0, 0.6f, 0)}) {
        const RayHit hit = PhysicsSystem::instance().rayTest(eye, tobble);
        if (hit.node != &Glimmet::instance()) {
            return ::testing::AssertionFailure()
                   << "from (" << eye.x << ", " << eye.y << ", " << eye.z << ") "
                   << (hit.node ? hit.node->getName() : "nothing") << " is in the way";
        }
    }
    return ::testing::AssertionSuccess();
}

// Tobble's centre resting on whatever floor lies below (x, z).
glm::vec3 onFloorBelow(float x, float z) {
    const RayHit hit =
        PhysicsSystem::instance().rayTest(glm::vec3(x, 300, z), glm::vec3(x, -300, z));
    return glm::vec3(x, (hit.node != nullptr ? hit.point.y : 0) + 1.0f, z);
}

// The camera following Tobble at `at` for a second and a half, the orbit
// turned to `yaw` at `height`.
void settleCamera(const glm::vec3& at, float yaw, float height, Camera& camera) {
    Control& control = Control::instance();
    Glimmet::instance().setPosition(at);
    control.resetOrbitNextFollow();
    updateCamera(1.0f / 30, GAME, camera);
    control.orbit.yaw = yaw;
    control.orbit.height = height;
    // No physics steps: Tobble stays where it was put, a step's edge or not.
    for (int i = 0; i < 45; ++i) {
        Scene::global().update(1.0 / 30);
        updateCamera(1.0f / 30, GAME, camera);
    }
}

struct PathPoint {
    const char* level;
    float x, z;
};

// Where each level's way goes: beside rails, walls, the beam and the steps
// (clear of the cubes: against one, the camera looks through it).
const PathPoint criticalPath[] = {
    {"level1", 81.5f, 0},    {"level1", -45, 0},   {"level1", -74, 3},    {"level1", -131, 10},
    {"level1", -119, 38},    {"level2", 2, 0},     {"level2", -7, -38},   {"level2", -11, -43},
    {"level2", -22, -37.5f}, {"level2", -59, -38}, {"level2", -113, -22}, {"level3", 58, 0},
    {"level3", 52, -10},     {"level3", 40, -17},  {"level3", 22, -17},   {"level3", 4, -17},
    {"level3", -2, -4},      {"level3", -14, 3},   {"level3", -32, 3},    {"level3", -62, 3}};

// Tobble nearer than this fills more than a quarter of the picture's height.
const float nearestCamera = 11.0f;

}  // namespace

// Along every level's way, whichever way the orbit looks and however low:
// the camera sees Tobble, rising over a wall or a step rather than diving
// in, and never comes so near that Tobble fills the picture.
TEST_F(GameData, TheOrbitCameraSeesTobbleFromNoNearerThanAQuarterOfThePicture) {
    Glimmet& player = Glimmet::instance();
    const boost::shared_ptr<Camera> camera = renderer->getCamera();
    camera->setPerspective(40, 4.0f / 3.0f, 1, 250);
    std::string loaded;
    for (const PathPoint& point : criticalPath) {
        if (loaded != point.level) {
            player.deactivate();
            Scene::global().getRoot()->removeAllChildren();
            load(point.level);
            player.init();
            Scene::global().addChild(player.self);
            loaded = point.level;
        }
        const glm::vec3 at = onFloorBelow(point.x, point.z);
        for (const float yaw : {0.0f, 90.0f, 180.0f, -90.0f}) {
            for (const float height :
                 {Control::instance().orbit.defaultHeight, Control::instance().orbit.heightMin}) {
                SCOPED_TRACE(std::string(point.level) + " at " + std::to_string(at.x) + ", " +
                             std::to_string(at.y) + ", " + std::to_string(at.z) + " yaw " +
                             std::to_string(yaw) + " height " + std::to_string(height));
                settleCamera(at, yaw, height, *camera);
                EXPECT_TRUE(seesTobble(*camera));
                EXPECT_GE(glm::distance(camera->getWorldTransform().translation, at),
                          nearestCamera - 0.01f);
            }
        }
    }
    player.deactivate();
}

// Level 1's red block on the ledge's open rim (z = 8), left there as the
// push ended: a hair past the rim, at rest or still sliding, it goes over
// within a second; a hair short, it stays put, flat.
TEST_F(GameData, ABlockPastTheRimGoesOverWithinASecondAndOneShortOfItStays) {
    struct Case {
        float centreZ, speed;
        bool goesOver;
    };
    const std::vector<Case> cases{{8.05f, 0, true}, {8.05f, 1, true}, {7.95f, 0, false}};
    for (const int rate : {20, 60, 144})
        for (const Case& c : cases) {
            SCOPED_TRACE("centre at z " + std::to_string(c.centreZ) + ", sliding at " +
                         std::to_string(c.speed) + ", " + std::to_string(rate) +
                         " passes a second");
            Scene::global().getRoot()->removeAllChildren();
            load("level1");
            btRigidBody& block = *boost::dynamic_pointer_cast<PhysicsNode>(
                                      sceneNode("redCubes01")->getChild("redCube01b"))
                                      ->getBody();
            btTransform placed = block.getWorldTransform();
            placed.setOrigin(btVector3(-60, 10, c.centreZ));
            block.setWorldTransform(placed);
            block.getMotionState()->setWorldTransform(placed);
            block.setLinearVelocity(btVector3(0, 0, c.speed));
            for (int pass = 0; pass < rate; ++pass) {
                tipBlocksOverRims(*Scene::global().getRoot());
                PhysicsSystem::instance().step(1.0 / rate);
            }
            const btTransform after = block.getWorldTransform();
            if (c.goesOver) {
                EXPECT_LT(after.getOrigin().y(), 8.5f) << "still on the rim after a second";
            } else {
                EXPECT_NEAR(10.0f, after.getOrigin().y(), 0.01f);
                EXPECT_LT(after.getRotation().getAngle(), 0.01f) << "tilted";
            }
        }
}
