#include <gtest/gtest.h>

#include <algorithm>
#include <boost/pointer_cast.hpp>
#include <iterator>
#include <string>
#include <vector>

#include "SceneFiles.h"
#include "VectorExpect.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Light.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"

using namespace lum;

namespace {

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

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
        "  children = ( Light { name = \"lamp\"; transform = { translation = (1, 2, 3) } },"
        "    Node { }, Node { }, Light { } ) },"
        "\"room\","
        "Light { }");
    ASSERT_EQ("", report.failure);
    ASSERT_EQ(before + 3, root->getChildCount());
    EXPECT_EQ("first", added<Node>(0)->getName());
    EXPECT_EQ("room", added<Node>(1)->getName());
    EXPECT_EQ("<unnamed light 2>", added<Light>(2)->getName());
    // Nodes take one placeholder; lights are numbered by their place among siblings.
    EXPECT_EQ("<unnamed node>", added<Node>(0)->getChild(2)->getName());
    EXPECT_EQ("<unnamed light 3>", added<Node>(0)->getChild(3)->getName());
    // The nodes are placed by the level's update, the light when it is loaded.
    EXPECT_TRUE(vectorsNear(glm::vec3(2.0f), added<Node>(1)->getWorldTransform().scale));
    EXPECT_TRUE(vectorsNear(glm::vec3(11, 2, 3),
                            added<Node>(0)->getChild("lamp")->getWorldTransform().translation));
}

TEST_F(UberLoaderTest, KindsIgnoreLetterCaseAndAnUnknownKindIsLoadedByItsKeys) {
    const LoadReport report = loadLevel(
        "{ type = \"NODE\" },"
        "{ type = \"light\"; name = \"plain\" },"
        "{ type = \"Lamp\"; color = { diffuse = (0.5, 0.5, 0.5, 1) };"
        "  attenuation = { linear = 0.25; quadratic = \"much\" } }");
    ASSERT_EQ("", report.failure);
    // The configuration loader warns first; the scene loader still tries.
    EXPECT_EQ(
        "ConfigLoader : WARNING: level.cfg:1: unknown kind of scene object Lamp; known kinds: "
        "Node, Model, Light, Physics, RedCube, GreenCube, BlueCube, ToyMouse, ToyRobot, Corn, "
        "Door\n"
        "UberLoader : ERROR: Config for scene object has unknown type Lamp. "
        "Trying to load it anyway!\n",
        report.err);
    EXPECT_NE(nullptr, added<Node>(0));
    EXPECT_NE(nullptr, added<Light>(1));
    const boost::shared_ptr<Light> lamp = added<Light>(2);
    ASSERT_NE(nullptr, lamp);
    EXPECT_EQ(glm::vec4(1.0f), lamp->getAmbient());
    EXPECT_EQ(glm::vec4(0.5f, 0.5f, 0.5f, 1.0f), lamp->getDiffuse());
    EXPECT_EQ(glm::vec4(0.1f), lamp->getSpecular());
    EXPECT_EQ(1.0f, lamp->getConstantAttenuation());
    EXPECT_EQ(0.25f, lamp->getLinearAttenuation());
    EXPECT_EQ(0.0f, lamp->getQuadraticAttenuation());
}

TEST_F(UberLoaderTest, ABadDescriptionEndsTheLoadNamingItsFileAndNothingReachesTheScene) {
    files.writeResource("empty.cfg", "// nothing yet\n");
    const struct {
        std::string objects;
        std::string failure;
        std::vector<std::string> files;  // named on the console, innermost first
        std::string where;               // the innermost object description that failed
    } cases[] = {
        {"Light { }, 42", "Cannot load scene object, config is invalid.Integer", {"level"}, ""},
        {"Node { children = (\n Light { }, 2.5 ) }",
         "Cannot load scene object, config is invalid.Double",
         {"level"},
         "level.cfg:1: the Node written here"},
        {"Light { },\n\n { type = \"Thing\"; size = 3 }",
         "Trying to load scene object with unknown type Thing failed.",
         {"level"},
         "level.cfg:3: the Thing written here"},
        {"Light { }, \"empty\"",
         "Cannot load scene object, config is invalid.Invalid setting",
         {"empty", "level"},
         ""},
        {"Light { }, \"missing\"",
         "File missing.cfg could not be found.",
         {"missing", "level"},
         ""},
    };
    const std::size_t lights = Scene::global().getLights().size();
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.objects);
        const LoadReport report = loadLevel(bad.objects);
        EXPECT_EQ(bad.failure, report.failure);
        std::string named;
        for (const std::string& file : bad.files) {
            named += "UberLoader : ERROR: Could not build the objects of config file \"" + file +
                     "\".\n";
        }
        EXPECT_NE(std::string::npos, report.err.find(named)) << report.err;
        EXPECT_EQ(bad.where.empty() ? 0 : 1, countOf(report.err, " written here ")) << report.err;
        EXPECT_NE(std::string::npos, report.err.find("UberLoader : ERROR: " + bad.where))
            << report.err;
        EXPECT_EQ(before, root->getChildCount());
        EXPECT_EQ(lights, Scene::global().getLights().size());
    }

    // The trace leads through each object that was being loaded.
    const std::vector<std::string> trace =
        loadLevel("Node { children = ( Light { }, 2.5 ) }").trace;
    std::vector<std::string> loaders;
    std::copy_if(trace.begin(), trace.end(), std::back_inserter(loaders), [](const std::string& f) {
        return f == "lum::UberLoader::loadLevel" || f == "lum::UberLoader::doLoadSpatialList" ||
               f == "lum::UberLoader::doLoadSpatial" || f == "lum::UberLoader::doLoadNode";
    });
    EXPECT_EQ((std::vector<std::string>{
                  "lum::UberLoader::loadLevel", "lum::UberLoader::doLoadSpatialList",
                  "lum::UberLoader::doLoadSpatial", "lum::UberLoader::doLoadNode",
                  "lum::UberLoader::doLoadSpatial"}),
              loaders);

    files.writeResource("level.cfg", "objects = ( Light { } );");
    EXPECT_EQ("Level level has no \"scene\" list.",
              reportOf([] { UberLoader::instance().loadLevel("level"); }).failure);
}
