#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "flow/LevelRun.h"
#include "lum/character/Corn.h"
#include "lum/character/Glimmet.h"
#include "lum/character/Props.h"
#include "lum/scene/Node.h"

using namespace lum;

TEST(LevelClock, ReadsMinutesSecondsAndTenthsCuttingTheRest) {
    EXPECT_EQ("0:00.0", formatClock(0.0));
    EXPECT_EQ("0:07.3", formatClock(7.39));
    EXPECT_EQ("0:59.9", formatClock(59.99)) << "never rounded up into the next minute";
    EXPECT_EQ("1:00.0", formatClock(60.0));
    EXPECT_EQ("1:23.4", formatClock(83.45));
    EXPECT_EQ("125:03.2", formatClock(125 * 60 + 3.2));
    EXPECT_EQ("0:00.0", formatClock(-3.0));
    EXPECT_EQ("0:00.0", formatClock(std::nan("")));
    EXPECT_NO_THROW(formatClock(1e300));
}

TEST(LevelClock, AddsOnlyTheFrameTimesOfPlayAndStartsAgainAtEachAttempt) {
    const boost::shared_ptr<Node> root = Node::make("root", boost::weak_ptr<Node>());
    LevelRun run;
    run.begin(*root);
    EXPECT_EQ("0:00.0", run.hudText()) << "a level without corn shows the clock alone";
    for (int pass = 0; pass < 3; ++pass) run.advance(0.1);
    EXPECT_EQ("0:00.3", run.hudText()) << "three tenths summed are three tenths";
    run.advance(-1.0);
    run.advance(std::numeric_limits<double>::infinity());
    run.advance(std::nan(""));
    EXPECT_EQ("0:00.3", run.hudText());

    run.begin(*root);
    EXPECT_EQ(0.0, run.elapsed());
}

TEST(CornCount, CountsTheLevelsCornAtAnyDepthAndEachThatVanishes) {
    const boost::shared_ptr<Node> root = Node::make("root", boost::weak_ptr<Node>());
    const boost::shared_ptr<Node> group = Node::make("group", root);
    const boost::shared_ptr<Corn> near = Corn::make("cornA", root);
    const boost::shared_ptr<Corn> far = Corn::make("cornB", group);
    boost::weak_ptr<Corn> dropped = Corn::make("cornC", group);
    RedCube::make("notCorn", root);

    LevelRun run;
    run.begin(*root);
    EXPECT_EQ(3, run.cornTotal());
    EXPECT_EQ(0, run.cornFound());
    EXPECT_EQ("0:00.0  corn 0/3", run.hudText());

    // Tobble's touch is what makes a corn vanish; another body's leaves it.
    far->onContactBegin(near.get());
    EXPECT_EQ(0, run.cornFound());
    far->onContactBegin(&Glimmet::instance());
    EXPECT_EQ(1, run.cornFound());
    // A vanished corn nothing else holds is gone altogether.
    dropped.lock()->detach();
    EXPECT_TRUE(dropped.expired());
    EXPECT_EQ("0:00.0  corn 2/3", run.hudText());

    run.begin(*root);
    EXPECT_EQ("0:00.0  corn 0/1", run.hudText()) << "a new attempt counts what the level has now";
}
