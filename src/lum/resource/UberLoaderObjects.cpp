#include "lum/resource/UberLoader.h"

#include "lum/character/Corn.h"
#include "lum/character/Props.h"
#include "lum/character/Toys.h"
#include "lum/util/Trace.h"

// The scene loader's table of object kinds and its game objects: the only
// part of it that knows the game's characters.

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

template <class Kind>
UberLoader::Load UberLoader::objectLoader(const char* placeholderPrefix, const char* info) {
    return [placeholderPrefix, info](const UberLoader& loader, const Setting& description,
                                     const Parent& parent) {
        return loader.doLoadObject<Kind>(description, parent, placeholderPrefix, info);
    };
}

const std::vector<UberLoader::KindLoader>& UberLoader::kindLoaders() {
    static const std::vector<KindLoader> loaders = {
        {kinds::node, &UberLoader::doLoadNode},
        {kinds::model,
         [](const UberLoader& loader, const Setting& model, const Parent& home) {
             return loader.doLoadModel(model, home, PhysicsWrapper::fromKeys);
         }},
        {kinds::light, &UberLoader::doLoadLight},
        {kinds::physics, &UberLoader::doLoadPhysicsNode},
        {kinds::redCube, objectLoader<RedCube>("<unnamed red cube ", "Loading red cube ")},
        {kinds::greenCube, objectLoader<GreenCube>("<unnamed green cube ", "Loading green cube ")},
        {kinds::blueCube, objectLoader<BlueCube>("<unnamed blue cube ", "Loading blue cube ")},
        {kinds::toyMouse, objectLoader<ToyMouse>("<unnamed toy mouse ", "Loading mouse ")},
        {kinds::toyRobot, objectLoader<ToyRobot>("<unnamed toy robot ", "Loading robot ")},
        {kinds::corn, objectLoader<Corn>("<unnamed corn ", "Loading corn ")},
        {kinds::door, objectLoader<Door>("<unnamed door ", "Loading door ")},
    };
    return loaders;
}

}  // namespace lum
