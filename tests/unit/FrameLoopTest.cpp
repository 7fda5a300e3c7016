#include <gtest/gtest.h>

#include <vector>

#include "ScriptedWindowFixture.h"
#include "lum/platform/Timer.h"
#include "shell/FrameLoop.h"

using namespace lum;

class FrameLoopTest : public ScriptedWindowTest {
protected:
    void SetUp() override {
        ScriptedWindowTest::SetUp();
        Timer::instance().reset();
    }

    // A game pass that takes `work` seconds and records the step it was given.
    GamePass working(double work, bool present = true) {
        return [this, work, present](double dt) {
            steps.push_back(dt);
            script->advanceTime(work);
            return present;
        };
    }

    std::vector<double> steps;
};

TEST_F(FrameLoopTest, FrameRateIsRefreshedEveryTwentyTicks) {
    Timer& timer = Timer::instance();
    for (int i = 1; i <= 39; ++i) {
        script->advanceTime(0.01);
        timer.tick();
        EXPECT_EQ(i < 20 ? 0.0 : 125.0, timer.getFrameRate()) << "tick " << i;
    }
}

TEST_F(FrameLoopTest, TimeStepIsClampedToAQuarterSecondAndNeverNegative) {
    Timer& timer = Timer::instance();
    script->advanceTime(0.4);
    timer.tick();
    EXPECT_DOUBLE_EQ(0.25, timer.getFrameTime());
    script->setTime(0.1);  // the clock went back
    timer.tick();
    EXPECT_DOUBLE_EQ(0.0, timer.getFrameTime());
}

TEST_F(FrameLoopTest, ShortIntervalsSleepOutTheRestOfThirtyMilliseconds) {
    script->advanceTime(0.01);
    runFramePass(working(0));
    EXPECT_NEAR(0.02, script->getTotalSleep(), 1e-9);

    const double slept = script->getTotalSleep();
    script->advanceTime(0.04 - 0.02);  // the sleep already counted 0.02
    runFramePass(working(0));
    EXPECT_DOUBLE_EQ(slept, script->getTotalSleep());
}

TEST_F(FrameLoopTest, LightWorkMakesEveryOtherPassSleep) {
    const GamePass pass = working(0.005);
    for (int i = 0; i < 8; ++i) {
        runFramePass(pass);
    }
    // The first interval is 0 (the clock was just reset) and sleeps the whole
    // 0.03 s; from the third pass on the intervals alternate between the work
    // alone and work plus sleep.
    ASSERT_EQ(8u, steps.size());
    for (std::size_t i = 2; i < steps.size(); ++i) {
        EXPECT_NEAR(i % 2 == 0 ? 0.005 : 0.03, steps[i], 1e-9) << "pass " << i;
    }
}

TEST_F(FrameLoopTest, AStallHandsOutAQuarterSecond) {
    script->advanceTime(1.0);
    runFramePass(working(0));
    ASSERT_EQ(1u, steps.size());
    EXPECT_DOUBLE_EQ(0.25, steps[0]);
}

TEST_F(FrameLoopTest, OnlyPresentedPassesSwapAndClosingTheWindowEndsTheLoop) {
    runFramePass(working(0, false));
    EXPECT_EQ(0, script->getSwapCount());
    runFramePass(working(0, true));
    EXPECT_EQ(1, script->getSwapCount());

    int passes = 0;
    runFrameLoop([&](double) {
        if (++passes == 3) {
            script->close();
        }
        return true;
    });
    EXPECT_EQ(3, passes);
}
