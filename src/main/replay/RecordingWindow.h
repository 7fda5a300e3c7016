#ifndef GLIMMET_RECORDINGWINDOW_H
#define GLIMMET_RECORDINGWINDOW_H

#include <memory>

#include "replay/ForwardingWindow.h"
#include "replay/ReplayFile.h"

namespace lum {

// The real window, with every reading of the clock and every input frame
// written down as the game gets them, so a replay can give the same.
class RecordingWindow : public ForwardingWindow {
public:
    RecordingWindow(std::unique_ptr<Window> real, std::shared_ptr<ReplayWriter> writer);

    // Open as of the last frame, as a replay gives it.
    bool isOpen() const override;
    double getTime() const override;

private:
    void takeFrame(const InputFrame& taken) override;

    std::shared_ptr<ReplayWriter> writer;
};

}  // namespace lum

#endif
