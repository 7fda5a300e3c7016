#ifndef GLIMMET_TESTS_SCRIPTEDGLFWWINDOW_H
#define GLIMMET_TESTS_SCRIPTEDGLFWWINDOW_H

#include <GL/glew.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ScriptedWindow.h"
#include "flow/Game.h"
#include "lum/platform/GlfwWindow.h"
#include "lum/render/Renderer.h"

using Rgb = std::array<int, 3>;

// The colour of one pixel of the frame being drawn (the back buffer).
inline Rgb pixelAt(int x, int y) {
    unsigned char pixel[3] = {0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    return Rgb{pixel[0], pixel[1], pixel[2]};
}

// The size of the picture being drawn: a test window may be smaller than
// the 1024 x 768 the game asks for.
inline lum::WindowSize drawnSize() {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return lum::WindowSize{viewport[2], viewport[3]};
}

inline Rgb centreColour() {
    const lum::WindowSize size = drawnSize();
    return pixelAt(size.width / 2, size.height / 2);
}

// How many pixels of the frame being drawn are white in a band of text: from
// x -0.5 to 0.9 and y `from` to `from` + 0.06 of the screen.
inline int whitePixelsInBand(float from) {
    const lum::WindowSize size = drawnSize();
    const int left = size.width / 4;
    const int bottom = static_cast<int>((from + 1) / 2 * size.height);
    const int width = size.width * 7 / 10;
    const int height = size.height * 3 / 100;
    std::vector<unsigned char> pixels(width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(left, bottom, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int white = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        white += pixels[i] > 240 && pixels[i + 1] > 240 && pixels[i + 2] > 240;
    }
    return white;
}

// What a presented frame showed: the colour at its centre, which tells the
// full-screen pictures apart, and how many white pixels it had where the
// game writes its messages.
struct PresentedFrame {
    Rgb centre;
    int messagePixels;
};

// A scripted window (keys, mouse, gamepad and clock in the test's hands, as
// in lum::ScriptedWindow) whose pictures go to a real GLFW window, so the game
// draws into a real OpenGL context. The real window supplies only the
// pixels, its size (taken when it polls) and its context; all input and time are the script's.
// The mouse rests at the middle of the screen; the clock moves only when the
// test moves it or the game sleeps. Install it before the Renderer is made.
//
// Options:
// - `shrink`: by default the window is a quarter as wide and high as asked:
//   the game still draws everything it draws, through a viewport of the full
//   size, but a software rasteriser fills only the pixels that lie in the
//   window, a sixteenth.
// - `drawEvery`: only one presented frame in `drawEvery` is drawn: the game
//   logic, physics and scene update run in every pass, but in the others the
//   renderer leaves the drawing out (the software rasteriser would spend
//   most of a playthrough's time on pictures nobody looks at).
// - `recordFrames`: every presented frame is remembered in `presented`.
// Tests that look at the whole picture of every frame ask for 1 and 1.
class ScriptedGlfwWindow : public lum::ScriptedWindow {
public:
    explicit ScriptedGlfwWindow(int shrink = 4, int drawEvery = 4, bool recordFrames = false)
        : shrink(shrink), drawEvery(drawEvery), recording(recordFrames) {
        setCursorPosition(lum::CursorPosition{512, 384});
    }

    // Called whenever the game sleeps: between passes in the frame loop, and
    // inside a pass while an end screen waits for a key.
    void onWait(std::function<void()> handler) { waitHandler = std::move(handler); }

    void releaseAllKeys() {
        for (int code = 0; code <= lum::key::Last; ++code) {
            setKey(code, false);
        }
    }

    bool init() override { return screen.init() && ScriptedWindow::init(); }
    void terminate() override {
        screen.terminate();
        ScriptedWindow::terminate();
    }
    bool openWindow(int width, int height, int depthBits) override {
        if (!screen.openWindow(width / shrink, height / shrink, depthBits) ||
            !ScriptedWindow::openWindow(width, height, depthBits)) {
            return false;
        }
        resize(screen.getSize());
        return true;
    }
    void setTitle(const std::string& title) override {
        screen.setTitle(title);
        ScriptedWindow::setTitle(title);
    }
    // Open until the test closes it, as long as the real window stands.
    bool isOpen() const override { return ScriptedWindow::isOpen() && screen.isOpen(); }

    void swapBuffers() override {
        if (recording) {
            presented.push_back(PresentedFrame{centreColour(), whitePixelsInBand(lum::messageTop)});
        }
        // A pass the renderer left undrawn has nothing to show.
        if (lum::Renderer::instance().isDrawing()) screen.swapBuffers();
        ScriptedWindow::swapBuffers();
        lum::Renderer::instance().setDrawing(getSwapCount() % drawEvery == 0);
    }
    // The real window's events matter only to what it shows (its size, its
    // exposure): it is asked for them in the passes that draw, not in every
    // poll, each of which is a trip to the X server.
    void pollEvents() override {
        if (!lum::Renderer::isInitialized() || lum::Renderer::instance().isDrawing()) {
            screen.pollEvents();
            resize(screen.getSize());
        }
        ScriptedWindow::pollEvents();
    }
    void setAutoPollEvents(bool enabled) override { screen.setAutoPollEvents(enabled); }
    void setCursorVisible(bool visible) override {
        screen.setCursorVisible(visible);
        ScriptedWindow::setCursorVisible(visible);
    }

    void sleep(double seconds) override {
        ScriptedWindow::sleep(seconds);
        if (waitHandler) {
            waitHandler();
        }
    }

    void setSizeCallback(SizeCallback callback) override { screen.setSizeCallback(callback); }

    // Full screen and the window's size are the real window's, so the game
    // reads its size and the renderer hears of each change as they really
    // come; a size is shrunk as at the opening.
    void setFullScreen(bool on) override { screen.setFullScreen(on); }
    bool isFullScreen() const override { return screen.isFullScreen(); }
    void setWindowedSize(lum::WindowSize size) override {
        screen.setWindowedSize({size.width / shrink, size.height / shrink});
    }
    lum::WindowSize screenSize() const override { return screen.screenSize(); }

    // With `recordFrames`: every presented frame, oldest first.
    std::vector<PresentedFrame> presented;

private:
    const int shrink;
    const int drawEvery;
    const bool recording;
    std::function<void()> waitHandler;
    lum::GlfwWindow screen;
};

#endif
