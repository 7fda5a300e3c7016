#ifndef GLIMMET_TESTS_SCRIPTEDGLFWWINDOW_H
#define GLIMMET_TESTS_SCRIPTEDGLFWWINDOW_H

#include <array>
#include <functional>

#include "lum/render/GlfwWindow.h"
#include "lum/render/Renderer.h"

// The real GLFW window, so the game draws into a real OpenGL context, but
// with the keyboard, mouse and clock in the test's hands: keys are what the
// test holds, the mouse rests, and the clock moves only when the test moves
// it or the game sleeps. Install it before the Renderer is made.
//
// By default the window is a quarter as wide and high as asked: the game
// still draws everything it draws, through a viewport of the full size, but
// a software rasteriser fills only the pixels that lie in the window, a
// sixteenth. And only one presented frame in `drawEvery` is drawn: the game
// logic, physics and scene update run in every pass, but in the others the
// renderer leaves the drawing out (the software rasteriser would spend most
// of a playthrough's time on pictures nobody looks at). Tests that look at
// the whole picture of every frame ask for 1 and 1.
class ScriptedGlfwWindow : public lum::GlfwWindow {
public:
    explicit ScriptedGlfwWindow(int shrink = 4, int drawEvery = 4)
        : shrink(shrink), drawEvery(drawEvery), clock(0), keys() {}

    // Called whenever the game sleeps: between passes in the frame loop, and
    // inside a pass while an end screen waits for a key.
    void onWait(std::function<void()> handler) { waitHandler = std::move(handler); }

    void setKey(int code, bool down) { keys.at(code) = down; }
    void releaseAllKeys() { keys.fill(false); }
    void advanceTime(double seconds) { clock += seconds; }

    bool openWindow(int width, int height, int depthBits) override {
        return lum::GlfwWindow::openWindow(width / shrink, height / shrink, depthBits);
    }

    bool isKeyDown(int code) const override {
        return code >= 0 && code <= lum::key::Last && keys[code];
    }
    bool isMouseButtonDown(int) const override { return false; }
    lum::CursorPosition getCursorPosition() const override { return lum::CursorPosition{512, 384}; }
    int getMouseWheel() const override { return 0; }

    void swapBuffers() override {
        if (lum::Renderer::instance().isDrawing()) lum::GlfwWindow::swapBuffers();
        ++presented;
        lum::Renderer::instance().setDrawing(presented % drawEvery == 0);
    }

    double getTime() const override { return clock; }
    void setTime(double seconds) override { clock = seconds; }
    void sleep(double seconds) override {
        clock += seconds;
        if (waitHandler) {
            waitHandler();
        }
    }

private:
    const int shrink;
    const int drawEvery;
    double clock;
    long presented = 0;
    std::array<bool, lum::key::Last + 1> keys;
    std::function<void()> waitHandler;
};

#endif
