#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>

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

const int cannotMount = 77;

// Runs `work` in a child process with its standard error going to `told`
// and returns the child's exit status (its work's result, or cannotMount).
template <class Work>
int inChild(const fs::path& told, Work work) {
    const pid_t child = ::fork();
    if (child == 0) {
        const int file = ::open(told.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(file, STDERR_FILENO);
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Mounts a tmpfs in a mount namespace of this process's own.
void mountTmpfs(const fs::path& at, unsigned long flags, const char* options) {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", at.c_str(), "tmpfs", flags, options) != 0) {
        ::_exit(cannotMount);
    }
}

void fillUp(const fs::path& file) {
    std::ofstream out(file.string(), std::ios::binary);
    const std::string page(512, 'x');
    while (out.write(page.data(), page.size()).flush()) {
    }
}

// The files the game keeps for the player, each read and written anew as
// the game does: the records at a finished run, the options at a change.
struct KeptFile {
    const char* what;
    const char* fileName;
    // False when the game could not go on.
    bool (*readAndWrite)(const fs::path& directory);
    // Writes on and on, each file whole only when it reads back consistent.
    void (*writeForever)(const fs::path& directory);
    // The file reads back consistent: one whole write, never parts of two.
    bool (*readsWhole)(const fs::path& directory);
};

// Each records write keeps a run one millisecond faster with one more corn:
// whole records always hold time + corn / 1000 = 1000. Each options write
// moves a per cent from the effects' volume to the music's.
const KeptFile keptFiles[] = {
    {"records", Records::fileName,
     [](const fs::path& directory) {
         Records records(directory);
         return records.enter("level1", 5, 0).kept && records.enter("level2", 5, 0).kept;
     },
     [](const fs::path& directory) {
         Records records(directory);
         LevelBest best{1000, 0};
         records.bestOf("level1", best);
         for (int corn = best.corn + 1;; ++corn) {
             records.enter("level1", 1000 - corn / 1000.0, corn);
         }
     },
     [](const fs::path& directory) {
         const Records records(directory);
         LevelBest best{};
         return records.bestOf("before99", best) &&
                (!records.bestOf("level1", best) ||
                 std::abs(1000.0 - best.time - best.corn / 1000.0) < 1e-6);
     }},
    {"options", UserSettings::fileName,
     [](const fs::path& directory) {
         PlayerOptions settings;
         UserSettings kept(directory);
         kept.readInto(settings);
         settings.musicVolume = 40;
         kept.save(settings);
         settings.effectsVolume = 30;
         kept.save(settings);
         return true;
     },
     [](const fs::path& directory) {
         PlayerOptions settings;
         UserSettings kept(directory);
         for (int step = 0;; ++step) {
             settings.musicVolume = step % 101;
             settings.effectsVolume = 100 - settings.musicVolume;
             kept.save(settings);
         }
     },
     [](const fs::path& directory) {
         PlayerOptions settings;
         settings.musicVolume = settings.effectsVolume = 0;
         UserSettings(directory).readInto(settings);
         return settings.musicVolume + settings.effectsVolume == 100;
     }},
};

}  // namespace

TEST(KeptFiles, LiveInTheXdgDirectoryOrElseUnderTheHome) {
    const struct {
        fs::path (*directory)(const char* xdgValue, const char* home);
        const char* underHome;
    } kinds[] = {
        {&Records::userDirectory, "/home/a/.local/share/glimmet"},
        {&UserSettings::userDirectory, "/home/a/.config/glimmet"},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.underHome);
        EXPECT_EQ(fs::path("/data/glimmet"), kind.directory("/data", "/home/a"));
        EXPECT_EQ(fs::path(kind.underHome), kind.directory(nullptr, "/home/a"));
        EXPECT_EQ(fs::path(kind.underHome), kind.directory("", "/home/a"));
        EXPECT_EQ(fs::path(kind.underHome), kind.directory("rel", "/home/a"))
            << "a relative XDG directory does not count";
        EXPECT_EQ(fs::path(), kind.directory(nullptr, nullptr));
        EXPECT_EQ(fs::path(), kind.directory(nullptr, ""));
    }
}

TEST(Records, AFinishIsHeldAgainstTheBestReadBackNextTimeAndWrittenReadablyByHand) {
    const TempDir place;
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

    again.enter("level2", 61.25, 3);
    const std::string text = contentOf(directory / Records::fileName);
    EXPECT_NE(std::string::npos, text.find("level2 = { time = 61.250; corn = 3 };")) << text;
    EXPECT_FALSE(again.enter("", 1, 0).kept) << "a name the language cannot hold is not kept";

    Records none{fs::path()};
    EXPECT_FALSE(none.isKept()) << "without a place nothing is kept nor written";
    EXPECT_FALSE(none.enter("level1", 10, 1).kept);
}

TEST(KeptFiles, ADamagedFileIsToldOnceAndSetAsideNeverLost) {
    const char* const damagedEither[] = {
        "level1 = { time = 5.0; corn = 1 ",    // unclosed: a syntax error
        "level1 = { time = 5.0; corn = $ };",  // stray character: fatal to the language
        "level1 = 1; level1 = 2;",             // duplicate key: fatal as well
    };
    const char* const damagedRecords[] = {
        "level1 = { time = \"fast\"; corn = 1 };",       // wrong kinds
        "level1 = { time = 5.0; corn = 99999999999 };",  // too large a number
    };
    std::vector<std::pair<const KeptFile*, const char*>> cases;
    for (const KeptFile& kept : keptFiles) {
        for (const char* const text : damagedEither) {
            cases.emplace_back(&kept, text);
        }
    }
    for (const char* const text : damagedRecords) {
        cases.emplace_back(&keptFiles[0], text);
    }
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
        EXPECT_EQ(1, std::count(told.begin(), told.end(), '\n')) << told;
        EXPECT_EQ(each.second, contentOf(here.path / (file + ".damaged-2")));
        EXPECT_EQ("an earlier one", contentOf(here.path / (file + ".damaged")));

        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(kept.readAndWrite(here.path));
        EXPECT_EQ("", ::testing::internal::GetCapturedStderr()) << "the new file reads back";
    }
}

// Where the player's files cannot be written, each in a child process: a tiny
// tmpfs filled to the last byte, a read-only one (both mounted where only
// the child sees them), a file where the directory would be.
TEST(KeptFiles, APlaceThatCannotBeWrittenIsToldOnceAndTheGameGoesOn) {
    const struct {
        const char* place;
        const char* reason;
        void (*prepare)(const fs::path& home);
    } places[] = {
        {"a full disk", "No space left on device",
         [](const fs::path& home) {
             mountTmpfs(home, 0, "size=4k");
             fs::create_directories(home / "glimmet");
             fillUp(home / "filler");
         }},
        {"a read-only home", "Read-only file system",
         [](const fs::path& home) { mountTmpfs(home, MS_RDONLY, "size=4k"); }},
        {"a file in the way", "glimmet",
         [](const fs::path& home) {
             std::ofstream((home / "glimmet").string()) << "a file where the directory would be";
         }},
    };
    std::string unmounted;
    for (const KeptFile& kept : keptFiles) {
        for (const auto& each : places) {
            SCOPED_TRACE(std::string(kept.what) + " in " + each.place);
            TempDir here;
            const fs::path home = here.path / "home";
            fs::create_directories(home);
            const int status = inChild(here.path / "told.txt", [&] {
                each.prepare(home);
                return kept.readAndWrite(home / "glimmet") ? 0 : 1;
            });
            if (status == cannotMount) {
                unmounted += std::string(" ") + kept.what + " in " + each.place;
                continue;
            }
            EXPECT_EQ(0, status) << "the game went on";
            const std::string told = contentOf(here.path / "told.txt");
            EXPECT_EQ(1, std::count(told.begin(), told.end(), '\n')) << told;
            EXPECT_NE(std::string::npos, told.find("cannot be written")) << told;
            EXPECT_NE(std::string::npos, told.find(each.reason)) << told;
        }
    }
    if (!unmounted.empty()) {
        GTEST_SKIP() << "no mount namespace of our own here for" << unmounted;
    }
}

// Each kill comes a little later than the one before, from before the first
// write to deep in the writing. The records start with many levels, which
// make each write take several system calls.
TEST(KeptFiles, AGameKilledWhileWritingLeavesTheOldOrTheNewFileNeverPart) {
    const int kills = 40;
    const int levelsBefore = 100;
    std::string before;
    for (int level = 0; level < levelsBefore; ++level) {
        before += "before" + std::to_string(level) + " = { time = 1.5; corn = 2 };\n";
    }
    for (const KeptFile& kept : keptFiles) {
        SCOPED_TRACE(kept.what);
        TempDir place;
        if (&kept == &keptFiles[0]) {
            place.write(kept.fileName, before);
        }
        for (int kill = 0; kill < kills; ++kill) {
            const pid_t writer = ::fork();
            if (writer == 0) {
                kept.writeForever(place.path);
            }
            ::usleep(static_cast<useconds_t>(200 + kill * 97 % 4000));
            ::kill(writer, SIGKILL);
            ::waitpid(writer, nullptr, 0);

            ::testing::internal::CaptureStderr();
            const bool whole =
                !fs::exists(place.path / kept.fileName) || kept.readsWhole(place.path);
            EXPECT_EQ("", ::testing::internal::GetCapturedStderr()) << "after kill " << kill;
            EXPECT_TRUE(whole) << "after kill " << kill;
        }
        kept.readAndWrite(place.path);
        EXPECT_EQ(std::vector<std::string>{kept.fileName}, namesIn(place.path))
            << "the next write took away what the killed writers left";
    }
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
