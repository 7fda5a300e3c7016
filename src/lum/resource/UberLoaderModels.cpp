#include "lum/resource/UberLoader.h"

#include <boost/algorithm/string/predicate.hpp>

#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletCollision/CollisionShapes/btCompoundShape.h>
#include <BulletCollision/CollisionShapes/btSphereShape.h>

#include "lum/physics/BulletMath.h"
#include "lum/physics/PhysicsNode.h"
#include "lum/render/Shader.h"
#include "lum/render/Uniform.h"
#include "lum/render/VertexArray.h"
#include "lum/render/VertexBuffer.h"
#include "lum/render/VertexLayout.h"
#include "lum/resource/ModelLoader.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/scene/Material.h"
#include "lum/scene/Model.h"
#include "lum/util/Trace.h"

// The scene loader's models: their vertex data, materials and collision shapes.

namespace lum {

namespace {

// Entries are lists of a name, a start, an end and an fps; a later entry of
// the same name replaces an earlier one.
Model::AnimationTable loadAnimations(Setting entries) {
    LUM_TRACE_BEGIN
    entries.toList();
    Model::AnimationTable animations;
    for (const auto entry = entries.iterator(); entry->hasNext();) {
        const Setting animation = entry->next();
        animations[animation(0).stringOr("name")] =
            Animation{animation(1).intOr(1), animation(2).intOr(1), animation(3).intOr(1)};
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

UberLoader::Loaded UberLoader::doLoadModel(const Setting& description, const Parent& parent,
                                           PhysicsWrapper wrapping) const {
    LUM_TRACE_BEGIN
    const std::string name = nameOf(description, "<unnamed model>");
    log.info("Loading model " + name);
    const bool animated = description("animated").boolOr(false);
    const ModelData data = readModel(description("model").stringOr("cube"), animated);
    const std::string shaderName = description("shader").stringOr("simple");
    const boost::shared_ptr<Shader> shader = ShaderLoader::instance().load(shaderName);
    const boost::shared_ptr<Shader> outlineShader =
        ShaderLoader::instance().load(description("shaderOutline").stringOr("outline"));
    const boost::shared_ptr<Texture> texture =
        TextureLoader::instance().load(description("texture").stringOr("none"));
    const bool transparent = description("transparency").boolOr(false);
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

// Models only read their key frames: one copy serves every model of the file.
ModelData UberLoader::readModel(const std::string& file, bool animated) const {
    LUM_TRACE_BEGIN
    if (!animated || !loadingLevel) {
        return ModelLoader::instance().load(file);
    }
    // Kept by the file found, not the name: the resource locations may have
    // changed since the level last loaded.
    const std::string path = ModelLoader::instance().findFile(file + ".md2");
    const auto shared = levelKeyFrames.find(path);
    if (shared != levelKeyFrames.end()) {
        return shared->second;
    }
    return levelKeyFrames[path] = ModelLoader::instance().load(file);
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
    wrapper->setMass(static_cast<float>(mass.doubleOr(1.0)));
    return wrapper;
    LUM_TRACE_END
}

boost::shared_ptr<Material> UberLoader::loadMaterial(const Setting& description,
                                                     const std::string& shaderName) {
    LUM_TRACE_BEGIN
    const glm::vec4 black(0.0f);
    const glm::vec4 ambient = description("ambient").toVec4(black);
    const glm::vec4 diffuse = description("diffuse").toVec4(black);
    const glm::vec4 specular = description("specular").toVec4(black);
    const double shininess = description("shininess").doubleOr(1.0);
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
                btTransform(toBulletRotation(placement.rotation), toBullet(placement.translation)),
                child.release());
        }
        return compound;
    }
    const std::string type = description.typeName();
    if (boost::iequals(type, "box")) {
        return OwnedShape(new btBoxShape(toBullet(description("size").toVec3())));
    }
    if (boost::iequals(type, "sphere")) {
        const double radius = description("radius").asDouble();
        return OwnedShape(new btSphereShape(static_cast<btScalar>(radius)));
    }
    log.warning("Unknown shape type : " + type + ", defaulting to Box.\n");
    return OwnedShape(new btBoxShape(toBullet(fallbackHalfExtents)));
    LUM_TRACE_END
}

}  // namespace lum
