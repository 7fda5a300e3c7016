#ifndef LUM_CHARACTER_TOYS_H
#define LUM_CHARACTER_TOYS_H

#include "lum/character/Character.h"
#include "lum/physics/PhysicsNode.h"

namespace lum {

// The toys of the rooms: physics objects with health that cannot really die.

class ToyMouse : public Character, public PhysicsNode {
public:
    static boost::shared_ptr<ToyMouse> make(const std::string& name, boost::weak_ptr<Node> parent);
    void kill() override;

private:
    friend class PhysicsNode;
    explicit ToyMouse(const std::string& name);
};

class ToyRobot : public Character, public PhysicsNode {
public:
    static boost::shared_ptr<ToyRobot> make(const std::string& name, boost::weak_ptr<Node> parent);
    void kill() override;

private:
    friend class PhysicsNode;
    explicit ToyRobot(const std::string& name);
};

}  // namespace lum

#endif
