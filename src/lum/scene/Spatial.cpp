#include "lum/scene/Spatial.h"

#include <cmath>

#include <BulletCollision/CollisionShapes/btEmptyShape.h>

#include "lum/scene/Node.h"
#include "lum/util/Assert.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {
const float radiansPerDegree = 0.017453293f;
const glm::vec3 worldUp(0.0f, 1.0f, 0.0f);
}  // namespace

Spatial::Spatial(const std::string& name)
    : Named(name),
      scene(nullptr),
      transform(Transform::identity()),
      worldTransform(Transform::identity()) {}

Spatial::~Spatial() = default;

btCollisionShape* Spatial::getCollisionShape() const {
    // One shape for every object without its own saves an allocation each;
    // it is never freed, so a physics world torn down at exit may still use it.
    static btEmptyShape* const emptyShape = new btEmptyShape();
    return emptyShape;
}

void Spatial::update(double) {
    updateWorldTransform();
    updateShapeScaling();
}

void Spatial::render(Renderer&) {}

void Spatial::setTransform(const Transform& newTransform) {
    transform = newTransform;
}

void Spatial::setScale(const glm::vec3& newScale) {
    transform.scale = newScale;
}

void Spatial::scale(const glm::vec3& factors) {
    transform.scale *= factors;
}

void Spatial::setRotation(const glm::quat& rotation) {
    transform.rotation = rotation;
}

void Spatial::rotate(float angle, const glm::vec3& axis) {
    glm::vec3 unitAxis = axis;
    const float length = glm::length(axis);
    // A zero axis stays zero, which makes the turn an identity rather than NaN.
    if (std::abs(length - 1.0f) > 0.001f && length > 0.0f) {
        unitAxis /= length;
    }
    const float half = angle * radiansPerDegree * 0.5f;
    const glm::vec3 vector = unitAxis * std::sin(half);
    rotate(glm::quat(std::cos(half), vector.x, vector.y, vector.z));
}

void Spatial::rotate(const glm::quat& turn) {
    transform.rotation = normalizedRotation(turn * transform.rotation);
}

void Spatial::lookAt(const glm::vec3& target) {
    const glm::vec3 forward = glm::normalize(target - worldTransform.translation);
    const glm::vec3 side = glm::normalize(glm::cross(forward, worldUp));
    const glm::vec3 up = glm::cross(side, forward);
    // The view rotation has the rows side, up and -forward; the object's own
    // rotation is its inverse, the matrix with those columns.
    setRotation(glm::quat_cast(glm::mat3(side, up, -forward)));
}

void Spatial::setTranslation(const glm::vec3& translation) {
    transform.translation = translation;
}

void Spatial::translate(const glm::vec3& offset) {
    transform.translation += offset;
}

void Spatial::onParentChanged() {}

void Spatial::updateShapeScaling() {
    const glm::vec3& s = worldTransform.scale;
    getCollisionShape()->setLocalScaling(btVector3(s.x, s.y, s.z));
}

Scene* Spatial::getScene() const {
    if (scene == nullptr) {
        if (const boost::shared_ptr<Node> owner = parent.lock()) {
            scene = owner->getScene();
        }
    }
    return scene;
}

boost::shared_ptr<Node> Spatial::getParent() const {
    return parent.lock();
}

const Transform& Spatial::getTransform() const {
    return transform;
}

const Transform& Spatial::getWorldTransform() const {
    return worldTransform;
}

void Spatial::setParent(boost::weak_ptr<Node> newParent) {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Node> owner = newParent.lock();
    // A cycle would keep itself alive and recurse without end in update.
    LUM_ASSERT(!owner || !isAncestorOf(*owner));
    const boost::shared_ptr<Spatial> self = shared_from_this();
    detach();
    if (owner) {
        parent = owner;
        scene = owner->getScene();
        owner->children.push_back(self);
    }
    onParentChanged();
    LUM_TRACE_END
}

void Spatial::detach() {
    LUM_TRACE_BEGIN
    if (const boost::shared_ptr<Node> owner = parent.lock()) {
        owner->removeChild(shared_from_this());
    }
    clearParent();
    LUM_TRACE_END
}

void Spatial::updateWorldTransform() {
    Transform world = transform;
    if (const boost::shared_ptr<Node> owner = parent.lock()) {
        const Transform& up = owner->worldTransform;
        world.scale = up.scale * transform.scale;
        world.rotation = normalizedRotation(up.rotation * transform.rotation);
        world.translation = up.rotation * (up.scale * transform.translation) + up.translation;
    }
    world.rotation = normalizedRotation(world.rotation);
    worldTransform = world;
}

void Spatial::setWorldPlacement(const Transform& world) {
    worldTransform = world;
}

void Spatial::refreshWorldTransform() {
    if (const boost::shared_ptr<Node> owner = parent.lock()) {
        owner->refreshWorldTransform();
    }
    updateWorldTransform();
}

bool Spatial::isAncestorOf(const Node& node) const {
    if (&node == this) {
        return true;
    }
    for (boost::shared_ptr<Node> above = node.getParent(); above; above = above->getParent()) {
        if (above.get() == this) {
            return true;
        }
    }
    return false;
}

void Spatial::clearParent() {
    parent.reset();
    scene = nullptr;
}

}  // namespace lum
