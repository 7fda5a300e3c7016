#ifndef LUM_CHARACTER_CHARACTER_H
#define LUM_CHARACTER_CHARACTER_H

namespace lum {

// Health for objects that can die: mixed into the toys and the player.
// Never destroyed through a Character pointer.
class Character {
public:
    Character(int health, int maximumHealth);

    // Dies (kill) once health drops below zero; 0 itself is still alive.
    virtual void damage(int amount);
    // Raises health, never above maximumHealth.
    virtual void heal(int amount);
    virtual void kill() = 0;

    int health;
    int maximumHealth;

protected:
    ~Character() = default;
};

}  // namespace lum

#endif
