#ifndef LUM_CHARACTER_CORN_H
#define LUM_CHARACTER_CORN_H

#include "lum/physics/PhysicsNode.h"

namespace lum {

// Corn vanishes at its first contact with the player: it leaves the world
// and its parent in the same physics step.
class Corn : public PhysicsNode {
public:
    static boost::shared_ptr<Corn> make(const std::string& name, boost::weak_ptr<Node> parent);
    void onContactBegin(PhysicsNode* other) override;

private:
    friend class PhysicsNode;
    explicit Corn(const std::string& name);
};

}  // namespace lum

#endif
