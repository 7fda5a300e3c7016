#include <gtest/gtest.h>

#include <boost/pointer_cast.hpp>
#include <string>

#include "SceneFiles.h"
#include "VectorExpect.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Light.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"

using namespace lum;

namespace {

// Levels of nodes and lights only: everything that needs no OpenGL context.
class UberLoaderTest : public ::testing::Test {
protected:
    void TearDown() override { root->removeAllChildren(); }

    LoadReport loadLevel(const std::string& objects) const {
        files.writeLevel(objects);
        return reportOf([] { UberLoader::instance().loadLevel("level"); });
    }

    // The scene root's child at `index` among those the test added.
    template <class T>
    boost::shared_ptr<T> added(int index) const {
        return boost::dynamic_pointer_cast<T>(root->getChild(before + index));
    }

    const SceneFiles files;
    const boost::shared_ptr<Node> root = Scene::global().getRoot();
    const int before = root->getChildCount();
};

}  // namespace

TEST_F(UberLoaderTest, ALevelsObjectsJoinTheSceneInOrderPlacedAndNamedAfterTheirFilesOrTheirPlace) {
    files.writeResource("objects/room.cfg", "Node { transform = { scale = (2, 2, 2) } }");
    const LoadReport report = loadLevel(
        "Node { name = \"first\"; transform = { translation = (10, 0, 0) };"
        "  children = ( Light { name = \"lamp\"; transform = { translation = (1, 2, 3) } } ) },"
        "\"room\","
        "Light { }");
    ASSERT_EQ("", report.failure);
    ASSERT_EQ(before + 3, root->getChildCount());
    EXPECT_EQ("first", added<Node>(0)->getName());
    EXPECT_EQ("room", added<Node>(1)->getName());
    // Lights are numbered by their place among siblings.
    EXPECT_EQ("<unnamed light 2>", added<Light>(2)->getName());
    // The nodes are placed by the level's update, the light when it is loaded.
    EXPECT_TRUE(vectorsNear(glm::vec3(2.0f), added<Node>(1)->getWorldTransform().scale));
    EXPECT_TRUE(vectorsNear(glm::vec3(11, 2, 3),
                            added<Node>(0)->getChild("lamp")->getWorldTransform().translation));
}

TEST_F(UberLoaderTest, KindsIgnoreLetterCaseAndAnUnknownKindIsLoadedByItsKeys) {
    const LoadReport report = loadLevel(
        "{ type = \"NODE\" },"
        "{ type = \"light\"; name = \"plain\" },"
        "{ type = \"Lamp\"; color = { diffuse = (0.5, 0.5, 0.5, 1) } }");
    ASSERT_EQ("", report.failure);
    // The configuration loader warns, naming file and line; the scene loader still tries.
    EXPECT_EQ(0u, report.err.find("ConfigLoader : WARNING: level.cfg:1: unknown kind of scene "
                                  "object Lamp; known kinds: Node, Model, Light,"))
        << report.err;
    EXPECT_NE(nullptr, added<Node>(0));
    EXPECT_NE(nullptr, added<Light>(1));
    EXPECT_EQ(glm::vec4(0.5f, 0.5f, 0.5f, 1.0f), added<Light>(2)->getDiffuse());
}

TEST_F(UberLoaderTest, ABadDescriptionEndsTheLoadNamingItsFileAndNothingReachesTheScene) {
    const struct {
        std::string objects;
        std::string failure;
        std::string where;  // the innermost object description that failed
    } cases[] = {
        {"Light { }, 42", "Cannot load scene object, config is invalid.Integer", ""},
        {"Light { },\n\n { type = \"Thing\"; size = 3 }",
         "Trying to load scene object with unknown type Thing failed.",
         "level.cfg:3: the Thing written here"},
    };
    const std::size_t lights = Scene::global().getLights().size();
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.objects);
        const LoadReport report = loadLevel(bad.objects);
        EXPECT_EQ(bad.failure, report.failure);
        EXPECT_NE(std::string::npos,
                  report.err.find("UberLoader : ERROR: Could not build the objects of config "
                                  "file \"level\".\n"))
            << report.err;
        EXPECT_NE(std::string::npos, report.err.find("UberLoader : ERROR: " + bad.where))
            << report.err;
        EXPECT_EQ(before, root->getChildCount());
        EXPECT_EQ(lights, Scene::global().getLights().size());
    }

    files.writeResource("level.cfg", "objects = ( Light { } );");
    EXPECT_EQ("Level level has no \"scene\" list.",
              reportOf([] { UberLoader::instance().loadLevel("level"); }).failure);
}
