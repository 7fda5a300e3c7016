#include "lum/character/Character.h"

#include <algorithm>

namespace lum {

Character::Character(int health, int maximumHealth)
    : health(health), maximumHealth(maximumHealth) {}

void Character::damage(int amount) {
    health -= amount;
    if (health < 0) {
        kill();
    }
}

void Character::heal(int amount) {
    health = std::max(health, std::min(health + amount, maximumHealth));
}

}  // namespace lum
