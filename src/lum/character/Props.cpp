#include "lum/character/Props.h"

#include <BulletDynamics/Dynamics/btRigidBody.h>

#include "lum/physics/PhysicsSystem.h"
#include "lum/scene/Node.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// How many times its weight a block balancing past a rim has: four carries
// a block from a hair past the rim over it within a second.
const float overhangWeight = 4;
// Falling faster than this (units/s), a block has left the rim and falls as
// anything does.
const float droppingSpeed = 5;
// How far below its lowest point a block still finds what it stands on.
const float standingReach = 0.2f;

bool isBlock(const Spatial& spatial) {
    return dynamic_cast<const RedCube*>(&spatial) != nullptr ||
           dynamic_cast<const GreenCube*>(&spatial) != nullptr ||
           dynamic_cast<const BlueCube*>(&spatial) != nullptr;
}

// Nothing straight below the block's centre of mass, down to a little below
// its lowest point, holds it up.
bool nothingUnderCentre(const btRigidBody& body) {
    btVector3 lowest, highest;
    body.getAabb(lowest, highest);
    const btVector3 centre = body.getCenterOfMassPosition();
    const glm::vec3 from(centre.x(), centre.y(), centre.z());
    const float reach = centre.y() - lowest.y() + standingReach;
    return PhysicsSystem::instance().rayTest(from, from - glm::vec3(0, reach, 0)).node == nullptr;
}

void weighBlock(PhysicsNode& block) {
    btRigidBody* const body = block.getBody();
    if (body == nullptr || body->getInvMass() == 0 || !body->isInWorld()) {
        return;
    }
    const glm::vec3 g = PhysicsSystem::instance().getGravity();
    const bool balancing =
        body->getLinearVelocity().y() > -droppingSpeed && nothingUnderCentre(*body);
    const float weight = balancing ? overhangWeight : 1.0f;
    body->setGravity(btVector3(g.x, g.y, g.z) * weight);
}

}  // namespace

void tipBlocksOverRims(Node& root) {
    LUM_TRACE_BEGIN
    for (const boost::shared_ptr<Spatial>& child : root) {
        if (isBlock(*child)) {
            weighBlock(static_cast<PhysicsNode&>(*child));
        } else if (dynamic_cast<PhysicsNode*>(child.get()) == nullptr) {
            // A body's own parts are shapes of it, never blocks of their own.
            if (Node* const group = dynamic_cast<Node*>(child.get())) {
                tipBlocksOverRims(*group);
            }
        }
    }
    LUM_TRACE_END
}

RedCube::RedCube(const std::string& name) : PhysicsNode(name) {}

boost::shared_ptr<RedCube> RedCube::make(const std::string& name, boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    return makeKind<RedCube>(name, parent);
    LUM_TRACE_END
}

GreenCube::GreenCube(const std::string& name) : PhysicsNode(name) {}

boost::shared_ptr<GreenCube> GreenCube::make(const std::string& name,
                                             boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    return makeKind<GreenCube>(name, parent);
    LUM_TRACE_END
}

BlueCube::BlueCube(const std::string& name) : PhysicsNode(name) {}

boost::shared_ptr<BlueCube> BlueCube::make(const std::string& name, boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    return makeKind<BlueCube>(name, parent);
    LUM_TRACE_END
}

Door::Door(const std::string& name) : PhysicsNode(name) {}

boost::shared_ptr<Door> Door::make(const std::string& name, boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    return makeKind<Door>(name, parent);
    LUM_TRACE_END
}

}  // namespace lum
