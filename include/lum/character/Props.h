#ifndef LUM_CHARACTER_PROPS_H
#define LUM_CHARACTER_PROPS_H

#include "lum/physics/PhysicsNode.h"

namespace lum {

// The level's movable things without behaviour of their own. They exist as
// kinds so that levels can create them by name and the level logic can find
// them. Each make returns the object under parent without a body; the caller
// gives it children and a mass, then rebuilds and activates it.

class RedCube : public PhysicsNode {
public:
    static boost::shared_ptr<RedCube> make(const std::string& name, boost::weak_ptr<Node> parent);

private:
    friend class PhysicsNode;
    explicit RedCube(const std::string& name);
};

class GreenCube : public PhysicsNode {
public:
    static boost::shared_ptr<GreenCube> make(const std::string& name, boost::weak_ptr<Node> parent);

private:
    friend class PhysicsNode;
    explicit GreenCube(const std::string& name);
};

class BlueCube : public PhysicsNode {
public:
    static boost::shared_ptr<BlueCube> make(const std::string& name, boost::weak_ptr<Node> parent);

private:
    friend class PhysicsNode;
    explicit BlueCube(const std::string& name);
};

class Door : public PhysicsNode {
public:
    static boost::shared_ptr<Door> make(const std::string& name, boost::weak_ptr<Node> parent);

private:
    friend class PhysicsNode;
    explicit Door(const std::string& name);
};

// Blocks pushed over a rim: from rest a hair past it, a block tips about
// the rim so slowly under the world's gravity alone (two seconds) that
// players read it as stuck and push again, following it over. While a block
// has nothing under its centre within its own reach and is not yet dropping
// away, it weighs more, so it goes over within a second. Called by the game
// each pass before the physics step, over the scene below `root`.
void tipBlocksOverRims(Node& root);

}  // namespace lum

#endif
