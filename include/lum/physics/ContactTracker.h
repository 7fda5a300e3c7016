#ifndef LUM_PHYSICS_CONTACTTRACKER_H
#define LUM_PHYSICS_CONTACTTRACKER_H

#include <cstddef>
#include <unordered_set>
#include <utility>

class btDispatcher;

namespace lum {

class PhysicsNode;

// Turns the collision manifolds left by each internal physics step into
// three notifications to both nodes of a pair: contact began, continues,
// ended. Two nodes count as in contact while the dispatcher keeps a manifold
// for them, which it does while their bounding boxes overlap, touching or
// not; several manifolds between the same two nodes are one pair.
//
// The tracker names nodes without owning them: a node must be forgotten
// before it goes (PhysicsSystem::remove does that).
class ContactTracker {
public:
    // After an internal step: classifies the manifolds against the pairs of
    // the step before, then tells both nodes of each pair, all beginnings
    // before all continuations before all endings. A hook may forget nodes;
    // their pairs that are still waiting are then not told.
    void classify(btDispatcher& dispatcher);
    // Drops every pair that names node, so that its next contact with
    // anything is a beginning. Allowed from inside a hook.
    void forget(const PhysicsNode& node);

private:
    // The lower address first; which node is first carries no meaning.
    using NodePair = std::pair<PhysicsNode*, PhysicsNode*>;
    struct NodePairHash {
        std::size_t operator()(const NodePair& pair) const;
    };
    using PairSet = std::unordered_set<NodePair, NodePairHash>;
    using Hook = void (PhysicsNode::*)(PhysicsNode*);

    void collect(btDispatcher& dispatcher);
    static void notify(PairSet& pairs, Hook hook);

    PairSet previousContacts;
    PairSet currentContacts;
    PairSet newContacts;
    PairSet continuingContacts;
    PairSet endedContacts;
};

}  // namespace lum

#endif
