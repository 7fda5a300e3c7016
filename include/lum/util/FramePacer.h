#ifndef LUM_UTIL_FRAMEPACER_H
#define LUM_UTIL_FRAMEPACER_H

#include <array>
#include <cstddef>

namespace lum {

// Holds frames to an even beat, as a display's refresh does: each frame is
// presented one interval after the one before it, however long its work
// took, as long as the work fits into the interval. Where the work keeps
// missing the beat (a software renderer), the beat slows to what most of
// the recent frames' work needs, so frames still come at even intervals
// instead of as fast as each one happens to be ready: a steady slower pace
// looks smoother than an uneven faster one. A single late frame is shown at
// once, with no burst of short frames to catch up. Interval 0 never waits.
class FramePacer {
public:
    explicit FramePacer(double interval = 0.0);

    // The pace for `framerate` passes a second; 0 (or less) for as fast as
    // the work allows.
    static double intervalFor(int framerate);

    // Whether frames ever wait for the beat.
    bool paces() const;

    // How long a frame ready at `now` (seconds on a steady clock) waits
    // before it is presented, to keep the beat.
    double waitAt(double now);

private:
    // How many recent frames' work the beat follows, and the share of them
    // it leaves room for: one frame in four may still come late.
    static constexpr std::size_t workKept = 32;
    static constexpr double workCovered = 0.75;

    double paceAfter(double work);

    double interval;
    double beat;
    bool started;
    std::array<double, workKept> recentWork;
    std::size_t workSeen;
};

}  // namespace lum

#endif
