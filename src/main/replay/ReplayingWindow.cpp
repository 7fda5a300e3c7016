#include "replay/ReplayingWindow.h"

namespace lum {

ReplayingWindow::ReplayingWindow(std::unique_ptr<Window> real, std::shared_ptr<ReplayReader> reader)
    : ForwardingWindow(std::move(real)), reader(std::move(reader)) {}

const InputState& ReplayingWindow::answers(InputField field, int index) const {
    return reader->input(InputQuery{field, index});
}

bool ReplayingWindow::isOpen() const {
    if (!realWindow().isOpen()) {
        reader->windowClosed();
        return false;
    }
    return answers(InputField::Open).open && !reader->isAtEnd();
}

void ReplayingWindow::paceSwaps(int) {}

void ReplayingWindow::sleep(double) {}

double ReplayingWindow::getTime() const {
    return reader->clock();
}

// The recorded readings already start where the game set the clock.
void ReplayingWindow::setTime(double) {}

bool ReplayingWindow::isKeyDown(int code) const {
    return code >= 0 && code <= key::Last && answers(InputField::Key, code).keys[code];
}

bool ReplayingWindow::isMouseButtonDown(int button) const {
    return button >= mouse::Left && button <= mouse::Right &&
           answers(InputField::Button, button).buttons[button];
}

CursorPosition ReplayingWindow::getCursorPosition() const {
    return answers(InputField::Cursor).cursor;
}

int ReplayingWindow::getMouseWheel() const {
    return answers(InputField::Wheel).wheel;
}

GamepadState ReplayingWindow::getGamepad() const {
    return answers(InputField::Pad).pad;
}

WindowSize ReplayingWindow::getSize() const {
    return answers(InputField::Size).size;
}

}  // namespace lum
