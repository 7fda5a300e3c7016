#ifndef GLIMMET_GAME_H
#define GLIMMET_GAME_H

namespace lum {

// The game's flow on top of the frame loop: start-up (title screen and first
// level), the preparation before the first pass, and the work of each pass.
class Game {
public:
    void start();
    void prepareLoop();
    // Returns false when the pass ends early and the frame is not presented.
    bool pass(double dt);
};

}  // namespace lum

#endif
