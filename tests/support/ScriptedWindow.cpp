#include "ScriptedWindow.h"

namespace lum {

ScriptedWindow::ScriptedWindow()
    : clock(0),
      swapCount(0),
      pollCount(0),
      cursorVisible(true),
      sizeCallback(nullptr),
      fullScreen(false),
      windowed(WindowMode().size),
      screen{1920, 1080} {}

bool ScriptedWindow::init() {
    return true;
}

void ScriptedWindow::terminate() {
    changeFrame().open = false;
}

bool ScriptedWindow::openWindow(int width, int height, int) {
    changeFrame().open = true;
    changeFrame().size = WindowSize{width, height};
    windowed = WindowSize{width, height};
    fullScreen = false;
    return true;
}

void ScriptedWindow::setTitle(const std::string&) {}

bool ScriptedWindow::isOpen() const {
    return frame().open;
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
        changeFrame().pad = padAtPolls.front();
        padAtPolls.pop_front();
    }
}

void ScriptedWindow::setAutoPollEvents(bool) {}

void ScriptedWindow::sleep(double seconds) {
    if (seconds > 0) {
        clock += seconds;
    }
}

double ScriptedWindow::getTime() const {
    return clock;
}

void ScriptedWindow::setTime(double seconds) {
    clock = seconds;
}

void ScriptedWindow::setCursorVisible(bool visible) {
    cursorVisible = visible;
}

void ScriptedWindow::setFocused(bool focused) {
    changeFrame().focused = focused;
}

void ScriptedWindow::setSizeCallback(SizeCallback callback) {
    sizeCallback = callback;
}

void ScriptedWindow::setFullScreen(bool on) {
    if (on != fullScreen && isOpen()) {
        fullScreen = on;
        resize(on ? screen : windowed);
    }
}

bool ScriptedWindow::isFullScreen() const {
    return fullScreen;
}

void ScriptedWindow::setWindowedSize(WindowSize size) {
    windowed = size;
    if (!fullScreen && isOpen()) {
        resize(size);
    }
}

WindowSize ScriptedWindow::screenSize() const {
    return screen;
}

void ScriptedWindow::close() {
    changeFrame().open = false;
}

void ScriptedWindow::advanceTime(double seconds) {
    clock += seconds;
}

void ScriptedWindow::setKey(int code, bool down) {
    if (code >= 0 && code <= key::Last) {
        changeFrame().keys[code] = down;
    }
}

void ScriptedWindow::setMouseButton(int button, bool down) {
    if (button >= mouse::Left && button <= mouse::Right) {
        changeFrame().buttons[button] = down;
    }
}

void ScriptedWindow::setCursorPosition(CursorPosition position) {
    changeFrame().cursor = position;
}

void ScriptedWindow::resize(WindowSize size) {
    changeFrame().size = size;
    if (sizeCallback != nullptr) {
        sizeCallback(size.width, size.height);
    }
}

void ScriptedWindow::setGamepad(const GamepadState& state) {
    changeFrame().pad = state;
    padAtPolls.clear();
}

void ScriptedWindow::setGamepadAtPolls(const std::vector<GamepadState>& states) {
    padAtPolls.assign(states.begin(), states.end());
}

int ScriptedWindow::getSwapCount() const {
    return swapCount;
}

int ScriptedWindow::getPollCount() const {
    return pollCount;
}

bool ScriptedWindow::isCursorVisible() const {
    return cursorVisible;
}

}  // namespace lum
