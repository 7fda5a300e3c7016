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
    EXPECT_EQ("0:59.9", formatClock(59.99)) << "never rounded up into the next minute";
    EXPECT_EQ("125:03.2", formatClock(125 * 60 + 3.2));
    EXPECT_EQ("0:00.0", formatClock(std::nan("")));
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
    EXPECT_EQ("0:00.0  corn 0/3", run.hudText());

    // Tobble's touch is what makes a corn vanish; another body's leaves it.
    far->onContactBegin(near.get());
    EXPECT_EQ(0, run.cornFound());
    far->onContactBegin(&Glimmet::instance());
    dropped.lock()->detach();
    EXPECT_EQ("0:00.0  corn 2/3", run.hudText());

    run.begin(*root);
    EXPECT_EQ("0:00.0  corn 0/1", run.hudText()) << "a new attempt counts what the level has now";
}
