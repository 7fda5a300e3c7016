#ifndef GLIMMET_FRAMELOOP_H
#define GLIMMET_FRAMELOOP_H

#include <functional>

namespace lum {

// The work of one frame with its time step; false ends the pass early, so
// the frame is not presented (paused game, dead player).
using GamePass = std::function<bool(double dt)>;

// Resets the frame clock and paces the window's swaps by the framerate
// setting, then runs passes until the window is closed.
void runFrameLoop(const GamePass& gamePass);

// One pass: tick the clock, run the game pass with the clamped time step,
// present the frame (at the window's pace).
void runFramePass(const GamePass& gamePass);

}  // namespace lum

#endif
