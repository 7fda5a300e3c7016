#ifndef LUM_PLATFORM_WINDOW_H
#define LUM_PLATFORM_WINDOW_H

#include <memory>
#include <string>

#include "lum/platform/InputFrame.h"

namespace lum {

// The window's bounds: smaller ones cut the title and end screens' texts.
const WindowSize smallestWindow = {320, 240};
const int largestWindowSide = 16384;

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
    // Puts `height` rows of `width` RGB pixels, bottom row first as OpenGL
    // takes them, on the window at once through the window system, when
    // the window is exactly that size: a first picture shows before the
    // driver has drawn anything. The next swap covers it. False when the
    // adapter cannot; the picture is then drawn and swapped as any frame.
    virtual bool putPicture(int width, int height, const unsigned char* rgbRows);
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

    // Input as it stood at the last poll of events (or the window's opening):
    // asking again, or asking more, changes nothing.
    const InputFrame& frame() const { return current; }
    bool isKeyDown(int code) const { return current.isKeyDown(code); }
    bool isMouseButtonDown(int button) const { return current.isButtonDown(button); }
    CursorPosition getCursorPosition() const { return current.cursor; }
    // A running count of wheel steps, upward positive.
    int getMouseWheel() const { return current.wheel; }
    // Whether the window has the keyboard's focus; adapters without a
    // desktop always have it.
    bool isFocused() const { return current.focused; }
    // The first gamepad plugged in; not connected when there is none.
    const GamepadState& getGamepad() const { return current.pad; }
    WindowSize getSize() const { return current.size; }

    // Hidden, the pointer is held by the window and moves without limit.
    virtual void setCursorVisible(bool visible) = 0;
    // Called with the new size whenever the window is resized.
    virtual void setSizeCallback(SizeCallback callback) = 0;

    // Full screen on the main monitor in the monitor's current mode, or back
    // to a window of its windowed size. Asked of a window that is already
    // so, or of none, it does nothing.
    virtual void setFullScreen(bool on) = 0;
    virtual bool isFullScreen() const = 0;
    // The window's size whenever it is not full screen: a window resizes at
    // once, a full-screen one takes the size as it leaves full screen.
    virtual void setWindowedSize(WindowSize size) = 0;
    // The main monitor's size, which a window should fit in.
    virtual WindowSize screenSize() const = 0;

protected:
    // What the adapter took at its last poll; the game reads it until the next.
    void setFrame(const InputFrame& taken) { current = taken; }
    InputFrame& changeFrame() { return current; }

private:
    InputFrame current;
};

// The process-wide adapter; the GLFW one unless another was installed.
Window& window();
// Replaces the process-wide adapter (tests install a ScriptedWindow).
void installWindow(std::unique_ptr<Window> replacement);

}  // namespace lum

#endif
