#include "lum/character/Corn.h"

#include "lum/character/Glimmet.h"
#include "lum/util/Trace.h"

namespace lum {

Corn::Corn(const std::string& name) : PhysicsNode(name) {}

boost::shared_ptr<Corn> Corn::make(const std::string& name, boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    return makeKind<Corn>(name, parent);
    LUM_TRACE_END
}

void Corn::onContactBegin(PhysicsNode* other) {
    LUM_TRACE_BEGIN
    // Before the player exists nothing can be it; asking must not create it.
    if (!Glimmet::isInitialized() || other != &Glimmet::instance()) {
        return;
    }
    deactivate();
    detach();
    LUM_TRACE_END
}

}  // namespace lum
