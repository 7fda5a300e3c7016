#ifndef LUM_PHYSICS_PHYSICSSYSTEM_H
#define LUM_PHYSICS_PHYSICSSYSTEM_H

#include <LinearMath/btScalar.h>
#include <boost/shared_ptr.hpp>
#include <glm/vec3.hpp>

#include "lum/physics/ContactTracker.h"
#include "lum/util/Singleton.h"

class btBroadphaseInterface;
class btCollisionConfiguration;
class btCollisionDispatcher;
class btConstraintSolver;
class btDynamicsWorld;
class btOverlappingPairCache;
class btSoftRigidDynamicsWorld;

namespace lum {

class PhysicsDebugDraw;
class PhysicsNode;

// What a ray met first: the node whose body it hit (null when it hit
// nothing) and the point where it hit.
struct RayHit {
    PhysicsNode* node;
    glm::vec3 point;
};

// The game's one rigid-body world, created on first use and kept to the end
// of the process. It refers to the bodies of the active physics nodes but
// never owns them. After every internal step it tells both nodes of each
// touching pair whether their contact began, continues or ended (see
// PhysicsNode's contact hooks). Main thread only.
class PhysicsSystem : public Singleton<PhysicsSystem, 0> {
public:
    // Advances the world by one frame of seconds in fixed internal steps of
    // 1/60 s: as many as the time gathered so far allows, at most as many as
    // cover the whole frame; 0 runs none. The contact hooks run inside this
    // call, after each internal step; an exception from a hook leaves it.
    void step(double seconds);
    // Towards negative y at 10 units per second squared until changed.
    void setGravity(float x, float y, float z);
    glm::vec3 getGravity() const;
    // How many internal steps the world has made; the contact hooks of a
    // step run after it has been counted.
    unsigned long getStepCount() const;
    // How many bodies are in the world now.
    int getBodyCount() const;
    // The first body in the world on the straight way from `from` to `to`,
    // with every body where it is now and of the size it has now.
    RayHit rayTest(const glm::vec3& from, const glm::vec3& to) const;
    // Whether `below` holds `above` up: after the latest internal step their
    // bodies touch at a point whose normal leans upward towards `above`
    // (a floor or a gentle slope, not a wall's side).
    bool holdsUp(const PhysicsNode& below, const PhysicsNode& above) const;
    // For PhysicsNode::activate and deactivate only: puts the node's body
    // into the world or takes it out again, together with the node's contact
    // pairs. The node must have a body.
    void add(PhysicsNode& node);
    void remove(PhysicsNode& node);
    // Draws the world's shapes, bounding boxes and contact points through the
    // renderer's camera. Needs a living Renderer; the drawer is made on the
    // first call, so the world itself works without a window.
    void debugDraw();

private:
    friend class Singleton<PhysicsSystem, 0>;

    PhysicsSystem();
    ~PhysicsSystem() override;

    static void afterInternalStep(btDynamicsWorld* world, btScalar timeStep);

    // Destroyed in reverse order: the world goes before everything it uses
    // (the debug drawer included), and the pair cache, which the broadphase
    // uses without owning, goes last.
    boost::shared_ptr<btOverlappingPairCache> pairCache;
    boost::shared_ptr<PhysicsDebugDraw> debugDrawer;
    boost::shared_ptr<btBroadphaseInterface> broadphase;
    boost::shared_ptr<btCollisionDispatcher> dispatcher;
    boost::shared_ptr<btConstraintSolver> solver;
    boost::shared_ptr<btCollisionConfiguration> collisionConfiguration;
    boost::shared_ptr<btSoftRigidDynamicsWorld> world;
    ContactTracker contacts;
    unsigned long stepCount = 0;
};

}  // namespace lum

#endif
