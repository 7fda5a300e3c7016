#include "shell/FrameLoop.h"

#include "lum/GameSettings.h"
#include "lum/platform/Timer.h"
#include "lum/platform/Window.h"
#include "lum/util/Trace.h"

namespace lum {

void runFrameLoop(const GamePass& gamePass) {
    LUM_TRACE_BEGIN
    Timer::instance().reset();
    window().paceSwaps(GameSettings::instance().framerate);
    while (window().isOpen()) {
        runFramePass(gamePass);
    }
    LUM_TRACE_END
}

void runFramePass(const GamePass& gamePass) {
    LUM_TRACE_BEGIN
    Timer& timer = Timer::instance();
    timer.tick();
    if (gamePass(timer.getFrameTime())) {
        window().swapBuffers();
    }
    LUM_TRACE_END
}

}  // namespace lum
