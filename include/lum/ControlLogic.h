#ifndef LUM_CONTROLLOGIC_H
#define LUM_CONTROLLOGIC_H

#include <string>

#include <boost/shared_ptr.hpp>

#include "lum/KeyBindings.h"
#include "lum/platform/PressLatch.h"
#include "lum/util/Singleton.h"

namespace lum {

class Camera;

// Turns keys and the gamepad into actions: quitting, pausing, the game
// speed, the option toggles (each announced on screen), the player's modes
// and its pushes. Toggle keys act once per press, and at most one of them
// per frame.
class ControlLogic : public Singleton<ControlLogic, 0> {
public:
    ControlLogic();

    void setCamera(const boost::shared_ptr<Camera>& camera);
    // True when a key that ends the handling (pause or a toggle) acted.
    bool handleKeys(float dt);
    // Frees the latch of every toggle key that is up again.
    void releaseLatches();
    // Latches every toggle key that is down now, so a key still held from
    // another screen (F2 or F3 choosing a level) acts only when pressed anew.
    void latchHeldKeys();
    // The mode keys, and the pad's shoulders stepping through the learnt modes.
    void handleModeKeys();
    // Pushes the player away from the camera's side (keys and the left
    // stick), only while it stands on something; a press of Space (or the
    // pad's A) in jump mode jumps once.
    void movePlayer(float dt);

private:
    // The edge-triggered keys: the pause's (P unless the player chose
    // another), then F2 to F11.
    static const int latchCount = 11;
    static int latchedKey(int index);
    // Whether the toggle key of latch `index` is down.
    static bool latchedKeyDown(int index);
    // Whether the key the player chose for `action` is down.
    static bool actionKeyDown(action::Action action);
    bool pressedOnce(int index);
    // Counts how long the pad's Back has been held, with this pass's dt.
    bool backHeldLongEnough(float dt);
    // Whether a press of the jump key or the pad's A is still waiting,
    // counting down with this pass's dt.
    bool jumpAsked(float dt);
    void togglePause();
    void changeSpeed(float change);
    void runToggle(int index);

    boost::shared_ptr<Camera> camera;
    PressLatch latches;
    double backHeld;  // seconds
    // How much longer the last jump press still asks for a jump (seconds),
    // and whether the jump key or the pad's A was down at the pass before.
    double jumpAskLeft;
    bool jumpKeyWasDown;
};

}  // namespace lum

#endif
