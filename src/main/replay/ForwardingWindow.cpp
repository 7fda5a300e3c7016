#include "replay/ForwardingWindow.h"

namespace lum {

ForwardingWindow::ForwardingWindow(std::unique_ptr<Window> real) : real(std::move(real)) {}

Window& ForwardingWindow::realWindow() const {
    return *real;
}

bool ForwardingWindow::init() {
    return real->init();
}

void ForwardingWindow::terminate() {
    real->terminate();
}

void ForwardingWindow::takeFrame(const InputFrame& taken) {
    setFrame(taken);
}

bool ForwardingWindow::openWindow(int width, int height, int depthBits) {
    const bool opened = real->openWindow(width, height, depthBits);
    takeFrame(real->frame());
    return opened;
}

bool ForwardingWindow::openFullScreen(int depthBits) {
    const bool opened = real->openFullScreen(depthBits);
    takeFrame(real->frame());
    return opened;
}

void ForwardingWindow::setTitle(const std::string& title) {
    real->setTitle(title);
}

bool ForwardingWindow::isOpen() const {
    return real->isOpen();
}

// A poll the real window makes as it swaps (until the game turns that off,
// before it reads any input) is not taken: the game's own polls are the
// frames, so a replay takes them at the same places whatever window it is
// given.
void ForwardingWindow::swapBuffers() {
    real->swapBuffers();
}

void ForwardingWindow::paceSwaps(int framerate) {
    real->paceSwaps(framerate);
}

void ForwardingWindow::pollEvents() {
    real->pollEvents();
    takeFrame(real->frame());
}

void ForwardingWindow::setAutoPollEvents(bool enabled) {
    real->setAutoPollEvents(enabled);
}

void ForwardingWindow::sleep(double seconds) {
    real->sleep(seconds);
}

double ForwardingWindow::getTime() const {
    return real->getTime();
}

void ForwardingWindow::setTime(double seconds) {
    real->setTime(seconds);
}

void ForwardingWindow::setCursorVisible(bool visible) {
    real->setCursorVisible(visible);
}

void ForwardingWindow::setSizeCallback(SizeCallback callback) {
    real->setSizeCallback(callback);
}

void ForwardingWindow::setFullScreen(bool on) {
    real->setFullScreen(on);
}

bool ForwardingWindow::isFullScreen() const {
    return real->isFullScreen();
}

void ForwardingWindow::setWindowedSize(WindowSize size) {
    real->setWindowedSize(size);
}

WindowSize ForwardingWindow::screenSize() const {
    return real->screenSize();
}

}  // namespace lum
