#include "lum/resource/UberLoader.h"

#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletCollision/CollisionShapes/btCompoundShape.h>
#include <BulletCollision/CollisionShapes/btSphereShape.h>

#include <boost/algorithm/string/predicate.hpp>
#include <initializer_list>
#include <sstream>

#include "lum/character/Corn.h"
#include "lum/character/Props.h"
#include "lum/character/Toys.h"
#include "lum/physics/PhysicsNode.h"
#include "lum/render/Shader.h"
#include "lum/render/Uniform.h"
#include "lum/render/VertexArray.h"
#include "lum/render/VertexBuffer.h"
#include "lum/render/VertexLayout.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/ModelLoader.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/resource/SoundLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/scene/Light.h"
#include "lum/scene/Material.h"
#include "lum/scene/Model.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// What a level's first update advances the scene by.
const double settlingStep = 0.001;

bool isNumber(const Setting& value) {
    return value.isInt() || value.isDouble();
}

double numberOr(const Setting& value, double fallback) {
    return isNumber(value) ? value.asDouble() : fallback;
}

int wholeNumberOr(const Setting& value, int fallback) {
    return isNumber(value) ? value.asInt() : fallback;
}

std::string textOr(const Setting& value, const std::string& fallback) {
    return value.isString() ? value.asString() : fallback;
}

bool flagOr(const Setting& value, bool fallback) {
    return value.isBool() ? value.asBool() : fallback;
}

std::string nameOf(const Setting& description, const std::string& placeholder) {
    return textOr(description("name"), placeholder);
}

// A placeholder name that tells apart the unnamed objects of one parent.
std::string numberedPlaceholder(const std::string& prefix, const boost::shared_ptr<Node>& parent) {
    return prefix + std::to_string(parent ? parent->getChildCount() : 0) + ">";
}

std::string quoted(const std::string& text) {
    std::ostringstream out;
    Setting(text).streamTo(out);
    return out.str();
}

bool isKind(const std::string& type, std::initializer_list<const char*> names) {
    for (const char* const name : names) {
        if (boost::iequals(type, name)) {
            return true;
        }
    }
    return false;
}

btVector3 toBullet(const glm::vec3& v) {
    return btVector3(v.x, v.y, v.z);
}

// Bullet needs a unit quaternion; a degenerate one stands for no turn.
btQuaternion toBullet(const glm::quat& q) {
    const glm::quat unit = normalizedRotation(q);
    return btQuaternion(unit.x, unit.y, unit.z, unit.w);
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

// Entries are lists of a name, a start, an end and an fps; a later entry of
// the same name replaces an earlier one.
Model::AnimationTable loadAnimations(Setting entries) {
    LUM_TRACE_BEGIN
    entries.toList();
    Model::AnimationTable animations;
    for (const auto entry = entries.iterator(); entry->hasNext();) {
        const Setting animation = entry->next();
        animations[textOr(animation(0), "name")] =
            Animation{wholeNumberOr(animation(1), 1), wholeNumberOr(animation(2), 1),
                      wholeNumberOr(animation(3), 1)};
    }
    return animations;
    LUM_TRACE_END
}

// Vertices as the MD2 loader lays them out: position, normal, texture coordinate.
VertexLayout bodyLayout(const boost::shared_ptr<VertexBuffer>& buffer) {
    VertexLayout layout;
    layout.addAttribute("vertex", 2, 0, false, buffer);
    layout.addAttribute("normal", 2, 12, false, buffer);
    layout.addAttribute("texCoord", 1, 24, false, buffer);
    return layout;
}

VertexLayout outlineLayout(const boost::shared_ptr<VertexBuffer>& buffer) {
    VertexLayout layout;
    layout.addAttribute("vertex", 2, 0, false, buffer);
    return layout;
}

}  // namespace

void UberLoader::ShapeDeleter::operator()(btCollisionShape* shape) const {
    if (btCompoundShape* const compound = dynamic_cast<btCompoundShape*>(shape)) {
        while (compound->getNumChildShapes() > 0) {
            const OwnedShape child(compound->getChildShape(0));
            compound->removeChildShapeByIndex(0);
        }
    }
    delete shape;
}

UberLoader::UberLoader(const boost::filesystem::path& location)
    : ResourceLoader(location), log("UberLoader") {}

void UberLoader::loadLevel(const std::string& name) {
    LUM_TRACE_BEGIN
    // Built under a holder of its own, outside the scene: a load that fails
    // drops the holder, and everything built so far goes with it.
    const boost::shared_ptr<Node> holder = namingOnFailure(log, name, [&] {
        const Setting level = ConfigLoader::instance().load(name);
        const Setting scene = level.isGroup() ? level("scene") : Setting();
        if (!scene.isList()) {
            throw ConfigException("Level " + name + " has no \"scene\" list.");
        }
        return doLoadSpatialList(scene, Parent());
    });
    const boost::shared_ptr<Node>& root = Scene::global().getRoot();
    for (int moved = holder->getChildCount(); moved > 0; --moved) {
        root->addChild(holder->getChild(0));
    }
    Scene::global().update(settlingStep);
    LUM_TRACE_END
}

boost::shared_ptr<Spatial> UberLoader::loadModel(const std::string& name) {
    LUM_TRACE_BEGIN
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
    if (isKind(type, {"Node"})) {
        return doLoadNode(description, parent);
    }
    if (isKind(type, {"Model"})) {
        return doLoadModel(description, parent, PhysicsWrapper::fromKeys);
    }
    if (isKind(type, {"Light"})) {
        return doLoadLight(description, parent);
    }
    if (isKind(type, {"Physics", "PhysicsNode"})) {
        return doLoadPhysicsNode(description, parent);
    }
    if (isKind(type, {"Red", "RedCube"})) {
        return doLoadRedCube(description, parent);
    }
    if (isKind(type, {"Green", "GreenCube"})) {
        return doLoadGreenCube(description, parent);
    }
    if (isKind(type, {"Blue", "BlueCube"})) {
        return doLoadBlueCube(description, parent);
    }
    if (isKind(type, {"Mouse", "ToyMouse", "WindUpMouse"})) {
        return doLoadToyMouse(description, parent);
    }
    if (isKind(type, {"Robot", "ToyRobot"})) {
        return doLoadToyRobot(description, parent);
    }
    if (isKind(type, {"Corn"})) {
        return doLoadCorn(description, parent);
    }
    if (isKind(type, {"Door"})) {
        return doLoadDoor(description, parent);
    }
    return doLoadFromBadConfig(description, parent);
    LUM_TRACE_END
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

UberLoader::Loaded UberLoader::doLoadModel(const Setting& description, const Parent& parent,
                                           PhysicsWrapper wrapping) const {
    LUM_TRACE_BEGIN
    const std::string name = nameOf(description, "<unnamed model>");
    log.info("Loading model " + name);
    const ModelData data = ModelLoader::instance().load(textOr(description("model"), "cube"));
    const std::string shaderName = textOr(description("shader"), "simple");
    const boost::shared_ptr<Shader> shader = ShaderLoader::instance().load(shaderName);
    const boost::shared_ptr<Shader> outlineShader =
        ShaderLoader::instance().load(textOr(description("shaderOutline"), "outline"));
    const boost::shared_ptr<Texture> texture =
        TextureLoader::instance().load(textOr(description("texture"), "none"));
    const bool animated = flagOr(description("animated"), false);
    const bool transparent = flagOr(description("transparency"), false);
    const Model::AnimationTable animations =
        animated ? loadAnimations(description("animation")) : Model::AnimationTable();
    const boost::shared_ptr<Material> material = loadMaterial(description("material"), shaderName);
    const boost::shared_ptr<Material> outlineMaterial = outlineShader->createMaterial(name);
    // One key frame's room: the model writes the frame it shows into slot 0.
    const boost::shared_ptr<VertexBuffer> buffer =
        VertexBuffer::make(name + ".vbo", data.verticesPerFrame, DynamicDraw);
    const boost::shared_ptr<VertexArray> vertexArray =
        VertexArray::make(name + ".vao", shader, bodyLayout(buffer));
    const boost::shared_ptr<VertexArray> outlineVertexArray =
        VertexArray::make(name + ".vao", outlineShader, outlineLayout(buffer));
    OwnedShape shape = loadShape(description("shape"), glm::vec3(data.extents));
    // Last of all, so that a failure above leaves no empty physics node behind.
    const boost::shared_ptr<PhysicsNode> wrapper = wrapping == PhysicsWrapper::fromKeys
                                                       ? makeWrapper(description, name, parent)
                                                       : boost::shared_ptr<PhysicsNode>();
    const Parent home = wrapper ? wrapper : parent;
    const boost::shared_ptr<Model> model =
        Model::make(name, shape.release(), data, home, material, outlineMaterial, vertexArray,
                    outlineVertexArray, buffer, texture, animations);
    model->setAnimated(animated);
    model->setTransparent(transparent);
    model->setTransform(loadTransform(description("transform")));
    if (!wrapper) {
        return model;
    }
    wrapper->rebuildPhysics();
    wrapper->activate();
    return wrapper;
    LUM_TRACE_END
}

boost::shared_ptr<PhysicsNode> UberLoader::makeWrapper(const Setting& description,
                                                       const std::string& name,
                                                       const Parent& parent) {
    LUM_TRACE_BEGIN
    const bool hasMass = description.contains("mass");
    if (!hasMass && !description.contains("physics")) {
        return boost::shared_ptr<PhysicsNode>();
    }
    Setting physics = description("physics");
    physics.toGroup();
    const Setting mass = hasMass ? description("mass") : physics("mass");
    const boost::shared_ptr<PhysicsNode> wrapper =
        PhysicsNode::make("<Physics Node for " + name + ">", parent);
    wrapper->setMass(static_cast<float>(numberOr(mass, 1.0)));
    return wrapper;
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
    light->setConstantAttenuation(static_cast<float>(numberOr(attenuation("constant"), 1.0)));
    light->setLinearAttenuation(static_cast<float>(numberOr(attenuation("linear"), 1.0)));
    light->setQuadraticAttenuation(static_cast<float>(numberOr(attenuation("quadratic"), 0.0)));
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
    object->setMass(static_cast<float>(numberOr(description("mass"), 1.0)));
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

boost::shared_ptr<Material> UberLoader::loadMaterial(const Setting& description,
                                                     const std::string& shaderName) {
    LUM_TRACE_BEGIN
    const glm::vec4 black(0.0f);
    const glm::vec4 ambient = description("ambient").toVec4(black);
    const glm::vec4 diffuse = description("diffuse").toVec4(black);
    const glm::vec4 specular = description("specular").toVec4(black);
    const double shininess = numberOr(description("shininess"), 1.0);
    const boost::shared_ptr<Material> material =
        ShaderLoader::instance().load(shaderName)->createMaterial("material");
    material->getUniform("material.ambient")->asVec4().setValue(ambient);
    material->getUniform("material.diffuse")->asVec4().setValue(diffuse);
    material->getUniform("material.specular")->asVec4().setValue(specular);
    material->getUniform("material.shininess")->asFloat().setValue(static_cast<float>(shininess));
    return material;
    LUM_TRACE_END
}

UberLoader::OwnedShape UberLoader::loadShape(const Setting& description,
                                             const glm::vec3& fallbackHalfExtents) const {
    LUM_TRACE_BEGIN
    if (description.isList()) {
        OwnedShape compound(new btCompoundShape());
        for (const auto element = description.iterator(); element->hasNext();) {
            const Setting part = element->next();
            // Only a group can place its shape; a list inside is a compound
            // of its own, placed where it is.
            const Transform placement =
                loadTransform(part.isGroup() ? part("transform") : Setting());
            OwnedShape child = loadShape(part, glm::vec3(1.0f));
            child->setLocalScaling(toBullet(placement.scale));
            static_cast<btCompoundShape&>(*compound).addChildShape(
                btTransform(toBullet(placement.rotation), toBullet(placement.translation)),
                child.release());
        }
        return compound;
    }
    const std::string type = description.typeName();
    if (isKind(type, {"box"})) {
        return OwnedShape(new btBoxShape(toBullet(description("size").toVec3())));
    }
    if (isKind(type, {"sphere"})) {
        const double radius = description("radius").asDouble();
        return OwnedShape(new btSphereShape(static_cast<btScalar>(radius)));
    }
    log.warning("Unknown shape type : " + type + ", defaulting to Box.\n");
    return OwnedShape(new btBoxShape(toBullet(fallbackHalfExtents)));
    LUM_TRACE_END
}

}  // namespace lum
