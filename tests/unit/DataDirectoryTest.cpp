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
    // Relative to the working directory, and the resources directory itself.
    withData("work/mine");
    sources.option = "mine/resources";
    EXPECT_EQ(root.path / "work/mine", DataDirectory::find(sources));
}

TEST_F(DataPlaces, NothingFoundNamesEveryPlaceTriedAndHowToPointAtTheData) {
    // An empty resources/ is somebody else's directory, not the game's data.
    place("work/resources");
    const std::string message =
        test::failureOf<DataNotFound>([this] { DataDirectory::find(sources); });
    EXPECT_EQ(std::string::npos, message.find('\n'));
    for (const char* tried : {"work (current directory)", "usr/share/glimmet (installed game)",
                              "build (build tree)", "--data DIR", "GLIMMET_DATA"}) {
        EXPECT_NE(std::string::npos, message.find(tried)) << tried << " in " << message;
    }
}
