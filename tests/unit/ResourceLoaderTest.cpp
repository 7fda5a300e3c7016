#include <gtest/gtest.h>

#include <string>

#include "ConfigFixture.h"
#include "lum/resource/ResourceLoader.h"
#include "lum/util/Exception.h"

using namespace lum;
using lum::test::TempResources;

namespace {

std::string findFailure(const ResourceLoader& loader, const std::string& name) {
    return test::failureOf<IOException>([&] { loader.findFile(name); });
}

}  // namespace

TEST(ResourceLoader, SearchesDepthFirstWithDirectFilesAndEarlierNamesFirst) {
    const TempResources resources;
    resources.write("data/b/x.cfg", "");
    resources.write("data/a/deeper/x.cfg", "");
    resources.write("data/a/x.cfg", "");
    resources.write("data/top.cfg", "");
    resources.write("data/a/top.cfg", "");
    resources.write("more/late.cfg", "");

    ResourceLoader loader("missing");
    loader.addResourceLocation("data");
    loader.addResourceLocation("more");
    EXPECT_EQ("data/a/x.cfg", loader.findFile("x.cfg"));
    EXPECT_EQ("data/top.cfg", loader.findFile("top.cfg"));
    EXPECT_EQ("more/late.cfg", loader.findFile("late.cfg"));
    EXPECT_EQ("data/a/deeper/x.cfg", loader.findFile("deeper\\x.cfg"));
    EXPECT_EQ("File y.cfg could not be found.", findFailure(loader, "y.cfg"));

    ResourceLoader slashed("data/");
    EXPECT_EQ("data/top.cfg", slashed.findFile("top.cfg"));
}
