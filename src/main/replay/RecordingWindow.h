#ifndef GLIMMET_RECORDINGWINDOW_H
#define GLIMMET_RECORDINGWINDOW_H

#include <memory>

#include "replay/ForwardingWindow.h"
#include "replay/ReplayFile.h"

namespace lum {

// The real window, with every reading of the clock and every answer about
// input written down as the game gets it, so a replay can give the same.
class RecordingWindow : public ForwardingWindow {
public:
    RecordingWindow(std::unique_ptr<Window> real, std::shared_ptr<ReplayWriter> writer);

    bool isOpen() const override;
    double getTime() const override;
    bool isKeyDown(int code) const override;
    bool isMouseButtonDown(int button) const override;
    CursorPosition getCursorPosition() const override;
    int getMouseWheel() const override;
    GamepadState getGamepad() const override;
    WindowSize getSize() const override;

private:
    // Writes the answer down and gives it.
    template <class Answer>
    Answer noted(Answer answer, const InputChange& change) const;

    std::shared_ptr<ReplayWriter> writer;
};

}  // namespace lum

#endif
