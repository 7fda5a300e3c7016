#include <gtest/gtest.h>

#include <cstring>
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
    resources.write("data/b/only.cfg", "");
    resources.write("data/top.cfg", "");
    resources.write("data/a/top.cfg", "");
    resources.write("more/late.cfg", "");

    ResourceLoader loader("missing");
    loader.addResourceLocation("data");
    loader.addResourceLocation("more");
    EXPECT_EQ("data/a/x.cfg", loader.findFile("x.cfg"));
    EXPECT_EQ("data/top.cfg", loader.findFile("top.cfg"));
    EXPECT_EQ("data/b/only.cfg", loader.findFile("only.cfg"));
    EXPECT_EQ("more/late.cfg", loader.findFile("late.cfg"));
    EXPECT_EQ("data/a/deeper/x.cfg", loader.findFile("deeper/x.cfg"));
    EXPECT_EQ("data/a/deeper/x.cfg", loader.findFile("deeper\\x.cfg"));
    EXPECT_EQ("File y.cfg could not be found.", findFailure(loader, "y.cfg"));

    ResourceLoader slashed("data/");
    EXPECT_EQ("data/top.cfg", slashed.findFile("top.cfg"));
}

TEST(ResourceLoader, ADirectoryOfTheWantedNameStopsTheSearch) {
    const TempResources resources;
    resources.write("data/sub/models/keep", "");
    resources.write("more/models", "a file");
    ResourceLoader loader("data");
    loader.addResourceLocation("more");
    EXPECT_EQ("File data/sub/models is a directory.", findFailure(loader, "models"));
}

TEST(ResourceLoader, ReadsWholeFilesAsTheyAreStored) {
    const TempResources resources;
    resources.write("data/empty.txt", "");
    resources.write("data/lines.txt", std::string("a\r\nb\0c", 6));
    const ResourceLoader loader("data");

    const TextFile emptyText = loader.loadTextFile("empty.txt");
    EXPECT_EQ(1u, emptyText.size);
    EXPECT_EQ('\0', emptyText.data[0]);
    EXPECT_EQ(0u, loader.loadBinaryFile("empty.txt").size);

    const TextFile text = loader.loadTextFile("lines.txt");
    ASSERT_EQ(7u, text.size);
    EXPECT_EQ(0, std::memcmp("a\r\nb\0c\0", text.data.get(), 7));
    const BinaryFile binary = loader.loadBinaryFile("lines.txt");
    ASSERT_EQ(6u, binary.size);
    EXPECT_EQ('c', binary.data[5]);
    EXPECT_THROW(loader.loadBinaryFile("gone.txt"), IOException);
}
