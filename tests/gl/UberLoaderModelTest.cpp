#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <boost/pointer_cast.hpp>
#include <string>

#include "PhysicsFixture.h"
#include "RendererFixture.h"
#include "SceneFiles.h"
#include "VectorExpect.h"
#include "lum/character/Corn.h"
#include "lum/character/Props.h"
#include "lum/character/Toys.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/resource/ModelLoader.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Scene.h"

using namespace lum;

namespace {

// Loading levels and models built from the game's own shaders, textures and
// cube model, with a renderer for them.
class UberLoaderModelTest : public RendererTest {
protected:
    UberLoaderModelTest() { files.linkGameAssets(gameResources); }

    void TearDown() override {
        root->removeAllChildren();
        RendererTest::TearDown();
    }

    // The configuration "thing" holding `text`, loaded with loadModel.
    boost::shared_ptr<Spatial> thing(const std::string& text) {
        files.writeResource("thing.cfg", text);
        boost::shared_ptr<Spatial> loaded;
        report = reportOf([&] { loaded = UberLoader::instance().loadModel("thing"); });
        EXPECT_EQ("", report.failure);
        return loaded;
    }

    LoadReport loadLevel(const std::string& objects) const {
        files.writeLevel(objects);
        return reportOf([] { UberLoader::instance().loadLevel("level"); });
    }

    template <class T>
    boost::shared_ptr<T> added(const std::string& name) const {
        return boost::dynamic_pointer_cast<T>(root->getChild(name));
    }

    // The only child of an active physics node, which has to leave the world
    // to show it.
    static boost::shared_ptr<Spatial> onlyChild(PhysicsNode& node) {
        node.deactivate();
        EXPECT_EQ(1, node.getChildCount());
        const boost::shared_ptr<Spatial> child = node.getChild(0);
        node.activate();
        return child;
    }

    static void steps(int count) {
        for (int i = 0; i < count; ++i) {
            PhysicsSystem::instance().step(1.0 / 60.0);
        }
    }

    static glm::vec3 cubeExtents() {
        return glm::vec3(ModelLoader::instance().load("cube").extents);
    }

    const boost::filesystem::path gameResources = boost::filesystem::current_path() / "resources";
    const SceneFiles files;
    const boost::shared_ptr<Node> root = Scene::global().getRoot();
    LoadReport report;
};

const std::string staticFloor =
    "Physics { name = \"floor\"; children = ( Model { shape = Box { size = (10, 0.5, 10) } } ) }";

}  // namespace

TEST_F(UberLoaderModelTest, AModelWithAMassOrPhysicsHangsUnderAnActivePhysicsNodeOfItsOwn) {
    const struct {
        std::string keys;
        float mass;
    } cases[] = {
        {"mass = 2; physics = { mass = 3 }", 2.0f},
        {"physics = { mass = 3 }", 3.0f},
        {"mass = \"heavy\"", 1.0f},
    };
    for (const auto& wrapped : cases) {
        SCOPED_TRACE(wrapped.keys);
        const boost::shared_ptr<PhysicsNode> wrapper =
            boost::dynamic_pointer_cast<PhysicsNode>(thing("Model { " + wrapped.keys + " }"));
        ASSERT_NE(nullptr, wrapper);
        EXPECT_EQ(wrapped.mass, wrapper->getMass());
        EXPECT_TRUE(wrapper->isActive());
        const boost::shared_ptr<Spatial> model = onlyChild(*wrapper);
        EXPECT_EQ("thing", model->getName());
        EXPECT_EQ(model->getCollisionShape(), wrapper->getBody()->getCollisionShape());
    }
}

TEST_F(UberLoaderModelTest, AGameObjectIsOneBodyWithItsModelsShapeAndItsOwnMass) {
    ASSERT_EQ("", loadLevel(staticFloor +
                            ", redcube { name = \"crate\"; mass = 2; physics = { mass = 5 };"
                            "  transform = { translation = (0, 4, 0) } }")
                      .failure);
    const boost::shared_ptr<RedCube> crate = added<RedCube>("crate");
    ASSERT_NE(nullptr, crate);
    EXPECT_EQ(2.0f, crate->getMass());
    EXPECT_EQ(onlyChild(*crate)->getCollisionShape(), crate->getBody()->getCollisionShape());

    // It lands on the floor rather than falling through it.
    steps(120);
    EXPECT_NEAR(0.5f + cubeExtents().y, crate->getWorldTransform().translation.y, 0.05f);
}

// Each kind a level names makes its own class of game object, whatever its
// letter case; unnamed objects are numbered.
TEST_F(UberLoaderModelTest, KindsIgnoreLetterCaseAndUnnamedObjectsAreNumbered) {
    ASSERT_EQ("",
              loadLevel("redcube { }, Model { type = \"GREEN\" }, Model { type = \"bluecube\" },"
                        "Model { type = \"windupmouse\" }, Model { type = \"ROBOT\" },"
                        "Model { type = \"corn\" }, Model { type = \"DOOR\" }")
                  .failure);
    EXPECT_NE(nullptr, added<RedCube>("<unnamed red cube 0>"));
    EXPECT_NE(nullptr, added<GreenCube>("<unnamed green cube 1>"));
    EXPECT_NE(nullptr, added<BlueCube>("<unnamed blue cube 2>"));
    EXPECT_NE(nullptr, added<ToyMouse>("<unnamed toy mouse 3>"));
    EXPECT_NE(nullptr, added<ToyRobot>("<unnamed toy robot 4>"));
    EXPECT_NE(nullptr, added<Corn>("<unnamed corn 5>"));
    EXPECT_NE(nullptr, added<Door>("<unnamed door 6>"));
}

TEST_F(UberLoaderModelTest, BadInputEndsTheLoadAndLeavesNothingInTheSceneOrThePhysicsWorld) {
    const struct {
        std::string object;
        std::string failure;
    } cases[] = {
        {"Model { shape = Box { size = (1, 2) } }", "Cannot convert to glm::vec3"},
        {"{ type = \"Bare\"; model = \"cube\" }",
         "Invalid setting is no container, and cannot be indexed into with an String"},
        {"Model { model = \"nosuch\" }", "File nosuch.md2 could not be found."},
    };
    const int before = root->getChildCount();
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.object);
        const LoadReport loaded = loadLevel(staticFloor +
                                            ", Light { }, redcube { transform = { translation = "
                                            "(0, 4, 0) } }, " +
                                            bad.object);
        EXPECT_EQ(bad.failure, loaded.failure);
        EXPECT_EQ(before, root->getChildCount());
    }
    // Neither the floor nor the cube stayed in the world: a box dropped
    // where they were falls freely.
    const boost::shared_ptr<RecordingNode> probe =
        RecordingNode::make("probe", boost::weak_ptr<Node>());
    BoxSpatial::make("probe.box", probe, glm::vec3(0.5f))->setTranslation(glm::vec3(0, 2, 0));
    probe->setMass(1.0f);
    probe->rebuildPhysics();
    probe->activate();
    steps(60);
    EXPECT_EQ(0, probe->count(Contact::begin));
    EXPECT_LT(probe->getWorldTransform().translation.y, -1.0f);
}
