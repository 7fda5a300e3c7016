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

bool ForwardingWindow::openWindow(int width, int height, int depthBits) {
    return real->openWindow(width, height, depthBits);
}

bool ForwardingWindow::openFullScreen(int depthBits) {
    return real->openFullScreen(depthBits);
}

void ForwardingWindow::setTitle(const std::string& title) {
    real->setTitle(title);
}

bool ForwardingWindow::isOpen() const {
    return real->isOpen();
}

void ForwardingWindow::swapBuffers() {
    real->swapBuffers();
}

void ForwardingWindow::paceSwaps(int framerate) {
    real->paceSwaps(framerate);
}

void ForwardingWindow::pollEvents() {
    real->pollEvents();
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

bool ForwardingWindow::isKeyDown(int code) const {
    return real->isKeyDown(code);
}

bool ForwardingWindow::isMouseButtonDown(int button) const {
    return real->isMouseButtonDown(button);
}

CursorPosition ForwardingWindow::getCursorPosition() const {
    return real->getCursorPosition();
}

int ForwardingWindow::getMouseWheel() const {
    return real->getMouseWheel();
}

void ForwardingWindow::setCursorVisible(bool visible) {
    real->setCursorVisible(visible);
}

bool ForwardingWindow::isFocused() const {
    return real->isFocused();
}

GamepadState ForwardingWindow::getGamepad() const {
    return real->getGamepad();
}

WindowSize ForwardingWindow::getSize() const {
    return real->getSize();
}

void ForwardingWindow::setSizeCallback(SizeCallback callback) {
    real->setSizeCallback(callback);
}

}  // namespace lum
