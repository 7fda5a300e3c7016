#include "lum/character/Toys.h"

#include "lum/util/Trace.h"

namespace lum {

namespace {
const int toyHealth = 100;
}  // namespace

ToyMouse::ToyMouse(const std::string& name) : Character(toyHealth, toyHealth), PhysicsNode(name) {}

boost::shared_ptr<ToyMouse> ToyMouse::make(const std::string& name, boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    return makeKind<ToyMouse>(name, parent);
    LUM_TRACE_END
}

void ToyMouse::kill() {}

ToyRobot::ToyRobot(const std::string& name) : Character(toyHealth, toyHealth), PhysicsNode(name) {}

boost::shared_ptr<ToyRobot> ToyRobot::make(const std::string& name, boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    return makeKind<ToyRobot>(name, parent);
    LUM_TRACE_END
}

void ToyRobot::kill() {}

}  // namespace lum
