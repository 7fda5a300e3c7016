#include "lum/util/FramePacer.h"

namespace lum {

FramePacer::FramePacer(double interval) : interval(interval), beat(0.0), started(false) {}

double FramePacer::intervalFor(int framerate) {
    return framerate > 0 ? 1.0 / framerate : 0.0;
}

// The beat moves on by whole intervals while the frames keep up; a frame
// that comes late, or a clock set back, starts the beat afresh at its time.
double FramePacer::waitAt(double now) {
    const double next = beat + interval;
    if (interval <= 0.0 || !started || now < beat || now >= next) {
        beat = now;
        started = true;
        return 0.0;
    }
    beat = next;
    return next - now;
}

}  // namespace lum
