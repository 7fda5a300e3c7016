#include "lum/physics/PhysicsSystem.h"

#include <GL/glew.h>

#include <cmath>

#include <BulletCollision/BroadphaseCollision/btDbvtBroadphase.h>
#include <BulletCollision/BroadphaseCollision/btOverlappingPairCache.h>
#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>
#include <BulletCollision/CollisionDispatch/btDefaultCollisionConfiguration.h>
#include <BulletDynamics/ConstraintSolver/btSequentialImpulseConstraintSolver.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <BulletSoftBody/btSoftRigidDynamicsWorld.h>

#include "lum/physics/PhysicsDebugDraw.h"
#include "lum/physics/PhysicsNode.h"
#include "lum/render/Shader.h"
#include "lum/scene/Material.h"
#include "lum/util/Assert.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {
const double fixedStep = 1.0 / 60.0;
// A contact point farther apart than this does not hold anything up.
const btScalar touchingDistance = 0.05f;
// The cosine of the steepest slope that still holds a body up: 60 degrees.
const btScalar leastUpwardNormal = 0.5f;

// Bullet fills a pool of contact manifolds and one of collision algorithms
// before the first step, 4096 of each by default (4.4 MB, every element
// written). A level keeps a few dozen pairs of bodies close at a time; pairs
// beyond the pool are allocated one by one, so this only sets what is
// reserved up front.
const int reservedBodyPairs = 256;

btDefaultCollisionConstructionInfo poolsForLevels() {
    btDefaultCollisionConstructionInfo info;
    info.m_defaultMaxPersistentManifoldPoolSize = reservedBodyPairs;
    info.m_defaultMaxCollisionAlgorithmPoolSize = reservedBodyPairs;
    return info;
}

bool pointHoldsUp(const btManifoldPoint& point, bool aboveIsFirst) {
    const btScalar upward = aboveIsFirst ? point.m_normalWorldOnB.y() : -point.m_normalWorldOnB.y();
    return point.getDistance() <= touchingDistance && upward >= leastUpwardNormal;
}
}  // namespace

PhysicsSystem::PhysicsSystem() {
    LUM_TRACE_BEGIN
    pairCache.reset(new btHashedOverlappingPairCache());
    broadphase.reset(new btDbvtBroadphase(pairCache.get()));
    const btDefaultCollisionConstructionInfo constructionInfo = poolsForLevels();
    btDefaultCollisionConfiguration* const configuration =
        new btDefaultCollisionConfiguration(constructionInfo);
    collisionConfiguration.reset(configuration);
    dispatcher.reset(new btCollisionDispatcher(configuration));
    solver.reset(new btSequentialImpulseConstraintSolver());
    world.reset(new btSoftRigidDynamicsWorld(dispatcher.get(), broadphase.get(), solver.get(),
                                             configuration));
    world->setInternalTickCallback(&PhysicsSystem::afterInternalStep, nullptr, false);
    setGravity(0.0f, -10.0f, 0.0f);
    LUM_TRACE_END
}

PhysicsSystem::~PhysicsSystem() = default;

void PhysicsSystem::debugDraw() {
    LUM_TRACE_BEGIN
    // The world lives as long as the process, renderers may come and go.
    if (!debugDrawer || !debugDrawer->canDraw()) {
        debugDrawer.reset(new PhysicsDebugDraw());
        world->setDebugDrawer(debugDrawer.get());
    }
    debugDrawer->prepare();
    const boost::shared_ptr<Material> material = debugDrawer->getMaterial();
    glUseProgram(material->getShader()->getProgram());
    material->apply();
    world->debugDrawWorld();
    glUseProgram(0);
    LUM_TRACE_END
}

void PhysicsSystem::step(double seconds) {
    LUM_TRACE_BEGIN
    const int maxSubSteps = static_cast<int>(std::ceil(seconds / fixedStep));
    world->stepSimulation(static_cast<btScalar>(seconds), maxSubSteps,
                          static_cast<btScalar>(fixedStep));
    LUM_TRACE_END
}

void PhysicsSystem::setGravity(float x, float y, float z) {
    world->setGravity(btVector3(x, y, z));
}

glm::vec3 PhysicsSystem::getGravity() const {
    const btVector3 gravity = world->getGravity();
    return glm::vec3(gravity.x(), gravity.y(), gravity.z());
}

unsigned long PhysicsSystem::getStepCount() const {
    return stepCount;
}

int PhysicsSystem::getBodyCount() const {
    return world->getNumCollisionObjects();
}

RayHit PhysicsSystem::rayTest(const glm::vec3& from, const glm::vec3& to) const {
    LUM_TRACE_BEGIN
    const btVector3 start(from.x, from.y, from.z);
    const btVector3 end(to.x, to.y, to.z);
    btCollisionWorld::ClosestRayResultCallback closest(start, end);
    // Shapes rescaled since the last step would still be found by their old bounds.
    world->updateAabbs();
    world->rayTest(start, end, closest);
    if (!closest.hasHit()) {
        return RayHit{nullptr, to};
    }
    const btVector3& point = closest.m_hitPointWorld;
    return RayHit{static_cast<PhysicsNode*>(closest.m_collisionObject->getUserPointer()),
                  glm::vec3(point.x(), point.y(), point.z())};
    LUM_TRACE_END
}

bool PhysicsSystem::holdsUp(const PhysicsNode& below, const PhysicsNode& above) const {
    btDispatcher& pairs = *world->getDispatcher();
    for (int i = 0; i < pairs.getNumManifolds(); ++i) {
        const btPersistentManifold& manifold = *pairs.getManifoldByIndexInternal(i);
        const bool aboveIsFirst = manifold.getBody0() == above.getBody();
        const btCollisionObject* const other =
            aboveIsFirst ? manifold.getBody1() : manifold.getBody0();
        const btCollisionObject* const self =
            aboveIsFirst ? manifold.getBody0() : manifold.getBody1();
        if (self != above.getBody() || other != below.getBody()) {
            continue;
        }
        for (int p = 0; p < manifold.getNumContacts(); ++p) {
            if (pointHoldsUp(manifold.getContactPoint(p), aboveIsFirst)) {
                return true;
            }
        }
    }
    return false;
}

void PhysicsSystem::add(PhysicsNode& node) {
    LUM_TRACE_BEGIN
    LUM_ASSERT(node.getBody() != nullptr);
    world->addRigidBody(node.getBody());
    LUM_TRACE_END
}

void PhysicsSystem::remove(PhysicsNode& node) {
    LUM_TRACE_BEGIN
    world->removeRigidBody(node.getBody());
    contacts.forget(node);
    LUM_TRACE_END
}

void PhysicsSystem::afterInternalStep(btDynamicsWorld* stepped, btScalar) {
    LUM_TRACE_BEGIN
    PhysicsSystem& self = instance();
    ++self.stepCount;
    self.contacts.classify(*stepped->getDispatcher());
    LUM_TRACE_END
}

}  // namespace lum
