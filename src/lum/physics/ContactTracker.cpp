#include "lum/physics/ContactTracker.h"

#include <functional>

#include <BulletCollision/BroadphaseCollision/btDispatcher.h>
#include <BulletCollision/CollisionDispatch/btCollisionObject.h>
#include <BulletCollision/NarrowPhaseCollision/btPersistentManifold.h>
#include <boost/shared_ptr.hpp>

#include "lum/physics/PhysicsNode.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

PhysicsNode* nodeOf(const btCollisionObject* body) {
    return static_cast<PhysicsNode*>(body->getUserPointer());
}

}  // namespace

std::size_t ContactTracker::NodePairHash::operator()(const NodePair& pair) const {
    const std::hash<PhysicsNode*> hash;
    return hash(pair.first) * 31u + hash(pair.second);
}

void ContactTracker::classify(btDispatcher& dispatcher) {
    LUM_TRACE_BEGIN
    endedContacts = previousContacts;
    collect(dispatcher);
    notify(newContacts, &PhysicsNode::onContactBegin);
    notify(continuingContacts, &PhysicsNode::onContactContinue);
    notify(endedContacts, &PhysicsNode::onContactEnd);
    previousContacts.swap(currentContacts);
    currentContacts.clear();
    LUM_TRACE_END
}

void ContactTracker::forget(const PhysicsNode& node) {
    for (PairSet* pairs :
         {&previousContacts, &currentContacts, &newContacts, &continuingContacts, &endedContacts}) {
        for (PairSet::iterator pair = pairs->begin(); pair != pairs->end();) {
            if (pair->first == &node || pair->second == &node) {
                pair = pairs->erase(pair);
            } else {
                ++pair;
            }
        }
    }
}

void ContactTracker::collect(btDispatcher& dispatcher) {
    btPersistentManifold* const* const manifolds = dispatcher.getInternalManifoldPointer();
    for (int i = 0; i < dispatcher.getNumManifolds(); ++i) {
        PhysicsNode* const a = nodeOf(manifolds[i]->getBody0());
        PhysicsNode* const b = nodeOf(manifolds[i]->getBody1());
        // A body whose node is being torn down has no node any more.
        if (a == nullptr || b == nullptr) {
            continue;
        }
        const NodePair pair = std::less<PhysicsNode*>()(a, b) ? NodePair(a, b) : NodePair(b, a);
        currentContacts.insert(pair);
        if (previousContacts.count(pair) != 0) {
            continuingContacts.insert(pair);
        } else {
            newContacts.insert(pair);
        }
        endedContacts.erase(pair);
    }
}

void ContactTracker::notify(PairSet& pairs, Hook hook) {
    LUM_TRACE_BEGIN
    // Taken out before the hooks run, and the set asked afresh each time: a
    // hook may forget nodes, which erases their pairs from this very set.
    while (!pairs.empty()) {
        const NodePair pair = *pairs.begin();
        pairs.erase(pairs.begin());
        // A hook may let go of the last owner of either node (a corn leaving
        // its parent); both stay alive until both have been told.
        const boost::shared_ptr<Spatial> keepFirst = pair.first->weak_from_this().lock();
        const boost::shared_ptr<Spatial> keepSecond = pair.second->weak_from_this().lock();
        (pair.first->*hook)(pair.second);
        (pair.second->*hook)(pair.first);
    }
    LUM_TRACE_END
}

}  // namespace lum
