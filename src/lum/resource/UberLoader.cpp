#include "lum/resource/UberLoader.h"

#include <sstream>
#include <vector>

#include "lum/config/SourcePositions.h"
#include "lum/physics/PhysicsNode.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/SoundLoader.h"
#include "lum/scene/Light.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// What a level's first update advances the scene by.
const double settlingStep = 0.001;

std::string quoted(const std::string& text) {
    std::ostringstream out;
    Setting(text).streamTo(out);
    return out.str();
}

// Runs `load`, which builds from the configuration `name`. A failure goes on
// unchanged after a line naming the configuration, which the messages of
// the settings and of the other loaders cannot name.
template <class Load>
auto namingOnFailure(const Log& log, const std::string& name, const Load& load)
    -> decltype(load()) {
    try {
        return load();
    } catch (...) {
        log.error("Could not build the objects of config file " + quoted(name) + ".");
        throw;
    }
}

}  // namespace

UberLoader::UberLoader(const boost::filesystem::path& location)
    : ResourceLoader(location), log("UberLoader"), failurePlaceTold(false), loadingLevel(false) {}

void UberLoader::loadLevel(const std::string& name) {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Node> holder = buildLevel(name);
    const boost::shared_ptr<Node>& root = Scene::global().getRoot();
    for (int moved = holder->getChildCount(); moved > 0; --moved) {
        root->addChild(holder->getChild(0));
    }
    Scene::global().update(settlingStep);
    LUM_TRACE_END
}

void UberLoader::tryLevel(const std::string& name) {
    LUM_TRACE_BEGIN
    buildLevel(name);
    LUM_TRACE_END
}

boost::shared_ptr<Node> UberLoader::buildLevel(const std::string& name) {
    LUM_TRACE_BEGIN
    failurePlaceTold = false;
    // Another level's key frames go before this level's arrive.
    if (name != keyFramesLevel) {
        forgetKeyFrames();
        keyFramesLevel = name;
    }
    // Lone models loaded outside a level read their own key frames.
    struct LoadingLevel {
        bool& flag;
        explicit LoadingLevel(bool& flag) : flag(flag) { flag = true; }
        ~LoadingLevel() { flag = false; }
    } const loading(loadingLevel);
    // Built under a holder of its own, outside the scene: a load that fails
    // drops the holder, and everything built so far goes with it.
    return namingOnFailure(log, name, [&] {
        const Setting level = ConfigLoader::instance().load(name);
        const Setting scene = level.isGroup() ? level("scene") : Setting();
        if (!scene.isList()) {
            throw ConfigException("Level " + name + " has no \"scene\" list.");
        }
        return doLoadSpatialList(scene, Parent());
    });
    LUM_TRACE_END
}

void UberLoader::forgetKeyFrames() {
    levelKeyFrames.clear();
    keyFramesLevel.clear();
}

boost::shared_ptr<Spatial> UberLoader::loadModel(const std::string& name) {
    LUM_TRACE_BEGIN
    failurePlaceTold = false;
    return namingOnFailure(log, name, [&] {
        return doLoadModel(loadDescription(name), Parent(), PhysicsWrapper::fromKeys);
    });
    LUM_TRACE_END
}

boost::shared_ptr<Sound> UberLoader::loadSound(const std::string& name) {
    return SoundLoader::instance().load(name);
}

UberLoader::Loaded UberLoader::doLoadSpatial(const Setting& description,
                                             const Parent& parent) const {
    LUM_TRACE_BEGIN
    if (description.isList()) {
        return doLoadSpatialList(description, parent);
    }
    if (description.isGroup()) {
        return doLoadByKind(description, parent);
    }
    if (description.isString()) {
        const std::string& name = description.asString();
        log.info("loading config file " + quoted(name));
        return namingOnFailure(log, name,
                               [&] { return doLoadSpatial(loadDescription(name), parent); });
    }
    throw Exception("Cannot load scene object, config is invalid." + description.typeName());
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadByKind(const Setting& description,
                                            const Parent& parent) const {
    LUM_TRACE_BEGIN
    const std::string type = description.typeName();
    try {
        for (const KindLoader& kind : kindLoaders()) {
            if (kind.kind.answersTo(type)) {
                return kind.load(*this, description, parent);
            }
        }
        return doLoadFromBadConfig(description, parent);
    } catch (...) {
        tellWhereFailed(description);
        throw;
    }
    LUM_TRACE_END
}

void UberLoader::tellWhereFailed(const Setting& description) const {
    SourcePosition at;
    if (failurePlaceTold || !findPosition(description, at)) {
        return;
    }
    failurePlaceTold = true;
    log.error(at.file + ":" + std::to_string(at.line) + ": the " + description.typeName() +
              " written here could not be built.");
}

boost::shared_ptr<Node> UberLoader::doLoadSpatialList(const Setting& list,
                                                      const Parent& parent) const {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Node> node = Node::make("<unnamed node>", parent);
    doLoadEach(list, node);
    return node;
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadNode(const Setting& description, const Parent& parent) const {
    LUM_TRACE_BEGIN
    const std::string name = nameOf(description, "<unnamed node>");
    log.info("Loading node " + name);
    const boost::shared_ptr<Node> node = Node::make(name, parent);
    node->setTransform(loadTransform(description("transform")));
    doLoadEach(description("children"), node);
    return node;
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadPhysicsNode(const Setting& description,
                                                 const Parent& parent) const {
    LUM_TRACE_BEGIN
    const std::string name =
        nameOf(description, numberedPlaceholder("<unnamed physics node ", parent));
    const boost::shared_ptr<PhysicsNode> node = PhysicsNode::make(name, parent);
    log.info("Loading physics node " + name);
    node->setTransform(loadTransform(description("transform")));
    doLoadEach(description("children"), node);
    node->rebuildPhysics();
    node->activate();
    return node;
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadLight(const Setting& description, const Parent& parent) const {
    LUM_TRACE_BEGIN
    const std::string name = nameOf(description, numberedPlaceholder("<unnamed light ", parent));
    log.info("Loading light " + name);
    const boost::shared_ptr<Light> light = Light::make(name, parent);
    Setting colour = description("color");
    colour.toGroup();
    light->setAmbient(colour("ambient").toVec4(glm::vec4(1.0f)));
    light->setDiffuse(colour("diffuse").toVec4(glm::vec4(1.0f)));
    light->setSpecular(colour("specular").toVec4(glm::vec4(0.1f)));
    Setting attenuation = description("attenuation");
    attenuation.toGroup();
    light->setConstantAttenuation(static_cast<float>(attenuation("constant").doubleOr(1.0)));
    light->setLinearAttenuation(static_cast<float>(attenuation("linear").doubleOr(1.0)));
    light->setQuadraticAttenuation(static_cast<float>(attenuation("quadratic").doubleOr(0.0)));
    light->setTransform(loadTransform(description("transform")));
    // A light does not place itself in the frame update: it stays where it
    // is placed now, its ancestors having been placed before it.
    light->refreshWorldTransform();
    return light;
    LUM_TRACE_END
}

UberLoader::Loaded UberLoader::doLoadFromBadConfig(const Setting& description,
                                                   const Parent& parent) const {
    LUM_TRACE_BEGIN
    const std::string type = description.typeName();
    log.error("Config for scene object has unknown type " + type + ". Trying to load it anyway!");
    if (description.contains("model")) {
        return doLoadModel(description, parent, PhysicsWrapper::fromKeys);
    }
    if (description.contains("mass")) {
        return doLoadPhysicsNode(description, parent);
    }
    if (description.contains("color")) {
        return doLoadLight(description, parent);
    }
    throw Exception("Trying to load scene object with unknown type " + type + " failed.");
    LUM_TRACE_END
}

void UberLoader::doLoadEach(Setting list, const boost::shared_ptr<Node>& node) const {
    LUM_TRACE_BEGIN
    list.toList();
    for (const auto element = list.iterator(); element->hasNext();) {
        doLoadSpatial(element->next(), node);
    }
    LUM_TRACE_END
}

Setting UberLoader::loadDescription(const std::string& name) {
    LUM_TRACE_BEGIN
    const Setting description = ConfigLoader::instance().load(name);
    if (description.isGroup() && !description.contains("name")) {
        description.put("name", name);
    }
    return description;
    LUM_TRACE_END
}

Transform UberLoader::loadTransform(const Setting& description) {
    LUM_TRACE_BEGIN
    if (!description.isGroup()) {
        return Transform::identity();
    }
    return Transform{description("scale").toVec3(glm::vec3(1.0f)), description("rotation").toQuat(),
                     description("translation").toVec3(glm::vec3(0.0f))};
    LUM_TRACE_END
}

std::string UberLoader::nameOf(const Setting& description, const std::string& placeholder) {
    return description("name").stringOr(placeholder);
}

std::string UberLoader::numberedPlaceholder(const std::string& prefix, const Parent& parent) {
    return prefix + std::to_string(parent ? parent->getChildCount() : 0) + ">";
}

}  // namespace lum
