#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "ConfigFixture.h"
#include "flow/LevelRun.h"
#include "lum/PlayerOptions.h"
#include "lum/character/Corn.h"
#include "lum/scene/Node.h"
#include "records/Records.h"
#include "records/UserSettings.h"

using namespace lum;
using lum::test::contentOf;
using lum::test::TempDir;
namespace fs = boost::filesystem;

namespace {

// The files the directory holds, by name.
std::vector<std::string> namesIn(const fs::path& directory) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The files the game keeps for the player, each read and written anew as
// the game does: the records at a finished run, the options at a change.
// Each answers false when the game could not go on.
struct KeptFile {
    const char* what;
    const char* fileName;
    bool (*readAndWrite)(const fs::path& directory);
};

const KeptFile keptFiles[] = {
    {"records", Records::fileName,
     [](const fs::path& directory) {
         Records records(directory);
         return records.enter("level1", 5, 0).kept && records.enter("level2", 5, 0).kept;
     }},
    {"options", UserSettings::fileName,
     [](const fs::path& directory) {
         PlayerOptions settings;
         UserSettings kept(directory);
         kept.readInto(settings);
         settings.musicVolume = 40;
         kept.save(settings);
         return true;
     }},
};

}  // namespace

TEST(Records, AFinishIsHeldAgainstTheBestReadBackNextTimeAndWrittenReadablyByHand) {
    const TempDir place;
    const fs::path directory = place.path / "deeper" / "glimmet";
    {
        Records records(directory);
        EXPECT_TRUE(records.enter("level1", 83.45, 2).kept);
        EXPECT_TRUE(records.enter("level1", 90.0, 3).newCorn);
    }

    Records again(directory);
    LevelBest best{};
    again.enter("level1", 70.2, 1);
    ASSERT_TRUE(again.bestOf("level1", best));
    EXPECT_DOUBLE_EQ(70.2, best.time);
    EXPECT_EQ(3, best.corn) << "the most corn stays even when the fastest run found less";

    again.enter("level2", 61.25, 3);
    const std::string text = contentOf(directory / Records::fileName);
    EXPECT_NE(std::string::npos, text.find("level2 = { time = 61.250; corn = 3 };")) << text;
}

TEST(KeptFiles, ADamagedFileIsToldOnceAndSetAsideNeverLost) {
    const std::vector<std::pair<const KeptFile*, const char*>> cases = {
        {&keptFiles[0], "level1 = { time = 5.0; corn = 1 "},         // unclosed: a syntax error
        {&keptFiles[1], "level1 = 1; level1 = 2;"},                  // duplicate key: fatal as well
        {&keptFiles[0], "level1 = { time = \"fast\"; corn = 1 };"},  // wrong kinds
    };
    for (const auto& each : cases) {
        const KeptFile& kept = *each.first;
        SCOPED_TRACE(std::string(kept.what) + ": " + each.second);
        TempDir here;
        const std::string file = kept.fileName;
        here.write(file, each.second);
        here.write(file + ".damaged", "an earlier one");
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(kept.readAndWrite(here.path)) << "the file starts afresh";
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(std::string::npos, told.find(file + ".damaged-2")) << told;
        EXPECT_EQ(each.second, contentOf(here.path / (file + ".damaged-2")));
        EXPECT_EQ("an earlier one", contentOf(here.path / (file + ".damaged")));

        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(kept.readAndWrite(here.path));
        EXPECT_EQ("", ::testing::internal::GetCapturedStderr()) << "the new file reads back";
    }
}

// A file where the player's directory would be: the write fails, which is
// told once, and the game goes on.
TEST(KeptFiles, APlaceThatCannotBeWrittenIsToldOnceAndTheGameGoesOn) {
    for (const KeptFile& kept : keptFiles) {
        SCOPED_TRACE(kept.what);
        TempDir here;
        here.write("glimmet", "a file where the directory would be");
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(kept.readAndWrite(here.path / "glimmet")) << "the game went on";
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(1, std::count(told.begin(), told.end(), '\n')) << told;
        EXPECT_NE(std::string::npos, told.find("cannot be written")) << told;
    }
}

// Each kill comes a little later than the one before, from before the first
// write to deep in the writing. The records start with many levels, which
// make each write take several system calls; each write keeps a run one
// millisecond faster with one more corn, so that whole records always hold
// time + corn / 1000 = 1000.
TEST(KeptFiles, AGameKilledWhileWritingLeavesTheOldOrTheNewFileNeverPart) {
    TempDir place;
    std::string before;
    for (int level = 0; level < 100; ++level) {
        before += "before" + std::to_string(level) + " = { time = 1.5; corn = 2 };\n";
    }
    place.write(Records::fileName, before);
    for (int kill = 0; kill < 40; ++kill) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            Records records(place.path);
            LevelBest best{1000, 0};
            records.bestOf("level1", best);
            for (int corn = best.corn + 1;; ++corn) {
                records.enter("level1", 1000 - corn / 1000.0, corn);
            }
        }
        ::usleep(static_cast<useconds_t>(200 + kill * 97 % 4000));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);

        ::testing::internal::CaptureStderr();
        const Records records(place.path);
        LevelBest best{};
        const bool whole = records.bestOf("before99", best) &&
                           (!records.bestOf("level1", best) ||
                            std::abs(1000.0 - best.time - best.corn / 1000.0) < 1e-6);
        EXPECT_EQ("", ::testing::internal::GetCapturedStderr()) << "after kill " << kill;
        EXPECT_TRUE(whole) << "after kill " << kill;
    }
    keptFiles[0].readAndWrite(place.path);
    EXPECT_EQ(std::vector<std::string>{Records::fileName}, namesIn(place.path))
        << "the next write took away what the killed writers left";
}

TEST(ResultLines, TellTheTimeAndCornAgainstTheBest) {
    const boost::shared_ptr<Node> root = Node::make("root", boost::weak_ptr<Node>());
    Corn::make("cornA", root);
    Corn::make("cornB", root);
    LevelRun run;
    run.begin(*root);
    run.advance(83.45);

    Comparison slower;
    slower.kept = slower.hadBest = true;
    slower.previous = {70.25, 1};
    EXPECT_EQ((std::vector<std::string>{"time 1:23.4 - best 1:10.2", "corn 0/2 - most 1/2"}),
              resultLines(run, slower));
}
