#include "replay/ReplayingWindow.h"

namespace lum {

ReplayingWindow::ReplayingWindow(std::unique_ptr<Window> real, std::shared_ptr<ReplayReader> reader)
    : ForwardingWindow(std::move(real)), reader(std::move(reader)) {}

bool ReplayingWindow::isOpen() const {
    if (!realWindow().isOpen()) {
        reader->windowClosed();
        return false;
    }
    return frame().open && !reader->isAtEnd();
}

void ReplayingWindow::paceSwaps(int) {}

void ReplayingWindow::sleep(double) {}

double ReplayingWindow::getTime() const {
    return reader->clock();
}

// The recorded readings already start where the game set the clock.
void ReplayingWindow::setTime(double) {}

// The real window's frame is the viewer's, not the recorded player's.
void ReplayingWindow::takeFrame(const InputFrame&) {
    setFrame(reader->frame());
}

}  // namespace lum
