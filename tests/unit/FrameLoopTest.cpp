#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ScriptedWindowFixture.h"
#include "lum/GameSettings.h"
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

    // The loop at `framerate` for `passes` passes, pass n taking work(n)
    // seconds; the steps it handed out are in `steps`.
    void loop(int framerate, std::size_t passes, const std::function<double(std::size_t)>& work) {
        GameSettings& settings = GameSettings::instance();
        const int configured = settings.framerate;
        settings.framerate = framerate;
        steps.clear();
        std::size_t pass = 0;
        runFrameLoop([&](double dt) {
            steps.push_back(dt);
            script->advanceTime(work(pass));
            if (++pass == passes) {
                script->close();
            }
            return true;
        });
        script->openWindow(1024, 768, 24);
        settings.framerate = configured;
        EXPECT_EQ(passes, steps.size());
        steps.resize(passes);  // a short run fails its checks, never reads past the end
    }

    std::vector<double> steps;
};

// Frames at the framerate setting's pace, one interval apart however the
// work varies while it fits; work that does not fit sets the pace itself,
// with no catching up after a stall. (The loop once slept out the rest of
// 0.03 s after a short interval, which included the sleep before it: short
// and long intervals alternated.)
TEST_F(FrameLoopTest, PassesComeAtEvenIntervalsOfTheFramerateOrOfTheWork) {
    struct Case {
        int framerate;
        std::vector<double> work;
        std::vector<double> intervals;
    };
    const double at60 = 1.0 / 60;
    const std::vector<Case> cases = {
        {60, {0.002, 0.012, 0.004, 0.015, 0.001}, {at60, at60, at60}},
        {60, {0.02, 0.02, 0.02, 0.02, 0.02}, {0.02, 0.02, 0.02}},
        {60, {0.005, 0.1, 0.005, 0.005, 0.005}, {0.1, at60, at60}},
        {144, {0.001, 0.001, 0.001, 0.001}, {1.0 / 144, 1.0 / 144}},
        {0, {0.004, 0.004, 0.004, 0.004}, {0.004, 0.004}},
    };
    for (const Case& c : cases) {
        loop(c.framerate, c.work.size(), [&](std::size_t pass) { return c.work[pass]; });
        // The first two steps are the time since the clock's reset and the
        // first frame's work, which sets the beat.
        for (std::size_t i = 0; i < c.intervals.size(); ++i) {
            EXPECT_NEAR(c.intervals[i], steps[i + 2], 1e-9)
                << "framerate " << c.framerate << ", interval " << i;
        }
    }
}

// Work that keeps missing the beat by varying amounts (the software
// renderer) no longer shows its own unevenness: once enough frames have
// been seen, they come at the pace of the longer ones, evenly.
TEST_F(FrameLoopTest, WorkThatKeepsMissingTheBeatSlowsItToAnEvenPace) {
    const int passes = 80;
    loop(60, passes, [](std::size_t pass) { return pass % 2 == 0 ? 0.02 : 0.03; });
    EXPECT_NEAR(0.02, steps[3], 1e-9) << "the beat slowed before it had seen the work";
    for (int i = passes - 20; i < passes; ++i) {
        EXPECT_NEAR(0.03, steps[i], 1e-9) << "pass " << i;
    }
}

// Only a presented pass swaps.
TEST_F(FrameLoopTest, AStallHandsOutAQuarterSecondAndAClockGoneBackNothing) {
    script->advanceTime(1.0);
    runFramePass(working(0, false));
    script->setTime(0.1);
    runFramePass(working(0));
    EXPECT_EQ((std::vector<double>{0.25, 0.0}), steps);
    EXPECT_EQ(1, script->getSwapCount());
}
