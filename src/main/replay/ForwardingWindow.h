#ifndef GLIMMET_FORWARDINGWINDOW_H
#define GLIMMET_FORWARDINGWINDOW_H

#include <memory>

#include "lum/platform/Window.h"

namespace lum {

// A window that hands every call on to another one: the base of the adapters
// that stand between the game and its real window. Its input frame is taken
// whenever the game polls the real window, and at its opening.
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

    void setCursorVisible(bool visible) override;
    void setSizeCallback(SizeCallback callback) override;

    void setFullScreen(bool on) override;
    bool isFullScreen() const override;
    void setWindowedSize(WindowSize size) override;
    WindowSize screenSize() const override;

protected:
    Window& realWindow() const;
    // The real window took `taken`; by default the game reads it as it is.
    virtual void takeFrame(const InputFrame& taken);

private:
    std::unique_ptr<Window> real;
};

}  // namespace lum

#endif
