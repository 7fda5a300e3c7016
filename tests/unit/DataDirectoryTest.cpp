#include <gtest/gtest.h>

#include <string>

#include "ConfigFixture.h"
#include "shell/DataDirectory.h"

using namespace lum;
using lum::test::TempDir;
namespace fs = boost::filesystem;

namespace {

// Six places below one temporary directory; `withData` gives a place the
// game's data.
class DataPlaces : public ::testing::Test {
protected:
    DataPlaces() {
        sources.workingDirectory = place("work");
        sources.installed = {place("prefix/share/glimmet"), place("usr/share/glimmet")};
        sources.programDirectory = place("build/bin");
    }

    fs::path place(const std::string& name) const {
        fs::create_directories(root.path / name);
        return root.path / name;
    }
    fs::path withData(const std::string& name) const {
        root.write(name + "/resources/settings.cfg", "");
        return root.path / name;
    }
    std::string failure() const {
        try {
            DataDirectory::find(sources);
        } catch (const DataNotFound& e) {
            EXPECT_EQ(std::string::npos, e.getMessage().find('\n'));
            return e.getMessage();
        }
        ADD_FAILURE() << "data found";
        return "";
    }

    TempDir root;
    DataSources sources;
};

}  // namespace

TEST_F(DataPlaces, EachSourceWinsOverTheLaterOnes) {
    // Filled from the last source to the first: each new one takes over.
    for (const char* name :
         {"build", "build/bin", "usr/share/glimmet", "prefix/share/glimmet", "work"}) {
        withData(name);
        EXPECT_EQ(root.path / name, DataDirectory::find(sources));
    }
    sources.environment = withData("environment").string();
    EXPECT_EQ(root.path / "environment", DataDirectory::find(sources));
    sources.option = withData("option").string();
    EXPECT_EQ(root.path / "option", DataDirectory::find(sources));
}

TEST_F(DataPlaces, RelativeDirectoriesAndTheResourcesDirectoryItselfAreTaken) {
    withData("work/mine");
    sources.option = "mine";
    EXPECT_EQ(root.path / "work/mine", DataDirectory::find(sources));
    sources.option = "mine/resources";
    EXPECT_EQ(root.path / "work/mine", DataDirectory::find(sources));
    sources.option.clear();
    sources.environment = "./mine/resources/";
    EXPECT_EQ(root.path / "work/mine", DataDirectory::find(sources));
}

TEST_F(DataPlaces, ADirectoryNamedByThePlayerMustHoldTheData) {
    withData("work");
    sources.option = (root.path / "empty").string();
    EXPECT_NE(std::string::npos,
              failure().find((root.path / "empty").string() + " (given with --data)"));
    sources.option.clear();
    sources.environment = "nowhere";
    EXPECT_NE(std::string::npos,
              failure().find((root.path / "work/nowhere").string() + " (given in GLIMMET_DATA)"));
}

TEST_F(DataPlaces, NothingFoundNamesEveryPlaceTriedAndHowToPointAtTheData) {
    // An empty resources/ is somebody else's directory, not the game's data.
    place("work/resources");
    const std::string message = failure();
    for (const char* tried : {"work (current directory)", "prefix/share/glimmet (installed game)",
                              "usr/share/glimmet (installed game)", "build/bin (program directory)",
                              "build (build tree)", "--data DIR", "GLIMMET_DATA"}) {
        EXPECT_NE(std::string::npos, message.find(tried)) << tried << " in " << message;
    }
}

TEST_F(DataPlaces, APlaceReachedTwiceIsNamedOnce) {
    sources.installed = {sources.programDirectory / "../share/glimmet",
                         root.path / "build/share/glimmet/"};
    const std::string message = failure();
    const std::string installed = (root.path / "build/share/glimmet").string();
    EXPECT_EQ(message.find(installed), message.rfind(installed)) << message;
}

TEST_F(DataPlaces, EnteringMakesTheDataDirectoryTheWorkingDirectory) {
    const fs::path before = fs::current_path();
    sources.option = withData("option").string();
    DataDirectory::enter(sources);
    const fs::path entered = fs::current_path();
    fs::current_path(before);
    EXPECT_TRUE(fs::equivalent(root.path / "option", entered));
}
