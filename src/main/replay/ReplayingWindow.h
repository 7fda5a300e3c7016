#ifndef GLIMMET_REPLAYINGWINDOW_H
#define GLIMMET_REPLAYINGWINDOW_H

#include <memory>

#include "replay/ForwardingWindow.h"
#include "replay/ReplayFile.h"

namespace lum {

// The real window for the pictures only: the clock and the input frames come
// from a replay file. Sleeping takes no time and swaps keep no pace, so a
// replay runs as fast as the machine allows. The game's loop stops where the recording does, or
// when the real window is closed.
class ReplayingWindow : public ForwardingWindow {
public:
    ReplayingWindow(std::unique_ptr<Window> real, std::shared_ptr<ReplayReader> reader);

    bool isOpen() const override;
    void paceSwaps(int framerate) override;
    void sleep(double seconds) override;
    double getTime() const override;
    void setTime(double seconds) override;

private:
    void takeFrame(const InputFrame& taken) override;

    std::shared_ptr<ReplayReader> reader;
};

}  // namespace lum

#endif
