#include "replay/RecordingWindow.h"

namespace lum {

RecordingWindow::RecordingWindow(std::unique_ptr<Window> real, std::shared_ptr<ReplayWriter> writer)
    : ForwardingWindow(std::move(real)), writer(std::move(writer)) {}

bool RecordingWindow::isOpen() const {
    return frame().open;
}

double RecordingWindow::getTime() const {
    const double now = realWindow().getTime();
    writer->clock(now);
    return now;
}

void RecordingWindow::takeFrame(const InputFrame& taken) {
    writer->frame(taken);
    ForwardingWindow::takeFrame(taken);
}

}  // namespace lum
