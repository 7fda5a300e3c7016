#ifndef LUM_CHARACTER_GLIMMET_H
#define LUM_CHARACTER_GLIMMET_H

#include <string>

#include "lum/character/Character.h"
#include "lum/physics/PhysicsNode.h"
#include "lum/util/Singleton.h"

namespace lum {

// Tobble the Glimmet, the player: one object for the whole run, created on
// first use. The singleton owns it; the scene holds it through `self`,
// whose deleter does nothing.
class Glimmet : public Character, public PhysicsNode, public Singleton<Glimmet, 0> {
public:
    Glimmet();
    // Never runs in the game: the singleton lives to the end of the process.
    ~Glimmet() noexcept override;

    void kill() override;
    // Clears onGround; the physics step that follows sets it again while the
    // body keeps touching something.
    void update(double dt) override;
    void onContactContinue(PhysicsNode* other) override;

    bool onGround;
    bool alive;
    boost::shared_ptr<Glimmet> self;
};

}  // namespace lum

#endif
