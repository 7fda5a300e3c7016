#include "lum/character/Props.h"

#include "lum/util/Trace.h"

namespace lum {

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
