#ifndef GLIMMET_REPLAYINGWINDOW_H
#define GLIMMET_REPLAYINGWINDOW_H

#include <memory>

#include "replay/ForwardingWindow.h"
#include "replay/ReplayFile.h"

namespace lum {

// The real window for the pictures only: the clock and the input come from a
// replay file. Sleeping takes no time and swaps keep no pace, so a replay
// runs as fast as the machine allows. The game's loop stops where the recording does, or when
// the real window is closed.
class ReplayingWindow : public ForwardingWindow {
public:
    ReplayingWindow(std::unique_ptr<Window> real, std::shared_ptr<ReplayReader> reader);

    bool isOpen() const override;
    void paceSwaps(int framerate) override;
    void sleep(double seconds) override;
    double getTime() const override;
    void setTime(double seconds) override;
    bool isKeyDown(int code) const override;
    bool isMouseButtonDown(int button) const override;
    CursorPosition getCursorPosition() const override;
    int getMouseWheel() const override;
    GamepadState getGamepad() const override;
    WindowSize getSize() const override;

private:
    const InputState& answers(InputField field, int index = 0) const;

    std::shared_ptr<ReplayReader> reader;
};

}  // namespace lum

#endif
