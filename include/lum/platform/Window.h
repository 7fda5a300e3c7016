#ifndef LUM_PLATFORM_WINDOW_H
#define LUM_PLATFORM_WINDOW_H

#include <memory>
#include <string>

#include "lum/platform/Gamepad.h"

namespace lum {

// Key codes as the game knows them: printable keys by their upper-case
// character, special keys from 256 on.
namespace key {
enum Code : int {
    Space = 32,
    Plus = 43,
    Minus = 45,
    Special = 256,
    Escape = Special + 1,
    F1 = Special + 2,  // F1 ... F25 follow in order
    Up = Special + 27,
    Down = Special + 28,
    Left = Special + 29,
    Right = Special + 30,
    Enter = Special + 38,
    Last = Special + 70
};
constexpr int function(int n) {
    return F1 + n - 1;
}
}  // namespace key

namespace mouse {
enum Button : int { Left = 0, Right = 1 };
}

struct CursorPosition {
    int x;
    int y;
};

struct WindowSize {
    int width;
    int height;
};

// How the game's window opens: windowed at a size, or full screen on the
// main monitor in the monitor's current video mode.
struct WindowMode {
    WindowSize size = {1024, 768};
    bool fullScreen = false;
};

// Everything the game asks of its window, input devices and clock. The game
// has one window; the adapter over GLFW serves the real game and a scripted
// one serves the tests. Calls that need an open window do nothing without one.
class Window {
public:
    using SizeCallback = void (*)(int width, int height);

    virtual ~Window();

    // Starts the window library; false when it cannot (no display, say).
    virtual bool init() = 0;
    // Closes the window and ends the window library.
    virtual void terminate() = 0;
    virtual bool openWindow(int width, int height, int depthBits) = 0;
    // Full screen on the main monitor; adapters without monitors open a
    // window of the default size instead.
    virtual bool openFullScreen(int depthBits);
    virtual void setTitle(const std::string& title) = 0;
    // False once the user has closed the window, or before it was opened.
    virtual bool isOpen() const = 0;

    virtual void swapBuffers() = 0;
    // From now on swaps come at an even pace: the display's refresh where
    // the driver waits for it, else at most `framerate` a second (0: as fast
    // as frames are made). A frame that comes late is shown at once.
    virtual void paceSwaps(int framerate);
    virtual void pollEvents() = 0;
    // When on (the start state), swapBuffers also processes pending events.
    virtual void setAutoPollEvents(bool enabled) = 0;

    virtual void sleep(double seconds) = 0;
    virtual double getTime() const = 0;
    virtual void setTime(double seconds) = 0;

    virtual bool isKeyDown(int code) const = 0;
    virtual bool isMouseButtonDown(int button) const = 0;
    virtual CursorPosition getCursorPosition() const = 0;
    // A running count of wheel steps, upward positive.
    virtual int getMouseWheel() const = 0;
    // Hidden, the pointer is held by the window and moves without limit.
    virtual void setCursorVisible(bool visible) = 0;
    // Whether the window has the keyboard's focus; adapters without a
    // desktop always have it.
    virtual bool isFocused() const;
    // The first gamepad plugged in, as it was at the last poll of events;
    // not connected when there is none (the default for adapters without
    // gamepads).
    virtual GamepadState getGamepad() const;

    virtual WindowSize getSize() const = 0;
    // Called with the new size whenever the window is resized.
    virtual void setSizeCallback(SizeCallback callback) = 0;
};

// The process-wide adapter; the GLFW one unless another was installed.
Window& window();
// Replaces the process-wide adapter (tests install a ScriptedWindow).
void installWindow(std::unique_ptr<Window> replacement);

}  // namespace lum

#endif
