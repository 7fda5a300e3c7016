#include "lum/render/Window.h"

#include "lum/render/GlfwWindow.h"

namespace lum {

namespace {
std::unique_ptr<Window>& currentWindow() {
    static std::unique_ptr<Window> current;
    return current;
}
}  // namespace

Window::~Window() = default;

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
