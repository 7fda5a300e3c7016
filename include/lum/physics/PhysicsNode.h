#ifndef LUM_PHYSICS_PHYSICSNODE_H
#define LUM_PHYSICS_PHYSICSNODE_H

#include <memory>
#include <string>
#include <vector>

#include <LinearMath/btMotionState.h>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include "lum/scene/Node.h"

class btCompoundShape;
class btRigidBody;

namespace lum {

// A scene node that stands in the physics world as one rigid body built from
// its children: one child lends its own shape, several are gathered into a
// compound. While active the body is in the world, Bullet moves it and the
// node's world placement follows it (the local transform keeps its last
// value); while inactive the node behaves like any Node.
//
// Life of a node: make, add children, set the mass, rebuildPhysics, activate.
// To change shape or mass: deactivate, change, rebuildPhysics, activate. The
// children can neither be changed nor walked while the node is active.
//
// The node owns its body and any compound shape it built; the world only
// refers to the body. A body or compound that a rebuild replaces is freed at
// once (an inactive node's body is not in the world). A node whose last owner
// lets go leaves the world first and is then freed with its body.
//
// Hidden means absent: while the node or a node above it is hidden, an
// active node's body is out of the world (no collisions, no motion) and
// comes back where it was when the node is shown again.
class PhysicsNode : public Node, public btMotionState {
public:
    // Attached by make, and by every subclass's make, to the owner: when the
    // last owner lets go, the node leaves the world, then it is deleted.
    struct Deleter {
        void operator()(PhysicsNode* node) const;
    };

    // Without body, inactive, mass 0; under parent (last) or free when it is empty.
    static boost::shared_ptr<PhysicsNode> make(const std::string& name,
                                               boost::weak_ptr<Node> parent);

    ~PhysicsNode() override;

    // Active: only the children are updated, the node's world placement
    // being the body's. Inactive: as a Node.
    void update(double dt) override;

    // The child operations of Node. While the node is active each raises
    // Exception "Operation not permitted while PhysicsNode is active." and
    // changes nothing.
    void addChild(boost::shared_ptr<Spatial> child) override;
    boost::shared_ptr<Node> createChild(const std::string& name) override;
    void removeChild(boost::shared_ptr<Spatial> child) override;
    void removeChild(const std::string& name) override;
    void removeChild(int index) override;
    void removeAllChildren() override;
    boost::shared_ptr<Spatial> getChild(const std::string& name) override;
    boost::shared_ptr<Spatial> getChild(int index) override;
    iterator begin() override;
    iterator end() override;

    // Contact hooks, called by the physics system inside PhysicsSystem::step
    // after an internal step, with the other node of the pair: once when a
    // contact begins, once per further internal step while it continues,
    // once when it has ended. They do nothing here; game objects override
    // them. A hook may deactivate nodes (its own included) and let go of
    // them; a node is not freed while it is being told.
    virtual void onContactBegin(PhysicsNode* other);
    virtual void onContactContinue(PhysicsNode* other);
    virtual void onContactEnd(PhysicsNode* other);

    // The motion state Bullet reads when the body is made and writes after
    // each step: the node's world rotation and translation; the world scale
    // and the local transform are never written.
    using Spatial::getWorldTransform;
    void getWorldTransform(btTransform& out) const override;
    void setWorldTransform(const btTransform& in) override;

    // Puts the body into the world (once the node is shown, if it is hidden);
    // nothing when already active. The node must have a body.
    void activate();
    // Takes the body and all contact pairs of the node out of the world;
    // nothing when inactive.
    void deactivate();
    // Builds a new shape and body from the current children; allowed while
    // inactive only. One child: the node takes over the child's transform and
    // the child's becomes the identity. Several: a compound of their shapes,
    // each placed by its own rotation and translation. The new body keeps the
    // friction of the one it replaces and starts at the node's world placement.
    void rebuildPhysics();
    // Halts the body: no linear, no angular velocity. Needs a body.
    void stop();
    // Pushes the body through its centre until the next physics step; nothing
    // without a body.
    void applyCentralForce(const glm::vec3& force);
    // Puts the body, at rest and awake, at a world position (its rotation
    // stays); without a body, only the node's world placement moves.
    void moveTo(const glm::vec3& position);

    float getMass() const;
    // Used by the next rebuildPhysics; 0 makes a static body.
    void setMass(float mass);
    // A dynamic body takes a new mass (not 0) at once, its inertia following.
    void changeMass(float mass);
    // Null before the first rebuildPhysics; owned by the node.
    btRigidBody* getBody() const;
    bool isActive() const;
    // Active and shown: the body takes part in the world.
    bool isInWorld() const;

protected:
    explicit PhysicsNode(const std::string& name);

    void onShownChanged() override;
    void onParentChanged() override;

    // What the make of every kind of physics node does: the object, owned
    // with the Deleter, under parent. Kind's constructor takes the name.
    template <class Kind>
    static boost::shared_ptr<Kind> makeKind(const std::string& name, boost::weak_ptr<Node> parent) {
        const boost::shared_ptr<Kind> node(new Kind(name), Deleter());
        node->setParent(parent);
        return node;
    }

    // The shape-gathering steps of a rebuild with several children: a node
    // adds the shapes below it, a leaf its own shape.
    void addShape(btCompoundShape& compound, Node& node);
    void addShape(btCompoundShape& compound, const Spatial& leaf);

private:
    void refuseWhileActive() const;
    // Puts the body into the world or takes it out, as active and shown say.
    void joinOrLeaveWorld();
    // Bullet's compound keeps the bounds each child shape had when it was
    // added; a shape scaled later is solid only within its old bounds until
    // the compound is told again.
    void refreshCompoundBounds();
    bool compoundScalesChanged() const;
    void updateInertia();
    // Whether the body this node has, or would get from its mass, moves.
    bool isDynamic() const;
    btCollisionShape* takeOverOnlyChild();
    void replaceBody(btCollisionShape* shape);

    // Declared before the body: the body goes first, then the compound it uses.
    std::unique_ptr<btCompoundShape> compound;
    std::unique_ptr<btRigidBody> body;
    // The scale of each compound child when its bounds were last taken.
    std::vector<glm::vec3> compoundScales;
    bool active;
    bool inWorld;
    float mass;
};

}  // namespace lum

#endif
