#ifndef GLIMMET_FORWARDINGWINDOW_H
#define GLIMMET_FORWARDINGWINDOW_H

#include <memory>

#include "lum/platform/Window.h"

namespace lum {

// A window that hands every call on to another one: the base of the adapters
// that stand between the game and its real window.
class ForwardingWindow : public Window {
public:
    explicit ForwardingWindow(std::unique_ptr<Window> real);

    bool init() override;
    void terminate() override;
    bool openWindow(int width, int height, int depthBits) override;
    bool openFullScreen(int depthBits) override;
    void setTitle(const std::string& title) override;
    bool isOpen() const override;

    void swapBuffers() override;
    void paceSwaps(int framerate) override;
    void pollEvents() override;
    void setAutoPollEvents(bool enabled) override;

    void sleep(double seconds) override;
    double getTime() const override;
    void setTime(double seconds) override;

    bool isKeyDown(int code) const override;
    bool isMouseButtonDown(int button) const override;
    CursorPosition getCursorPosition() const override;
    int getMouseWheel() const override;
    void setCursorVisible(bool visible) override;
    bool isFocused() const override;
    GamepadState getGamepad() const override;

    WindowSize getSize() const override;
    void setSizeCallback(SizeCallback callback) override;

protected:
    Window& realWindow() const;

private:
    std::unique_ptr<Window> real;
};

}  // namespace lum

#endif
