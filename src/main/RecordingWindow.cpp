#include "RecordingWindow.h"

namespace lum {

RecordingWindow::RecordingWindow(std::unique_ptr<Window> real, std::shared_ptr<ReplayWriter> writer)
    : ForwardingWindow(std::move(real)), writer(std::move(writer)) {}

bool RecordingWindow::isOpen() const {
    const bool open = realWindow().isOpen();
    writer->input(InputChange::open(open));
    return open;
}

double RecordingWindow::getTime() const {
    const double now = realWindow().getTime();
    writer->clock(now);
    return now;
}

bool RecordingWindow::isKeyDown(int code) const {
    const bool down = realWindow().isKeyDown(code);
    if (code >= 0 && code <= key::Last) {
        writer->input(InputChange::key(code, down));
    }
    return down;
}

bool RecordingWindow::isMouseButtonDown(int button) const {
    const bool down = realWindow().isMouseButtonDown(button);
    if (button >= mouse::Left && button <= mouse::Right) {
        writer->input(InputChange::button(button, down));
    }
    return down;
}

CursorPosition RecordingWindow::getCursorPosition() const {
    const CursorPosition cursor = realWindow().getCursorPosition();
    writer->input(InputChange::cursor(cursor));
    return cursor;
}

int RecordingWindow::getMouseWheel() const {
    const int wheel = realWindow().getMouseWheel();
    writer->input(InputChange::wheel(wheel));
    return wheel;
}

GamepadState RecordingWindow::getGamepad() const {
    const GamepadState pad = realWindow().getGamepad();
    writer->input(InputChange::gamepad(pad));
    return pad;
}

WindowSize RecordingWindow::getSize() const {
    const WindowSize size = realWindow().getSize();
    writer->input(InputChange::size(size));
    return size;
}

}  // namespace lum
