#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "flow/LevelCatalogue.h"
#include "flow/LevelCheck.h"
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

// The first `length` characters of `text`, all of it when it is shorter.
std::string head(const std::string& text, std::size_t length) {
    return text.substr(0, length);
}

// Writes `content` to the watched file with its own modification time, so
// that every write reads as a change however quickly they follow.
void save(const TempDir& own, const std::string& content, long second) {
    const std::string file = own.write("mine.cfg", content);
    const struct timespec times[2] = {{second, 0}, {second, 0}};
    utimensat(AT_FDCWD, file.c_str(), times, 0);
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
        {"#include \"include.cfg\"\nscene = ( Piece { } );", ""},
        {"scene = (\n  Node { name = \"a\" };\n);", "resources/levels/mine.cfg:2:22: syntax error"},
        {"scene = ( Wobbly { } );", "resources/levels/mine.cfg:1:11: Prototype 'Wobbly' not found"},
        {"scene = 3;", "resources/levels/mine.cfg: the level has no \"scene\" list"},
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
    const TempDir own;
    own.write("zigzag.cfg", goodLevel);
    own.write("broken.cfg", "scene = ( Node { } ;");

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
    const std::string broken = (own.path / "broken.cfg").string() + ":1:20: syntax error";
    EXPECT_EQ(broken, head(levels[4].problem.message(), broken.size()));
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
    const std::string worse = (own.path / "worse.cfg").string();
    const auto start = [&](std::vector<const char*> arguments, std::ostream& out,
                           std::ostream& err) {
        arguments.insert(arguments.begin(), "glimmet");
        const Options options =
            CommandLine().parse(static_cast<int>(arguments.size()), arguments.data());
        return chooseStartingLevel(options, own.path, out, err).number;
    };
    std::ostringstream out, err;
    EXPECT_EQ(0, start({"--level", "5"}, out, err));
    EXPECT_EQ("glimmet: level 4: mine (" + (own.path / "mine.cfg").string() + ")\n", out.str());
    EXPECT_EQ(0u, err.str().find("glimmet: level 5 cannot be played: " + worse + ":1:25: "));
    EXPECT_EQ(5, start({"--level-file", worse.c_str(), "--watch"}, out, err));
    EXPECT_EQ("there is no level 6: the levels found are 1 to 5",
              test::failureOf<CommandLineError>([&] {
                  start({"--level", "6"}, out, err);
              }));
}

// The files are looked at every quarter second of the clock, and a change
// counts once two looks in a row agree: an editor that empties the file
// before writing it must not start the level from nothing. A broken edit
// keeps the running level, its problem told until a later edit mends it.
TEST(LevelWatch, RestartsOnceASettledChangeBuildsAndTellsTheProblemMeanwhile) {
    const TempResources resources;
    writeData(resources, 0);
    const TempDir own;
    save(own, goodLevel, 2000);
    const std::string file = (own.path / "mine.cfg").string();
    LevelWatch watch((own.path / "mine").string(), file);
    struct Step {
        double time;
        const char* save;  // null: nothing saved
        bool restart;
        const char* problem;
    };
    const std::vector<Step> steps{
        {0.1, nullptr, false, ""},
        {0.3, "", false, ""},
        {0.6, "scene = ( Node { name = \"moved\" } );", false, ""},
        {0.9, nullptr, true, ""},
        {1.2, "scene = ( Node { name = \"moved\" } ;", false, ""},
        {1.5, nullptr, false, ":1:35: syntax error"},
        {1.8, goodLevel, false, ":1:35: syntax error"},
        {2.1, nullptr, true, ""},
        {2.4, nullptr, false, ""},
    };
    long second = 2001;
    for (const Step& step : steps) {
        if (step.save != nullptr) {
            save(own, step.save, second++);
        }
        EXPECT_EQ(step.restart, watch.restartDue(step.time)) << step.time;
        const std::string problem = std::string(step.problem).empty() ? "" : file + step.problem;
        EXPECT_EQ(problem.empty(), watch.problem().empty()) << step.time;
        EXPECT_EQ(problem, head(watch.problem().message(), problem.size())) << step.time;
    }
}

// A watched level that is broken before its first start waits, once a poll,
// for a save that mends it.
TEST(LevelWatch, ALevelBrokenAtTheStartIsStartableOnceMended) {
    const TempResources resources;
    writeData(resources, 0);
    const TempDir own;
    save(own, "scene = ( Node { } ;", 3000);
    LevelWatch watch((own.path / "mine").string(), (own.path / "mine.cfg").string());
    EXPECT_FALSE(watch.startable());
    EXPECT_FALSE(watch.problem().empty());
    save(own, goodLevel, 3001);
    EXPECT_FALSE(watch.startable());
    EXPECT_TRUE(watch.startable());
    EXPECT_TRUE(watch.problem().empty());
}
