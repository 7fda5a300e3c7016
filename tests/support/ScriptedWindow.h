#ifndef GLIMMET_TESTS_SCRIPTEDWINDOW_H
#define GLIMMET_TESTS_SCRIPTEDWINDOW_H

#include <deque>
#include <vector>

#include "lum/platform/Window.h"
#include "lum/util/FramePacer.h"

namespace lum {

// A window without a screen for tests: the test sets keys, mouse and clock,
// and sleeping advances the clock by exactly the time slept, as does a swap
// waiting for its pace.
class ScriptedWindow : public Window {
public:
    ScriptedWindow();

    bool init() override;
    void terminate() override;
    bool openWindow(int width, int height, int depthBits) override;
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

    // Full screen takes the scripted screen's size; leaving it, the window
    // takes its windowed size again.
    void setFullScreen(bool on) override;
    bool isFullScreen() const override;
    void setWindowedSize(WindowSize size) override;
    WindowSize screenSize() const override;

    // What the test script does. It stands for events already taken: what it
    // sets is in the frame at once, as if polled.
    void close();
    void advanceTime(double seconds);
    void setKey(int code, bool down);
    void setMouseButton(int button, bool down);
    void setCursorPosition(CursorPosition position);
    void resize(WindowSize size);
    void setFocused(bool focused);
    // Plugs a pad in, changes what it holds or (with a state that is not
    // connected) unplugs it.
    void setGamepad(const GamepadState& state);
    // What the pad holds at each of the next polls, one state a poll, for
    // screens that wait inside a single call; the last one stays.
    void setGamepadAtPolls(const std::vector<GamepadState>& states);

    // What the test inspects.
    int getSwapCount() const;
    int getPollCount() const;
    bool isCursorVisible() const;

private:
    double clock;
    int swapCount;
    int pollCount;
    bool cursorVisible;
    SizeCallback sizeCallback;
    bool fullScreen;
    WindowSize windowed;
    WindowSize screen;
    std::deque<GamepadState> padAtPolls;
    FramePacer pacer;
};

}  // namespace lum

#endif
