#include "FrameLoop.h"

#include "lum/render/Window.h"
#include "lum/util/Timer.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {
// Passes shorter than this sleep out the rest. The interval measured at a
// tick includes the previous pass's sleep, so with light work every other
// pass sleeps.
const double shortestInterval = 0.03;
}  // namespace

void runFrameLoop(const GamePass& gamePass) {
    LUM_TRACE_BEGIN
    Timer::instance().reset();
    while (window().isOpen()) {
        runFramePass(gamePass);
    }
    LUM_TRACE_END
}

void runFramePass(const GamePass& gamePass) {
    LUM_TRACE_BEGIN
    Timer& timer = Timer::instance();
    timer.tick();
    const double dt = timer.getFrameTime();
    if (dt < shortestInterval) {
        window().sleep(shortestInterval - dt);
    }
    if (gamePass(dt)) {
        window().swapBuffers();
    }
    LUM_TRACE_END
}

}  // namespace lum
