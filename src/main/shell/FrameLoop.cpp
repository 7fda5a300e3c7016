#include "shell/FrameLoop.h"

#include "lum/platform/Timer.h"
#include "lum/platform/Window.h"
#include "lum/util/Trace.h"

namespace lum {

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
    if (dt < nominalPass) {
        window().sleep(nominalPass - dt);
    }
    if (gamePass(dt)) {
        window().swapBuffers();
    }
    LUM_TRACE_END
}

}  // namespace lum
