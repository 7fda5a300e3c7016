#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "ConfigFixture.h"
#include "flow/LevelRun.h"
#include "lum/character/Corn.h"
#include "lum/scene/Node.h"
#include "records/Records.h"

using namespace lum;
using lum::test::TempDir;
namespace fs = boost::filesystem;

namespace {

std::string contentOf(const fs::path& file) {
    std::ifstream in(file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The files the directory holds, by name.
std::vector<std::string> namesIn(const fs::path& directory) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class RecordsTest : public ::testing::Test {
protected:
    fs::path file() const { return place.path / Records::fileName; }

    TempDir place;
};

}  // namespace

TEST(RecordsPlace, IsTheXdgDataHomeOrElseTheHomesLocalShare) {
    EXPECT_EQ(fs::path("/data/glimmet"), Records::userDirectory("/data", "/home/a"));
    EXPECT_EQ(fs::path("/home/a/.local/share/glimmet"), Records::userDirectory(nullptr, "/home/a"));
    EXPECT_EQ(fs::path("/home/a/.local/share/glimmet"), Records::userDirectory("", "/home/a"));
    EXPECT_EQ(fs::path("/home/a/.local/share/glimmet"), Records::userDirectory("rel", "/home/a"))
        << "a relative XDG_DATA_HOME does not count";
    EXPECT_EQ(fs::path(), Records::userDirectory(nullptr, nullptr));
    EXPECT_EQ(fs::path(), Records::userDirectory(nullptr, ""));
}

TEST_F(RecordsTest, AFinishIsHeldAgainstTheBestAndTheBestIsReadBackNextTime) {
    const fs::path directory = place.path / "deeper" / "glimmet";
    {
        Records records(directory);
        EXPECT_FALSE(fs::exists(directory)) << "reading creates nothing";
        const Comparison first = records.enter("level1", 83.45, 2);
        EXPECT_TRUE(first.kept);
        EXPECT_FALSE(first.hadBest);
        EXPECT_TRUE(first.newTime);
        EXPECT_TRUE(first.newCorn);
        const Comparison slower = records.enter("level1", 90.0, 3);
        EXPECT_TRUE(slower.hadBest);
        EXPECT_FALSE(slower.newTime);
        EXPECT_TRUE(slower.newCorn);
        EXPECT_DOUBLE_EQ(83.45, slower.previous.time);
        EXPECT_EQ(2, slower.previous.corn);
    }
    EXPECT_EQ(std::vector<std::string>{Records::fileName}, namesIn(directory))
        << "no temporary file is left behind";

    Records again(directory);
    LevelBest best{};
    ASSERT_TRUE(again.bestOf("level1", best));
    EXPECT_DOUBLE_EQ(83.45, best.time);
    EXPECT_EQ(3, best.corn);
    EXPECT_FALSE(again.bestOf("level2", best));
    const Comparison faster = again.enter("level1", 70.2, 1);
    EXPECT_TRUE(faster.newTime);
    EXPECT_FALSE(faster.newCorn);
    ASSERT_TRUE(again.bestOf("level1", best));
    EXPECT_DOUBLE_EQ(70.2, best.time);
    EXPECT_EQ(3, best.corn) << "the most corn stays even when the fastest run found less";
}

TEST_F(RecordsTest, WithoutAPlaceNothingIsKeptNorWritten) {
    Records none{fs::path()};
    EXPECT_FALSE(none.isKept());
    EXPECT_FALSE(none.enter("level1", 10, 1).kept);
}

TEST_F(RecordsTest, ADamagedFileIsToldOnceAndSetAsideNeverLost) {
    const char* const damaged[] = {
        "level1 = { time = 5.0; corn = 1 ",              // unclosed: a syntax error
        "level1 = { time = 5.0; corn = $ };",            // stray character: fatal to the language
        "level1 = 1; level1 = 2;",                       // duplicate key: fatal as well
        "level1 = { time = \"fast\"; corn = 1 };",       // wrong kinds
        "level1 = { time = 5.0; corn = 99999999999 };",  // too large a number
    };
    for (const char* const text : damaged) {
        SCOPED_TRACE(text);
        TempDir here;
        here.write(Records::fileName, text);
        here.write(std::string(Records::fileName) + ".damaged", "an earlier one");
        ::testing::internal::CaptureStderr();
        Records records(here.path);
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(std::string::npos, told.find("records.cfg.damaged-2")) << told;
        EXPECT_EQ(1, std::count(told.begin(), told.end(), '\n')) << told;
        EXPECT_EQ(text, contentOf(here.path / "records.cfg.damaged-2"));
        EXPECT_EQ("an earlier one", contentOf(here.path / "records.cfg.damaged"));
        EXPECT_FALSE(fs::exists(here.path / Records::fileName));

        EXPECT_TRUE(records.enter("level2", 12.5, 0).newTime) << "the records start afresh";
        Records next(here.path);
        LevelBest best{};
        EXPECT_TRUE(next.bestOf("level2", best));
    }
}

TEST_F(RecordsTest, AFileThatCannotBeWrittenIsToldOnceAndTheGameGoesOn) {
    place.write("blocked", "a file where the directory would be");
    Records records(place.path / "blocked" / "glimmet");
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(records.enter("level1", 5, 0).kept);
    EXPECT_TRUE(records.enter("level2", 5, 0).kept);
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(1, std::count(told.begin(), told.end(), '\n')) << told;
    EXPECT_NE(std::string::npos, told.find("cannot be written")) << told;
}

TEST_F(RecordsTest, TheWrittenFileIsTheGamesOwnLanguageReadableByHand) {
    Records records(place.path);
    records.enter("level2", 61.25, 3);
    const std::string text = contentOf(file());
    EXPECT_NE(std::string::npos, text.find("level2 = { time = 61.250; corn = 3 };")) << text;
    EXPECT_TRUE(records.enter("", 1, 0).kept == false)
        << "a name the language cannot hold is not kept";
}

TEST(ResultLines, TellTheTimeAndCornAgainstTheBest) {
    const boost::shared_ptr<Node> root = Node::make("root", boost::weak_ptr<Node>());
    Corn::make("cornA", root);
    Corn::make("cornB", root);
    LevelRun run;
    run.begin(*root);
    run.advance(83.45);

    EXPECT_EQ((std::vector<std::string>{"time 1:23.4", "corn 0/2"}),
              resultLines(run, Comparison()));

    Comparison slower;
    slower.kept = slower.hadBest = true;
    slower.previous = {70.25, 1};
    EXPECT_EQ((std::vector<std::string>{"time 1:23.4 - best 1:10.2", "corn 0/2 - most 1/2"}),
              resultLines(run, slower));

    Comparison first;
    first.kept = first.newTime = true;
    EXPECT_EQ((std::vector<std::string>{"time 1:23.4 - new best!", "corn 0/2"}),
              resultLines(run, first));
}
