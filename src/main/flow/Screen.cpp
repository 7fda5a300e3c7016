#include "flow/Screen.h"

#include "lum/Control.h"
#include "lum/platform/Window.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// Screens that wait are redrawn at this pace rather than as fast as possible.
const double waitingPace = 0.02;

}  // namespace

Screen::~Screen() = default;

void Screen::enter(const InputFrame&) {}

ScreenOutcome showScreen(Screen& screen) {
    LUM_TRACE_BEGIN
    Control::instance().capturePointer(false);
    while (window().isOpen()) {
        screen.draw();
        window().swapBuffers();
        window().sleep(waitingPace);
        Control::instance().update(0.0);
        if (!window().isOpen()) {
            break;
        }
        const ScreenOutcome outcome = screen.update(window().frame());
        if (outcome.kind != ScreenOutcome::Stay) {
            return outcome;
        }
    }
    ScreenOutcome closed;
    closed.kind = ScreenOutcome::Closed;
    return closed;
    LUM_TRACE_END
}

}  // namespace lum
