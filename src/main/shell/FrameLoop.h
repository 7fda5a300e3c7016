#ifndef GLIMMET_FRAMELOOP_H
#define GLIMMET_FRAMELOOP_H

#include <functional>

namespace lum {

// The work of one frame with its time step; false ends the pass early, so
// the frame is not presented (paused game, dead player).
using GamePass = std::function<bool(double dt)>;

// Resets the frame clock, then runs passes until the window is closed.
void runFrameLoop(const GamePass& gamePass);

// One pass: tick the clock, sleep out the rest of 0.03 s after a short
// interval, run the game pass with the clamped time step, present the frame.
void runFramePass(const GamePass& gamePass);

}  // namespace lum

#endif
