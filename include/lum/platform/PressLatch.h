#ifndef LUM_PLATFORM_PRESSLATCH_H
#define LUM_PLATFORM_PRESSLATCH_H

#include <functional>
#include <vector>

namespace lum {

// Makes held keys and buttons act once per press. Each of `count` slots (a
// key, a button) is taken when it acts and stays taken until it is seen up.
class PressLatch {
public:
    // Whether slot `slot` is down now.
    using IsDown = std::function<bool(int slot)>;

    explicit PressLatch(int count);

    // True once per press: `down` and not taken since it went down; takes it.
    bool pressedOnce(int slot, bool down);
    // Frees every slot that is up again.
    void releaseUp(const IsDown& isDown);
    // Takes every slot that is down now, so a key or button still held from
    // before acts only when pressed anew.
    void takeHeld(const IsDown& isDown);

private:
    std::vector<bool> taken;
};

}  // namespace lum

#endif
