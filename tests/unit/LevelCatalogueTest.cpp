#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "flow/LevelCatalogue.h"
#include "flow/LevelCheck.h"
#include "flow/LevelList.h"
#include "flow/LevelWatch.h"
#include "shell/StartingLevel.h"

using namespace lum;
using lum::test::TempDir;
using lum::test::TempResources;

namespace {

const char* const prototypes = "Node = { }; Light = { };";
const char* const goodLevel = "scene = ( Node { name = \"start\" } );";

// The data of a game with `shipped` levels "level1" ... below resources/levels.
void writeData(const TempResources& resources, int shipped) {
    resources.writeResource("prototypes.cfg", prototypes);
    for (int number = 1; number <= shipped; ++number) {
        resources.writeResource("levels/level" + std::to_string(number) + ".cfg", goodLevel);
    }
}

// Sets the file's modification time, so that a change within one second of
// the clock still shows.
void touch(const std::string& file, long seconds, long nanoseconds) {
    const struct timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(0, utimensat(AT_FDCWD, file.c_str(), times, 0));
}

// The first `length` characters of `text`, all of it when it is shorter.
std::string head(const std::string& text, std::size_t length) {
    return text.substr(0, length);
}

}  // namespace

// A broken level is told with the first place that says what is wrong, as the
// checker would; a fatal diagnostic does not end the process here.
TEST(LevelCheck, TellsTheFirstProblemOfALevelWithItsPlace) {
    const TempResources resources;
    writeData(resources, 0);
    resources.writeResource("levels/include.cfg", "Piece = Node { };");
    struct Case {
        const char* text;
        std::string message;
    };
    const std::vector<Case> cases{
        {goodLevel, ""},
        {"#include \"include.cfg\"\nscene = ( Piece { } );", ""},
        {"scene = (\n  Node { name = \"a\" };\n);", "resources/levels/mine.cfg:2:22: syntax error"},
        {"scene = ( Node { a = 1; a = 2 } );",
         "resources/levels/mine.cfg:1:25: key \"a\" found twice"},
        {"scene = ( Wobbly { } );", "resources/levels/mine.cfg:1:11: Prototype 'Wobbly' not found"},
        {"scene = 3;", "resources/levels/mine.cfg: the level has no \"scene\" list"},
        {"#include \"gone.cfg\"\nscene = ( );", "resources/levels/mine.cfg: File gone.cfg could"},
    };
    for (const Case& each : cases) {
        resources.writeResource("levels/mine.cfg", each.text);
        const LevelProblem problem =
            checkLevel("mine", "resources/levels/mine.cfg", LevelTrial::files);
        EXPECT_EQ(each.message.empty(), problem.empty()) << each.text;
        EXPECT_EQ(each.message, head(problem.message(), each.message.size())) << each.text;
        EXPECT_EQ(std::string::npos, problem.message().find('\n')) << each.text;
    }
}

// The game's levels come first and keep their numbers; the data's other
// level files and the player's follow in the order of their names. A broken
// one keeps its place, so the others' numbers never move when it breaks.
TEST(LevelCatalogue, NumbersTheGamesLevelsThenTheDatasAndThePlayersWithTheirProblems) {
    const TempResources resources;
    writeData(resources, 2);
    resources.writeResource("levels/level4.cfg", goodLevel);
    resources.writeResource("levels/bonus.cfg", goodLevel);
    resources.writeResource("levels/notes.txt", "not a level");
    const TempDir own;
    own.write("zigzag.cfg", goodLevel);
    own.write("broken.cfg", "scene = ( Node { } ;");
    own.write("deeper/hidden.cfg", goodLevel);

    const LevelCatalogue catalogue = LevelCatalogue::find(own.path);
    const std::vector<CataloguedLevel>& levels = catalogue.levels();
    struct Expected {
        std::string title;
        LevelOrigin origin;
        bool playable;
    };
    const std::vector<Expected> expected{
        {"level1", LevelOrigin::shipped, true}, {"level2", LevelOrigin::shipped, true},
        {"bonus", LevelOrigin::data, true},     {"level4", LevelOrigin::data, true},
        {"broken", LevelOrigin::player, false}, {"zigzag", LevelOrigin::player, true}};
    ASSERT_EQ(expected.size(), levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        EXPECT_EQ(static_cast<int>(i) + 1, levels[i].number);
        EXPECT_EQ(expected[i].title, levels[i].title);
        EXPECT_EQ(expected[i].origin, levels[i].origin) << levels[i].title;
        EXPECT_EQ(expected[i].playable, levels[i].playable()) << levels[i].title;
    }
    EXPECT_EQ("level2", catalogue.names()[1]);
    EXPECT_EQ((own.path / "zigzag").string(), catalogue.names()[5]);
    const std::string broken = (own.path / "broken.cfg").string() + ":1:20: syntax error";
    EXPECT_EQ(broken, head(levels[4].problem.message(), broken.size()));
    EXPECT_EQ(nullptr, catalogue.byNumber(0));
    EXPECT_EQ(nullptr, catalogue.byNumber(7));
    EXPECT_EQ("bonus", catalogue.byNumber(3)->title);
    EXPECT_EQ(2u, LevelCatalogue::find(own.path / "missing").levels().size() - 2);
}

// The list of levels the menus offer: the playable ones, the game's own by
// number, the others by their file's name; a player's own level in
// $XDG_DATA_HOME/glimmet/levels among them.
TEST(LevelCatalogue, TheMenusListThePlayableLevelsAndThePlayersOwnByName) {
    const TempResources resources;
    writeData(resources, 2);
    resources.writeResource("levels/bonus.cfg", "scene = 3;");
    const TempDir home;
    home.write("glimmet/levels/my own.cfg", goodLevel);
    const char* const saved = std::getenv("XDG_DATA_HOME");
    const std::string savedValue = saved != nullptr ? saved : "";
    setenv("XDG_DATA_HOME", home.path.c_str(), 1);
    const LevelCatalogue catalogue = LevelCatalogue::find(LevelCatalogue::playerDirectory());
    if (saved != nullptr) {
        setenv("XDG_DATA_HOME", savedValue.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }

    const std::vector<LevelEntry> listed = listLevels(catalogue);
    ASSERT_EQ(3u, listed.size()) << "the broken bonus level is left out";
    const std::string own = (home.path / "glimmet" / "levels" / "my own").string();
    const struct {
        int number;
        std::string file, name;
        bool shipped;
    } expected[] = {
        {1, "level1", "Level 1", true}, {2, "level2", "Level 2", true}, {4, own, "my own", false}};
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(expected[i].number, listed[i].number);
        EXPECT_EQ(expected[i].file, listed[i].file);
        EXPECT_EQ(expected[i].name, listed[i].name);
        EXPECT_EQ(expected[i].shipped, listed[i].shipped);
    }
    EXPECT_EQ(1, firstUnfinished(listed, nullptr));
}

// --level-file plays a file once: one already listed keeps its number.
TEST(LevelCatalogue, AFileNamedOnTheCommandLineIsListedOnce) {
    const TempResources resources;
    writeData(resources, 1);
    const TempDir own;
    const std::string listed = own.write("listed.cfg", goodLevel);
    const std::string elsewhere = own.write("elsewhere/new.cfg", goodLevel);
    const std::string notCfg = own.write("level.txt", goodLevel);
    LevelCatalogue catalogue = LevelCatalogue::find(own.path);
    EXPECT_EQ(2, catalogue.addFile(listed));
    EXPECT_EQ(2, catalogue.addFile(own.path / "elsewhere" / ".." / "listed.cfg"));
    EXPECT_EQ(1, catalogue.addFile("resources/levels/level1.cfg"));
    EXPECT_EQ(3, catalogue.addFile(elsewhere));
    EXPECT_TRUE(catalogue.byNumber(3)->playable());
    EXPECT_EQ(LevelOrigin::file, catalogue.byNumber(3)->origin);
    EXPECT_EQ(4, catalogue.addFile(notCfg));
    EXPECT_FALSE(catalogue.byNumber(4)->playable());
    EXPECT_EQ(5, catalogue.addFile(own.path / "gone.cfg"));
    EXPECT_NE(std::string::npos, catalogue.byNumber(5)->problem.text.find("could not be found"));
}

// The levels beyond the game's are told with their numbers, a broken one
// with its problem; a level number beyond them is a wrong command line, and a
// broken level asked for leaves the choice to the title screen.
TEST(StartingLevel, TellsTheLevelsFoundAndStartsOnlyAPlayableOne) {
    const TempResources resources;
    writeData(resources, 3);
    const TempDir own;
    own.write("mine.cfg", goodLevel);
    own.write("worse.cfg", "scene = ( Node { a = 1; a = 1 } );");
    struct Case {
        std::vector<const char*> arguments;
        int number;
    };
    const std::string worse = (own.path / "worse.cfg").string();
    const std::vector<Case> cases{{{}, 0},
                                  {{"--level", "2"}, 2},
                                  {{"--level", "4"}, 4},
                                  {{"--level", "5"}, 0},
                                  {{"--level-file", worse.c_str()}, 0},
                                  {{"--level-file", worse.c_str(), "--watch"}, 5}};
    for (const Case& each : cases) {
        std::vector<const char*> arguments = each.arguments;
        arguments.insert(arguments.begin(), "glimmet");
        const Options options =
            CommandLine().parse(static_cast<int>(arguments.size()), arguments.data());
        std::ostringstream out, err;
        const StartingLevel start = chooseStartingLevel(options, own.path, out, err);
        EXPECT_EQ(each.number, start.number) << arguments.size();
        EXPECT_EQ("glimmet: level 4: mine (" + (own.path / "mine.cfg").string() + ")\n", out.str());
        EXPECT_EQ(0u, err.str().find("glimmet: level 5 cannot be played: " + worse + ":1:25: "));
    }
    struct Refusal {
        std::vector<const char*> arguments;
        std::string message;
    };
    const std::vector<Refusal> refusals{
        {{"glimmet", "--level", "6"}, "there is no level 6: the levels found are 1 to 5"},
        {{"glimmet", "--level", "4", "--record", "r"},
         "--record takes the game's own levels, not level 4"}};
    for (const Refusal& refusal : refusals) {
        const Options options = CommandLine().parse(static_cast<int>(refusal.arguments.size()),
                                                    refusal.arguments.data());
        std::ostringstream out, err;
        try {
            chooseStartingLevel(options, own.path, out, err);
            ADD_FAILURE() << refusal.message;
        } catch (const CommandLineError& e) {
            EXPECT_EQ(refusal.message, e.getMessage());
        }
    }
}

// A change is a file written, even within the same second and at the same
// size, a file added or a file gone; nothing else.
TEST(LevelWatch, StampsChangeWithEveryWriteAdditionAndRemovalOfAFile) {
    const TempDir files;
    const std::string level = files.write("levels/mine.cfg", "a = 1");
    const std::string other = files.write("other.cfg", "b = 1");
    files.write("picture.tga", "not watched");
    touch(level, 1000, 0);
    const FileStamps before = stampsOf({files.path / "levels"}, {other});
    EXPECT_EQ(2u, before.size());
    EXPECT_TRUE(before == stampsOf({files.path / "levels"}, {other}));

    touch(level, 1000, 500);
    EXPECT_FALSE(before == stampsOf({files.path / "levels"}, {other}));
    touch(level, 1000, 0);
    files.write("levels/mine.cfg", "a = 12");
    touch(level, 1000, 0);
    EXPECT_FALSE(before == stampsOf({files.path / "levels"}, {other}));
    files.write("levels/mine.cfg", "a = 1");
    touch(level, 1000, 0);
    EXPECT_TRUE(before == stampsOf({files.path / "levels"}, {other}));

    files.write("levels/deeper/new.cfg", "c = 1");
    EXPECT_EQ(3u, stampsOf({files.path / "levels"}, {other}).size());
    boost::filesystem::remove(other);
    EXPECT_EQ(2u, stampsOf({files.path / "levels"}, {other}).size());
    files.write("picture.tga", "still not watched");
    EXPECT_EQ(2u, stampsOf({files.path / "levels"}, {files.path / "gone.cfg"}).size());
}

// The files are looked at every quarter second of the clock; a broken edit
// keeps the running level and its problem is told until a later edit mends
// it, which restarts the level. The data's files (a prototype) count too.
TEST(LevelWatch, RestartsOnlyWhenAChangedLevelBuildsAndTellsTheProblemMeanwhile) {
    const TempResources resources;
    writeData(resources, 0);
    const TempDir own;
    const std::string file = own.write("mine.cfg", goodLevel);
    touch(file, 2000, 0);
    LevelWatch watch((own.path / "mine").string(), file);
    struct Step {
        double time;
        const char* write;  // null: nothing written
        bool restart;
        const char* problem;
    };
    const std::vector<Step> steps{
        {0.1, nullptr, false, ""},
        {0.3, "scene = ( Node { name = \"moved\" } );", true, ""},
        {0.4, nullptr, false, ""},
        {0.6, nullptr, false, ""},
        {0.9, "scene = ( Node { name = \"moved\" } ;", false, ":1:35: syntax error"},
        {1.2, nullptr, false, ":1:35: syntax error"},
        {1.5, "scene = ( Node { name = 1; name = 2 } );", false, ":1:28: key \"name\" found"},
        {1.8, goodLevel, true, ""},
    };
    long second = 2001;
    for (const Step& step : steps) {
        if (step.write != nullptr) {
            own.write("mine.cfg", step.write);
            touch(file, second++, 0);
        }
        EXPECT_EQ(step.restart, watch.restartDue(step.time)) << step.time;
        const std::string problem = std::string(step.problem).empty() ? "" : file + step.problem;
        EXPECT_EQ(problem.empty(), watch.problem().empty()) << step.time;
        EXPECT_EQ(problem, head(watch.problem().message(), problem.size())) << step.time;
    }
    resources.writeResource("prototypes.cfg", "Node = { }; Light = { }; Lamp = { };");
    EXPECT_TRUE(watch.restartDue(2.1));
}

// A watched level that is broken before its first start waits for a save
// that mends it.
TEST(LevelWatch, ALevelBrokenAtTheStartIsStartableOnceMended) {
    const TempResources resources;
    writeData(resources, 0);
    const TempDir own;
    const std::string file = own.write("mine.cfg", "scene = ( Node { } ;");
    touch(file, 3000, 0);
    LevelWatch watch((own.path / "mine").string(), file);
    EXPECT_FALSE(watch.startable());
    const std::string broken = file + ":1:20: syntax error";
    EXPECT_EQ(broken, head(watch.problem().message(), broken.size()));
    EXPECT_FALSE(watch.startable());
    own.write("mine.cfg", goodLevel);
    touch(file, 3001, 0);
    EXPECT_TRUE(watch.startable());
    EXPECT_TRUE(watch.problem().empty());
    EXPECT_FALSE(watch.restartDue(1.0));
}
