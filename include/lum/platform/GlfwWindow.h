#ifndef LUM_PLATFORM_GLFWWINDOW_H
#define LUM_PLATFORM_GLFWWINDOW_H

#include <array>

#include "lum/platform/Window.h"
#include "lum/util/FramePacer.h"

struct GLFWwindow;
struct GLFWmonitor;

namespace lum {

// Keeps GLFW started while it lives, so that the windows opened one after
// another inside it (a test program's renderers) share one start of the
// library: each start connects to the display and opens its input method.
// Without one, a window's init starts GLFW and its terminate ends it.
class GlfwSession {
public:
    GlfwSession();
    ~GlfwSession();
    GlfwSession(const GlfwSession&) = delete;
    GlfwSession& operator=(const GlfwSession&) = delete;

    // Whether GLFW could be started (not without a display).
    bool started() const;

private:
    bool holds;
};

// The window adapter over GLFW 3. Keys are tracked from GLFW's key events and
// translated to the game's codes by the character the key types, so "+" is
// the key that types "+" on the user's layout (and the keypad's plus).
class GlfwWindow : public Window {
public:
    GlfwWindow();
    ~GlfwWindow() override;

    bool init() override;
    void terminate() override;
    bool openWindow(int width, int height, int depthBits) override;
    bool openFullScreen(int depthBits) override;
    void setTitle(const std::string& title) override;
    bool isOpen() const override;

    void swapBuffers() override;
    // Over X11, on a 24-bit true-colour window.
    bool putPicture(int width, int height, const unsigned char* rgbRows) override;
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

private:
    static void onKey(GLFWwindow* handle, int key, int scancode, int action, int mods);
    static void onScroll(GLFWwindow* handle, double xOffset, double yOffset);
    static void onResize(GLFWwindow* handle, int width, int height);

    void setKey(int code, bool down);
    // Everything the game reads, as it is now.
    InputFrame takeFrame() const;
    // The first joystick GLFW knows a gamepad mapping for, as it is now.
    static GamepadState readGamepad();
    bool create(int width, int height, int depthBits, GLFWmonitor* monitor);

    GLFWwindow* handle;
    bool initialized;
    bool autoPoll;
    double wheel;
    SizeCallback sizeCallback;
    // Where and how large the window is when it is not full screen.
    WindowSize windowed;
    CursorPosition windowedAt;
    FramePacer pacer;
    std::array<bool, key::Last + 1> keys;
    std::array<bool, key::Last + 1> tapped;        // pressed since the last poll
    std::array<bool, key::Last + 1> tappedBefore;  // pressed in the poll before
};

}  // namespace lum

#endif
