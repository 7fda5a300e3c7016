#include "lum/physics/PhysicsNode.h"

#include <BulletCollision/CollisionShapes/btCompoundShape.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

#include "lum/physics/BulletMath.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Light.h"
#include "lum/util/Assert.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// Lights and cameras are not solid, whatever shape they carry.
bool isSolid(const Spatial& leaf) {
    return dynamic_cast<const Light*>(&leaf) == nullptr &&
           dynamic_cast<const Camera*>(&leaf) == nullptr;
}

// Leaves scale their shapes only when they are updated: before a compound
// takes them they must have the size they will be drawn at.
void scaleShapesBelow(Node& node) {
    for (int i = 0; i < node.getChildCount(); ++i) {
        const boost::shared_ptr<Spatial> child = node.Node::getChild(i);
        child->updateWorldTransform();
        child->updateShapeScaling();
        if (Node* const inner = dynamic_cast<Node*>(child.get())) {
            scaleShapesBelow(*inner);
        }
    }
}

glm::vec3 scaleOf(const btCollisionShape& shape) {
    const btVector3& s = shape.getLocalScaling();
    return glm::vec3(s.x(), s.y(), s.z());
}

}  // namespace

void PhysicsNode::Deleter::operator()(PhysicsNode* node) const {
    // Out of the world while the whole object, subclass parts included, still
    // exists; the destructor then frees the body.
    node->deactivate();
    delete node;
}

PhysicsNode::PhysicsNode(const std::string& name)
    : Node(name), active(false), inWorld(false), mass(0.0f) {}

boost::shared_ptr<PhysicsNode> PhysicsNode::make(const std::string& name,
                                                 boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<PhysicsNode> node(new PhysicsNode(name), Deleter());
    node->setParent(parent);
    return node;
    LUM_TRACE_END
}

PhysicsNode::~PhysicsNode() {
    if (body) {
        body->setUserPointer(nullptr);
    }
    deactivate();
}

void PhysicsNode::update(double dt) {
    LUM_TRACE_BEGIN
    if (!active) {
        updateWorldTransform();
        updateShapeScaling();
    }
    // Node's own getChild: the guarded one refuses while active. By index and
    // through a copy, as Node::update does, since a child may change the list.
    for (int i = 0; i < getChildCount(); ++i) {
        const boost::shared_ptr<Spatial> child = Node::getChild(i);
        child->update(dt);
    }
    refreshCompoundBounds();
    LUM_TRACE_END
}

void PhysicsNode::addChild(boost::shared_ptr<Spatial> child) {
    LUM_TRACE_BEGIN
    refuseWhileActive();
    Node::addChild(child);
    LUM_TRACE_END
}

boost::shared_ptr<Node> PhysicsNode::createChild(const std::string& name) {
    LUM_TRACE_BEGIN
    refuseWhileActive();
    return Node::createChild(name);
    LUM_TRACE_END
}

void PhysicsNode::removeChild(boost::shared_ptr<Spatial> child) {
    LUM_TRACE_BEGIN
    refuseWhileActive();
    Node::removeChild(child);
    LUM_TRACE_END
}

void PhysicsNode::removeChild(const std::string& name) {
    LUM_TRACE_BEGIN
    refuseWhileActive();
    Node::removeChild(name);
    LUM_TRACE_END
}

void PhysicsNode::removeChild(int index) {
    LUM_TRACE_BEGIN
    refuseWhileActive();
    Node::removeChild(index);
    LUM_TRACE_END
}

void PhysicsNode::removeAllChildren() {
    LUM_TRACE_BEGIN
    refuseWhileActive();
    Node::removeAllChildren();
    LUM_TRACE_END
}

boost::shared_ptr<Spatial> PhysicsNode::getChild(const std::string& name) {
    LUM_TRACE_BEGIN
    refuseWhileActive();
    return Node::getChild(name);
    LUM_TRACE_END
}

boost::shared_ptr<Spatial> PhysicsNode::getChild(int index) {
    LUM_TRACE_BEGIN
    refuseWhileActive();
    return Node::getChild(index);
    LUM_TRACE_END
}

Node::iterator PhysicsNode::begin() {
    LUM_TRACE_BEGIN
    refuseWhileActive();
    return Node::begin();
    LUM_TRACE_END
}

Node::iterator PhysicsNode::end() {
    LUM_TRACE_BEGIN
    refuseWhileActive();
    return Node::end();
    LUM_TRACE_END
}

void PhysicsNode::onContactBegin(PhysicsNode*) {}

void PhysicsNode::onContactContinue(PhysicsNode*) {}

void PhysicsNode::onContactEnd(PhysicsNode*) {}

void PhysicsNode::getWorldTransform(btTransform& out) const {
    const Transform& world = getWorldTransform();
    out.setRotation(toBullet(world.rotation));
    out.setOrigin(toBullet(world.translation));
}

void PhysicsNode::setWorldTransform(const btTransform& in) {
    Transform world = getWorldTransform();
    const btVector3& origin = in.getOrigin();
    const btQuaternion rotation = in.getRotation();
    world.translation = glm::vec3(origin.x(), origin.y(), origin.z());
    world.rotation = glm::quat(rotation.w(), rotation.x(), rotation.y(), rotation.z());
    setWorldPlacement(world);
}

void PhysicsNode::activate() {
    LUM_TRACE_BEGIN
    if (active) {
        return;
    }
    LUM_ASSERT(body != nullptr);
    active = true;
    joinOrLeaveWorld();
    LUM_TRACE_END
}

void PhysicsNode::deactivate() {
    LUM_TRACE_BEGIN
    if (!active) {
        return;
    }
    active = false;
    joinOrLeaveWorld();
    LUM_TRACE_END
}

bool PhysicsNode::isInWorld() const {
    return inWorld;
}

void PhysicsNode::onShownChanged() {
    LUM_TRACE_BEGIN
    Node::onShownChanged();
    joinOrLeaveWorld();
    LUM_TRACE_END
}

void PhysicsNode::onParentChanged() {
    LUM_TRACE_BEGIN
    Node::onParentChanged();
    joinOrLeaveWorld();
    LUM_TRACE_END
}

void PhysicsNode::joinOrLeaveWorld() {
    LUM_TRACE_BEGIN
    const bool wanted = active && isShown();
    if (wanted == inWorld) {
        return;
    }
    if (wanted) {
        PhysicsSystem::instance().add(*this);
    } else {
        PhysicsSystem::instance().remove(*this);
    }
    inWorld = wanted;
    LUM_TRACE_END
}

void PhysicsNode::rebuildPhysics() {
    LUM_TRACE_BEGIN
    if (active) {
        throw Exception("Cannot rebuild active physics node.");
    }
    const int count = getChildCount();
    if (count == 0) {
        throw Exception("Trying to build shape for a physics node without children");
    }
    if (count == 1) {
        replaceBody(takeOverOnlyChild());
        compound.reset();
        return;
    }
    refreshWorldTransform();
    scaleShapesBelow(*this);
    // Abandoned, not leaked, when a nested dynamic node refuses the rebuild.
    std::unique_ptr<btCompoundShape> gathered(new btCompoundShape());
    addShape(*gathered, *this);
    replaceBody(gathered.get());
    compound = std::move(gathered);
    compoundScales.clear();
    for (int i = 0; i < compound->getNumChildShapes(); ++i) {
        compoundScales.push_back(scaleOf(*compound->getChildShape(i)));
    }
    LUM_TRACE_END
}

void PhysicsNode::refreshCompoundBounds() {
    LUM_TRACE_BEGIN
    if (!compound || !compoundScalesChanged()) {
        return;
    }
    for (int i = 0; i < compound->getNumChildShapes(); ++i) {
        compound->updateChildTransform(i, compound->getChildTransform(i), false);
        compoundScales[i] = scaleOf(*compound->getChildShape(i));
    }
    compound->recalculateLocalAabb();
    updateInertia();
    LUM_TRACE_END
}

bool PhysicsNode::compoundScalesChanged() const {
    for (int i = 0; i < compound->getNumChildShapes(); ++i) {
        if (scaleOf(*compound->getChildShape(i)) != compoundScales[i]) {
            return true;
        }
    }
    return false;
}

void PhysicsNode::stop() {
    LUM_TRACE_BEGIN
    LUM_ASSERT(body != nullptr);
    body->setLinearVelocity(btVector3(0, 0, 0));
    body->setAngularVelocity(btVector3(0, 0, 0));
    LUM_TRACE_END
}

float PhysicsNode::getMass() const {
    return mass;
}

void PhysicsNode::setMass(float newMass) {
    mass = newMass;
}

void PhysicsNode::changeMass(float newMass) {
    LUM_TRACE_BEGIN
    LUM_ASSERT(newMass != 0.0f);
    mass = newMass;
    if (body && isDynamic()) {
        updateInertia();
    }
    LUM_TRACE_END
}

void PhysicsNode::updateInertia() {
    if (!body || mass == 0.0f) {
        return;
    }
    btVector3 inertia(0, 0, 0);
    body->getCollisionShape()->calculateLocalInertia(mass, inertia);
    body->setMassProps(mass, inertia);
    body->updateInertiaTensor();
}

btRigidBody* PhysicsNode::getBody() const {
    return body.get();
}

bool PhysicsNode::isActive() const {
    return active;
}

void PhysicsNode::addShape(btCompoundShape& gathered, Node& node) {
    LUM_TRACE_BEGIN
    for (Node::iterator child = node.begin(); child != node.end(); ++child) {
        if (const PhysicsNode* const nested = dynamic_cast<const PhysicsNode*>(child->get())) {
            if (nested->isDynamic()) {
                throw Exception("Dynamic physics node " + nested->getName() +
                                " may not be contained in other physics nodes.");
            }
        }
        if (Node* const inner = dynamic_cast<Node*>(child->get())) {
            addShape(gathered, *inner);
        } else if (isSolid(**child)) {
            addShape(gathered, **child);
        }
    }
    LUM_TRACE_END
}

void PhysicsNode::addShape(btCompoundShape& gathered, const Spatial& leaf) {
    LUM_TRACE_BEGIN
    // Placed by the leaf's own transform relative to whatever node holds it;
    // the scale reaches the shape through the leaf's update.
    const Transform& placement = leaf.getTransform();
    const btTransform local(toBullet(placement.rotation), toBullet(placement.translation));
    gathered.addChildShape(local, leaf.getCollisionShape());
    LUM_TRACE_END
}

void PhysicsNode::refuseWhileActive() const {
    if (active) {
        throw Exception("Operation not permitted while PhysicsNode is active.");
    }
}

bool PhysicsNode::isDynamic() const {
    // A nested node not yet built counts as what its mass would make it.
    if (!body) {
        return mass != 0.0f;
    }
    return (body->getCollisionFlags() &
            (btCollisionObject::CF_STATIC_OBJECT | btCollisionObject::CF_KINEMATIC_OBJECT)) == 0;
}

btCollisionShape* PhysicsNode::takeOverOnlyChild() {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Spatial> child = getChild(0);
    setTransform(child->getTransform());
    const Transform& identity = Transform::identity();
    child->setScale(identity.scale);
    child->setRotation(identity.rotation);
    child->setTranslation(identity.translation);
    return child->getCollisionShape();
    LUM_TRACE_END
}

void PhysicsNode::replaceBody(btCollisionShape* shape) {
    LUM_TRACE_BEGIN
    btVector3 inertia(0, 0, 0);
    shape->calculateLocalInertia(mass, inertia);
    refreshWorldTransform();
    // Bullet asks this motion state for the starting placement right here.
    std::unique_ptr<btRigidBody> replacement(new btRigidBody(mass, this, shape, inertia));
    replacement->setUserPointer(this);
    // No body sleeps. A sleeping body stays where it is, even a cube caught
    // tipping over a rim or Tobble at rest waiting for a key; in a toy room
    // only a few bodies move, and an awake one at rest costs little.
    replacement->setActivationState(DISABLE_DEACTIVATION);
    if (body) {
        body->setUserPointer(nullptr);
        replacement->setFriction(body->getFriction());
    }
    // The old body is not in the world: a rebuild is refused while active.
    body = std::move(replacement);
    LUM_TRACE_END
}

void PhysicsNode::moveTo(const glm::vec3& position) {
    Transform world = getWorldTransform();
    world.translation = position;
    setWorldPlacement(world);
    if (!body) {
        return;
    }
    btTransform placement = body->getWorldTransform();
    placement.setOrigin(toBullet(position));
    body->setWorldTransform(placement);
    body->setInterpolationWorldTransform(placement);
    body->clearForces();
    body->setLinearVelocity(btVector3(0, 0, 0));
    body->setAngularVelocity(btVector3(0, 0, 0));
    body->activate(true);
}

void PhysicsNode::applyCentralForce(const glm::vec3& force) {
    if (body) {
        body->applyCentralForce(btVector3(force.x, force.y, force.z));
    }
}

}  // namespace lum
