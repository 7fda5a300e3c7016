#include "ScriptedWindow.h"

namespace lum {

ScriptedWindow::ScriptedWindow()
    : open(false),
      clock(0),
      totalSleep(0),
      swapCount(0),
      pollCount(0),
      keys(),
      buttons(),
      cursor{0, 0},
      wheel(0),
      cursorVisible(true),
      focused(true),
      size{0, 0},
      sizeCallback(nullptr) {}

bool ScriptedWindow::init() {
    return true;
}

void ScriptedWindow::terminate() {
    open = false;
}

bool ScriptedWindow::openWindow(int width, int height, int) {
    open = true;
    size = WindowSize{width, height};
    return true;
}

void ScriptedWindow::setTitle(const std::string& newTitle) {
    title = newTitle;
}

bool ScriptedWindow::isOpen() const {
    return open;
}

void ScriptedWindow::swapBuffers() {
    sleep(pacer.waitAt(clock));
    ++swapCount;
}

void ScriptedWindow::paceSwaps(int framerate) {
    pacer = FramePacer(FramePacer::intervalFor(framerate));
}

void ScriptedWindow::pollEvents() {
    ++pollCount;
    if (!padAtPolls.empty()) {
        pad = padAtPolls.front();
        padAtPolls.pop_front();
    }
}

void ScriptedWindow::setAutoPollEvents(bool) {}

void ScriptedWindow::sleep(double seconds) {
    if (seconds > 0) {
        clock += seconds;
        totalSleep += seconds;
    }
}

double ScriptedWindow::getTime() const {
    return clock;
}

void ScriptedWindow::setTime(double seconds) {
    clock = seconds;
}

bool ScriptedWindow::isKeyDown(int code) const {
    return code >= 0 && code <= key::Last && keys[code];
}

bool ScriptedWindow::isMouseButtonDown(int button) const {
    return button >= 0 && button < static_cast<int>(buttons.size()) && buttons[button];
}

CursorPosition ScriptedWindow::getCursorPosition() const {
    return cursor;
}

int ScriptedWindow::getMouseWheel() const {
    return wheel;
}

void ScriptedWindow::setCursorVisible(bool visible) {
    cursorVisible = visible;
}

bool ScriptedWindow::isFocused() const {
    return focused;
}

void ScriptedWindow::setFocused(bool isFocused) {
    focused = isFocused;
}

GamepadState ScriptedWindow::getGamepad() const {
    return pad;
}

WindowSize ScriptedWindow::getSize() const {
    return size;
}

void ScriptedWindow::setSizeCallback(SizeCallback callback) {
    sizeCallback = callback;
}

void ScriptedWindow::close() {
    open = false;
}

void ScriptedWindow::advanceTime(double seconds) {
    clock += seconds;
}

void ScriptedWindow::setKey(int code, bool down) {
    if (code >= 0 && code <= key::Last) {
        keys[code] = down;
    }
}

void ScriptedWindow::setMouseButton(int button, bool down) {
    if (button >= 0 && button < static_cast<int>(buttons.size())) {
        buttons[button] = down;
    }
}

void ScriptedWindow::setCursorPosition(CursorPosition position) {
    cursor = position;
}

void ScriptedWindow::setMouseWheel(int steps) {
    wheel = steps;
}

void ScriptedWindow::resize(WindowSize newSize) {
    size = newSize;
    if (sizeCallback != nullptr) {
        sizeCallback(size.width, size.height);
    }
}

void ScriptedWindow::setGamepad(const GamepadState& state) {
    pad = state;
    padAtPolls.clear();
}

void ScriptedWindow::setGamepadAtPolls(const std::vector<GamepadState>& states) {
    padAtPolls.assign(states.begin(), states.end());
}

const std::string& ScriptedWindow::getTitle() const {
    return title;
}

int ScriptedWindow::getSwapCount() const {
    return swapCount;
}

int ScriptedWindow::getPollCount() const {
    return pollCount;
}

double ScriptedWindow::getTotalSleep() const {
    return totalSleep;
}

bool ScriptedWindow::isCursorVisible() const {
    return cursorVisible;
}

}  // namespace lum
