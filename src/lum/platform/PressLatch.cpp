#include "lum/platform/PressLatch.h"

namespace lum {

PressLatch::PressLatch(int count) : taken(count, false) {}

bool PressLatch::pressedOnce(int slot, bool down) {
    if (!down || taken[slot]) {
        return false;
    }
    taken[slot] = true;
    return true;
}

void PressLatch::releaseUp(const IsDown& isDown) {
    for (int slot = 0; slot < static_cast<int>(taken.size()); ++slot) {
        taken[slot] = taken[slot] && isDown(slot);
    }
}

void PressLatch::takeHeld(const IsDown& isDown) {
    for (int slot = 0; slot < static_cast<int>(taken.size()); ++slot) {
        taken[slot] = taken[slot] || isDown(slot);
    }
}

}  // namespace lum
