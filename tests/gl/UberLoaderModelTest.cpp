#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletCollision/CollisionShapes/btCompoundShape.h>
#include <BulletCollision/CollisionShapes/btSphereShape.h>
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
#include "lum/render/Uniform.h"
#include "lum/render/VertexBuffer.h"
#include "lum/resource/ModelLoader.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Material.h"
#include "lum/scene/Model.h"
#include "lum/scene/Scene.h"

using namespace lum;
namespace fs = boost::filesystem;

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

TEST_F(UberLoaderModelTest, AModelWithoutKeysIsTheCubeAsABoxOfItsExtentsWithTheMaterialItInherits) {
    const boost::shared_ptr<Model> model =
        boost::dynamic_pointer_cast<Model>(thing("Model { animated = false }"));
    ASSERT_NE(nullptr, model);
    EXPECT_NE(std::string::npos,
              report.err.find("UberLoader : WARNING: Unknown shape type : Invalid setting, "
                              "defaulting to Box.\n\n"));

    const btBoxShape* const box = dynamic_cast<const btBoxShape*>(model->getCollisionShape());
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(vectorsNear(cubeExtents(), fromBullet(box->getHalfExtentsWithMargin())));
    EXPECT_EQ("simple.material", model->getMaterial()->getName());
}

TEST_F(UberLoaderModelTest, AShapeListIsACompoundOfItsPartsEachPlacedAndScaledByItsTransform) {
    const boost::shared_ptr<Model> model = boost::dynamic_pointer_cast<Model>(thing(
        "Model { shape = ("
        "  Box { size = (1, 2, 3); transform = { scale = (2, 2, 2); translation = (0, 1, 0) } },"
        "  { type = \"SPHERE\"; radius = 0.5;"
        "    transform = { rotation = (0, 0.7071068, 0, 0.7071068) } } ) }"));
    ASSERT_NE(nullptr, model);
    EXPECT_EQ(std::string::npos, report.err.find("WARNING")) << report.err;
    const btCompoundShape* const compound =
        dynamic_cast<const btCompoundShape*>(model->getCollisionShape());
    ASSERT_NE(nullptr, compound);
    ASSERT_EQ(2, compound->getNumChildShapes());

    const btBoxShape* const box = dynamic_cast<const btBoxShape*>(compound->getChildShape(0));
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(vectorsNear(glm::vec3(2, 4, 6), fromBullet(box->getHalfExtentsWithMargin())));
    EXPECT_TRUE(
        vectorsNear(glm::vec3(0, 1, 0), fromBullet(compound->getChildTransform(0).getOrigin())));

    const btSphereShape* const sphere =
        dynamic_cast<const btSphereShape*>(compound->getChildShape(1));
    ASSERT_NE(nullptr, sphere);
    EXPECT_FLOAT_EQ(0.5f, sphere->getRadius());
    const btQuaternion turn = compound->getChildTransform(1).getRotation();
    EXPECT_NEAR(0.7071068, turn.y(), 1e-5);
    EXPECT_NEAR(0.7071068, turn.w(), 1e-5);
}

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
        EXPECT_EQ("<Physics Node for thing>", wrapper->getName());
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
    EXPECT_TRUE(crate->isActive());
    EXPECT_EQ(2.0f, crate->getMass());
    const boost::shared_ptr<Model> model = boost::dynamic_pointer_cast<Model>(onlyChild(*crate));
    ASSERT_NE(nullptr, model);
    EXPECT_EQ("crate", model->getName());
    EXPECT_EQ(model->getCollisionShape(), crate->getBody()->getCollisionShape());

    // It lands on the floor rather than falling through it.
    steps(120);
    EXPECT_NEAR(0.5f + cubeExtents().y, crate->getWorldTransform().translation.y, 0.05f);
}

TEST_F(UberLoaderModelTest, AnimationEntriesCountOnlyForAnimatedModels) {
    const std::string animations =
        "animation = ( (\"turn\", 2, 5, 10), (\"walk\"), (\"turn\", 3.7, 6, 12) )";
    const boost::shared_ptr<Model> still =
        boost::dynamic_pointer_cast<Model>(thing("Model { " + animations + " }"));
    ASSERT_NE(nullptr, still);
    EXPECT_EQ("", still->getCurrentAnimation());
    EXPECT_THROW(still->setAnimation("walk"), std::out_of_range);
    // A model that never steps shows its one frame from the vertex buffer alone.
    EXPECT_EQ(nullptr, still->getData().vertices.get());
    EXPECT_EQ(unsigned(still->getData().verticesPerFrame),
              still->getVertexBuffer()->getVertexCount());

    const boost::shared_ptr<Model> moving = boost::dynamic_pointer_cast<Model>(
        thing("Model { animated = true; transparency = true; " + animations + " }"));
    ASSERT_NE(nullptr, moving);
    EXPECT_TRUE(moving->isTransparent());
    // The later "turn" replaced the first.
    EXPECT_EQ("turn", moving->getCurrentAnimation());
    EXPECT_EQ(3, moving->getCurrentFrame());
    EXPECT_EQ(4, moving->getNextFrame());
    EXPECT_NE(nullptr, moving->getData().vertices.get());
    // A name alone plays frame 1 only.
    moving->setAnimation("walk");
    EXPECT_EQ(1, moving->getCurrentFrame());
    EXPECT_EQ(1, moving->getNextFrame());
}

// One copy of a file's key frames serves a level's models and the same
// level loaded again (a restart after a fall); another level and lone
// models read their own.
TEST_F(UberLoaderModelTest, AnimatedModelsOfOneFileShareKeyFramesWithinALevelAndItsRestarts) {
    const std::string turning = "animated = true; animation = ( (\"turn\", 0, 1, 10) ) }";
    ASSERT_EQ("", loadLevel("Model { name = \"a\"; " + turning + ", Model { name = \"b\"; " +
                            turning + ", Model { name = \"still\" }")
                      .failure);
    const boost::shared_ptr<Model> a = added<Model>("a");
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, a->getData().vertices.get());
    EXPECT_EQ(a->getData().vertices.get(), added<Model>("b")->getData().vertices.get());
    EXPECT_EQ(nullptr, added<Model>("still")->getData().vertices.get());

    ASSERT_EQ("", loadLevel("Model { name = \"c\"; " + turning).failure);
    EXPECT_EQ(a->getData().vertices.get(), added<Model>("c")->getData().vertices.get());
    const boost::shared_ptr<Model> lone =
        boost::dynamic_pointer_cast<Model>(thing("Model { " + turning));
    ASSERT_NE(nullptr, lone);
    EXPECT_NE(a->getData().vertices.get(), lone->getData().vertices.get());

    const long heldBefore = a->getData().vertices.use_count();
    files.writeResource("other.cfg", "scene = (Model { name = \"d\"; " + turning + ");\n");
    ASSERT_EQ("", reportOf([] { UberLoader::instance().loadLevel("other"); }).failure);
    EXPECT_NE(a->getData().vertices.get(), added<Model>("d")->getData().vertices.get());
    // The loader let the first level's copy go; only its models hold it.
    EXPECT_EQ(heldBefore - 1, a->getData().vertices.use_count());
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
    // So are the levels kept from the level fuzzer's findings, with the
    // game's prototypes as the fuzzer has them.
    fs::copy_file(gameResources / "prototypes.cfg", "resources/prototypes.cfg",
                  fs::copy_option::overwrite_if_exists);
    const fs::path regressions = gameResources.parent_path() / "tests/fuzz/level/regressions";
    for (fs::directory_iterator file(regressions), end; file != end; ++file) {
        SCOPED_TRACE(file->path());
        fs::copy_file(file->path(), "resources/level.cfg", fs::copy_option::overwrite_if_exists);
        EXPECT_NE("", reportOf([] { UberLoader::instance().loadLevel("level"); }).failure);
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
