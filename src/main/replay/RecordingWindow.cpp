#include "replay/RecordingWindow.h"

namespace lum {

namespace {

bool isKeyCode(int code) {
    return code >= 0 && code <= key::Last;
}

bool isButton(int button) {
    return button >= mouse::Left && button <= mouse::Right;
}

}  // namespace

RecordingWindow::RecordingWindow(std::unique_ptr<Window> real, std::shared_ptr<ReplayWriter> writer)
    : ForwardingWindow(std::move(real)), writer(std::move(writer)) {}

template <class Answer>
Answer RecordingWindow::noted(Answer answer, const InputChange& change) const {
    writer->input(change);
    return answer;
}

bool RecordingWindow::isOpen() const {
    const bool open = realWindow().isOpen();
    return noted(open, InputChange::open(open));
}

double RecordingWindow::getTime() const {
    const double now = realWindow().getTime();
    writer->clock(now);
    return now;
}

// Codes outside the game's keys and buttons have no answer to replay.
bool RecordingWindow::isKeyDown(int code) const {
    const bool down = realWindow().isKeyDown(code);
    return isKeyCode(code) ? noted(down, InputChange::key(code, down)) : down;
}

bool RecordingWindow::isMouseButtonDown(int button) const {
    const bool down = realWindow().isMouseButtonDown(button);
    return isButton(button) ? noted(down, InputChange::button(button, down)) : down;
}

CursorPosition RecordingWindow::getCursorPosition() const {
    const CursorPosition cursor = realWindow().getCursorPosition();
    return noted(cursor, InputChange::cursor(cursor));
}

int RecordingWindow::getMouseWheel() const {
    const int wheel = realWindow().getMouseWheel();
    return noted(wheel, InputChange::wheel(wheel));
}

GamepadState RecordingWindow::getGamepad() const {
    const GamepadState pad = realWindow().getGamepad();
    return noted(pad, InputChange::gamepad(pad));
}

WindowSize RecordingWindow::getSize() const {
    const WindowSize size = realWindow().getSize();
    return noted(size, InputChange::size(size));
}

}  // namespace lum
