#include "lum/platform/Window.h"

#include "lum/platform/GlfwWindow.h"

namespace lum {

namespace {
std::unique_ptr<Window>& currentWindow() {
    static std::unique_ptr<Window> current;
    return current;
}
}  // namespace

Window::~Window() = default;

bool Window::openFullScreen(int depthBits) {
    const WindowMode windowed;
    return openWindow(windowed.size.width, windowed.size.height, depthBits);
}

void Window::paceSwaps(int) {}

bool Window::putPicture(int, int, const unsigned char*) {
    return false;
}

Window& window() {
    std::unique_ptr<Window>& current = currentWindow();
    if (!current) {
        current.reset(new GlfwWindow());
    }
    return *current;
}

void installWindow(std::unique_ptr<Window> replacement) {
    currentWindow() = std::move(replacement);
}

}  // namespace lum
