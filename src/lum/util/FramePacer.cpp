#include "lum/util/FramePacer.h"

#include <algorithm>

namespace lum {

FramePacer::FramePacer(double interval)
    : interval(interval), beat(0.0), started(false), recentWork(), workSeen(0) {}

double FramePacer::intervalFor(int framerate) {
    return framerate > 0 ? 1.0 / framerate : 0.0;
}

bool FramePacer::paces() const {
    return interval > 0.0;
}

// The beat moves on by whole paces while the frames keep up; a frame that
// comes late, or a clock set back, starts the beat afresh at its time.
double FramePacer::waitAt(double now) {
    if (interval <= 0.0 || !started || now < beat) {
        beat = now;
        started = true;
        return 0.0;
    }
    const double next = beat + paceAfter(now - beat);
    if (now >= next) {
        beat = now;
        return 0.0;
    }
    beat = next;
    return next - now;
}

// The set interval, or longer once the recent frames' work has been seen
// and most of it does not fit. Until then (a level's first frames, after
// its load) the set interval holds.
double FramePacer::paceAfter(double work) {
    recentWork[workSeen % workKept] = work;
    ++workSeen;
    if (workSeen < workKept) {
        return interval;
    }
    std::array<double, workKept> sorted = recentWork;
    const auto covered = sorted.begin() + static_cast<std::ptrdiff_t>(workCovered * (workKept - 1));
    std::nth_element(sorted.begin(), covered, sorted.end());
    return std::max(interval, *covered);
}

}  // namespace lum
