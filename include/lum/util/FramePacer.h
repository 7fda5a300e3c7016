#ifndef LUM_UTIL_FRAMEPACER_H
#define LUM_UTIL_FRAMEPACER_H

namespace lum {

// Holds frames to an even beat, as a display's refresh does: each frame is
// presented one interval after the one before it, however long its work
// took, as long as the work fits into the interval. Work that does not fit
// sets the pace itself, with no waits and no burst of short frames to catch
// up. Interval 0 never waits.
class FramePacer {
public:
    explicit FramePacer(double interval = 0.0);

    // The pace for `framerate` passes a second; 0 (or less) for as fast as
    // the work allows.
    static double intervalFor(int framerate);

    // How long a frame ready at `now` (seconds on a steady clock) waits
    // before it is presented, to keep the beat.
    double waitAt(double now);

private:
    double interval;
    double beat;
    bool started;
};

}  // namespace lum

#endif
