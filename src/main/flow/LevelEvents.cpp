#include "flow/LevelEvents.h"

#include "lum/physics/PhysicsNode.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// A body's own parts cannot be walked while it is in the world, and are
// never what a level's events name: the search stops at bodies.
boost::shared_ptr<Spatial> findBelow(Node& node, const std::string& name) {
    for (const boost::shared_ptr<Spatial>& child : node) {
        if (child->getName() == name) {
            return child;
        }
    }
    for (const boost::shared_ptr<Spatial>& child : node) {
        Node* const inner = dynamic_cast<Node*>(child.get());
        if (inner != nullptr && dynamic_cast<PhysicsNode*>(inner) == nullptr) {
            if (boost::shared_ptr<Spatial> found = findBelow(*inner, name)) {
                return found;
            }
        }
    }
    return boost::shared_ptr<Spatial>();
}

}  // namespace

boost::shared_ptr<Spatial> findInScene(const std::string& name) {
    return findBelow(*Scene::global().getRoot(), name);
}

LevelEvents::LevelEvents(std::set<std::string>& flags, double elapsed)
    : seen(flags), flags(flags), elapsed(elapsed) {}

bool LevelEvents::run(const std::vector<Rule>& rules) {
    LUM_TRACE_BEGIN
    for (const Rule& rule : rules) {
        Matched matched;
        if (!holds(rule, matched)) {
            continue;
        }
        for (const Action& action : rule.actions) {
            if (perform(action, matched)) {
                return true;
            }
        }
    }
    return false;
    LUM_TRACE_END
}

Matched LevelEvents::membersOf(const std::vector<std::string>& names) {
    LUM_TRACE_BEGIN
    Matched members;
    for (const std::string& name : names) {
        const boost::shared_ptr<Spatial> object = findInScene(name);
        if (!object) {
            throw OutOfBoundsException("The level has no object named '" + name + "'");
        }
        Node* const group = dynamic_cast<Node*>(object.get());
        if (group == nullptr || dynamic_cast<const PhysicsNode*>(group) != nullptr) {
            members.push_back(object);
        } else {
            members.insert(members.end(), group->begin(), group->end());
        }
    }
    return members;
    LUM_TRACE_END
}

bool LevelEvents::holds(const Rule& rule, Matched& matched) const {
    LUM_TRACE_BEGIN
    for (const std::string& flag : rule.unless) {
        if (seen.count(flag) != 0) {
            return false;
        }
    }
    for (const Trigger& trigger : rule.when) {
        if (!holds(trigger, matched)) {
            return false;
        }
    }
    return true;
    LUM_TRACE_END
}

}  // namespace lum
