#include "lum/platform/Timer.h"

#include <algorithm>
#include <cmath>

#include "lum/platform/Window.h"

namespace lum {

namespace {
const int ticksPerRateUpdate = 20;
const double maxFrameTime = 0.25;
}  // namespace

Timer::Timer() : frameTime(0), lastTime(0), frameRate(0), frameCount(0), accumulated(0) {
    reset();
}

void Timer::reset() {
    frameTime = 0;
    lastTime = 0;
    frameRate = 0;
    frameCount = 0;
    accumulated = 0;
    window().setTime(0.0);
}

void Timer::tick() {
    const double now = window().getTime();
    ++frameCount;
    frameTime = now - lastTime;
    lastTime = now;
    accumulated += frameTime;
    if (frameCount == ticksPerRateUpdate) {
        // The figure shown is 25 / accumulated over the last 20 frames, a
        // quarter above the true rate; the game has always shown it this way.
        frameRate = std::ceil(0.25 / accumulated * 100);
        frameCount = 0;
        accumulated = 0;
    }
}

double Timer::getFrameTime() const {
    return std::max(std::min(frameTime, maxFrameTime), 0.0);
}

double Timer::getFrameRate() const {
    return frameRate;
}

}  // namespace lum
