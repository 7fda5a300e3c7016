#include "lum/resource/UberLoader.h"

#include "lum/character/Corn.h"
#include "lum/character/Props.h"
#include "lum/character/Toys.h"
#include "lum/util/Trace.h"

// The scene loader's game objects: the only part of it that knows the game's
// characters.

namespace lum {

template <class Kind>
UberLoader::Loaded UberLoader::doLoadObject(const Setting& description, const Parent& parent,
                                            const std::string& placeholderPrefix,
                                            const std::string& info) const {
    LUM_TRACE_BEGIN
    const std::string name = nameOf(description, numberedPlaceholder(placeholderPrefix, parent));
    log.info(info + name);
    const boost::shared_ptr<Kind> object = Kind::make(name, parent);
    // The object's "mass" is its own: its model gets no body of its own,
    // which would leave the object a body of no shape that falls through
    // everything.
    doLoadModel(description, object, PhysicsWrapper::none);
    object->setMass(static_cast<float>(description("mass").doubleOr(1.0)));
    object->rebuildPhysics();
    object->activate();
    return object;
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadRedCube(const Setting& description,
                                             const Parent& parent) const {
    LUM_TRACE_BEGIN
    return doLoadObject<RedCube>(description, parent, "<unnamed red cube ", "Loading red cube ");
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadGreenCube(const Setting& description,
                                               const Parent& parent) const {
    LUM_TRACE_BEGIN
    return doLoadObject<GreenCube>(description, parent, "<unnamed green cube ",
                                   "Loading green cube ");
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadBlueCube(const Setting& description,
                                              const Parent& parent) const {
    LUM_TRACE_BEGIN
    return doLoadObject<BlueCube>(description, parent, "<unnamed blue cube ", "Loading blue cube ");
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadToyMouse(const Setting& description,
                                              const Parent& parent) const {
    LUM_TRACE_BEGIN
    return doLoadObject<ToyMouse>(description, parent, "<unnamed toy mouse ", "Loading mouse ");
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadToyRobot(const Setting& description,
                                              const Parent& parent) const {
    LUM_TRACE_BEGIN
    return doLoadObject<ToyRobot>(description, parent, "<unnamed toy robot ", "Loading robot ");
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadCorn(const Setting& description, const Parent& parent) const {
    LUM_TRACE_BEGIN
    return doLoadObject<Corn>(description, parent, "<unnamed corn ", "Loading corn ");
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadDoor(const Setting& description, const Parent& parent) const {
    LUM_TRACE_BEGIN
    return doLoadObject<Door>(description, parent, "<unnamed door ", "Loading door ");
    LUM_TRACE_END
}

}  // namespace lum
