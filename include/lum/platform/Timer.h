#ifndef LUM_PLATFORM_TIMER_H
#define LUM_PLATFORM_TIMER_H

#include "lum/util/Singleton.h"

namespace lum {

// The pace the game was tuned at: what it scales by a pass's time is made to
// feel the same at any frame rate as at this one.
constexpr double nominalPass = 0.03;

// The frame clock, read from the window adapter's clock. tick() once at the
// start of every frame; the frame-rate figure is refreshed every 20 ticks.
class Timer : public Singleton<Timer, 0> {
public:
    Timer();

    // Every field to 0 and the window clock back to 0.
    void reset();
    void tick();

    // The last interval, clamped to 0 ... 0.25 s so a stall never makes a huge step.
    double getFrameTime() const;
    double getFrameRate() const;

private:
    double frameTime;
    double lastTime;
    double frameRate;
    int frameCount;
    double accumulated;
};

}  // namespace lum

#endif
