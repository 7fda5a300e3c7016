#include "lum/scene/Camera.h"

#include <algorithm>
#include <cmath>

#include <BulletCollision/CollisionShapes/btSphereShape.h>
#include <glm/gtc/matrix_transform.hpp>

#include "lum/util/Assert.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// A sphere this large culls nothing: the stand-in for a frustum without depth.
const double unboundedRadius = 500000.0;

// One cross-section of the frustum, its corners named by the sides of the
// up and right axes they lie on.
struct Section {
    glm::vec3 upRight;
    glm::vec3 upLeft;
    glm::vec3 downRight;
    glm::vec3 downLeft;
};

// The axes of the view volume, all of unit length.
struct ViewAxes {
    glm::vec3 eye;
    glm::vec3 forward;
    glm::vec3 up;
    glm::vec3 right;
};

ViewAxes viewAxesOf(const Transform& world) {
    const glm::vec3 forward = glm::normalize(world.rotation * glm::vec3(0.0f, 0.0f, -1.0f));
    const glm::vec3 up = glm::normalize(world.rotation * glm::vec3(0.0f, 1.0f, 0.0f));
    return ViewAxes{world.translation, forward, up, glm::normalize(glm::cross(forward, up))};
}

// tanHalfFov is the tangent of half the vertical field of view.
Section sectionAt(const ViewAxes& axes, float tanHalfFov, float aspect, float depth) {
    const glm::vec3 centre = axes.eye + axes.forward * depth;
    const glm::vec3 halfUp = axes.up * (tanHalfFov * depth);
    const glm::vec3 halfRight = axes.right * (aspect * tanHalfFov * depth);
    return Section{centre + halfUp + halfRight, centre + halfUp - halfRight,
                   centre - halfUp + halfRight, centre - halfUp - halfRight};
}

// The face through p, q and s; the corners are ordered so that the normal
// points out of the frustum.
Camera::Plane planeThrough(const glm::vec3& p, const glm::vec3& q, const glm::vec3& s) {
    return Camera::Plane{p, glm::cross(s - p, q - p)};
}

// Top, bottom, right, left, near and far face of the frustum between the
// near and the far section.
std::array<Camera::Plane, 6> facesBetween(const Section& near, const Section& far) {
    return {planeThrough(near.upLeft, far.upRight, near.upRight),
            planeThrough(near.downRight, far.downLeft, near.downLeft),
            planeThrough(near.upRight, far.downRight, near.downRight),
            planeThrough(near.downLeft, far.downLeft, near.upLeft),
            planeThrough(near.upRight, near.downLeft, near.upLeft),
            planeThrough(far.upLeft, far.downRight, far.upRight)};
}

float boundingRadius(const btCollisionShape* shape) {
    LUM_TRACE_BEGIN
    LUM_ASSERT(shape != nullptr);
    btVector3 centre;
    btScalar radius = 0;
    shape->getBoundingSphere(centre, radius);
    return radius;
    LUM_TRACE_END
}

}  // namespace

Camera::Camera(const std::string& name)
    : Spatial(name),
      view(1.0f),
      projection(1.0f),
      viewProjection(1.0f),
      frustumPlanes(),
      frustumCenter(0.0f),
      frustumRadius(0.0),
      fieldOfView(0.0f),
      aspectRatio(0.0f),
      nearPlane(0.0f),
      farPlane(0.0f) {
    LUM_TRACE_BEGIN
    setPerspective(55.0f, 1.3333334f, 1.0f, 500.0f);
    LUM_TRACE_END
}

Camera::~Camera() = default;

boost::shared_ptr<Camera> Camera::make(const std::string& name, boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Camera> camera(new Camera(name));
    camera->setParent(parent);
    return camera;
    LUM_TRACE_END
}

btCollisionShape* Camera::getCollisionShape() const {
    return collisionShape.get();
}

void Camera::update(double) {
    updateWorldTransform();
    updateShapeScaling();
    view = glm::inverse(getWorldTransform().toMatrix());
    viewProjection = projection * view;
    rebuildFrustum();
}

void Camera::setAspect(float aspect) {
    setPerspective(fieldOfView, aspect, nearPlane, farPlane);
}

void Camera::setPerspective(float fov, float aspect, float near, float far) {
    projection = glm::perspective(glm::radians(fov), aspect, near, far);
    viewProjection = projection * view;
    fieldOfView = fov;
    aspectRatio = aspect;
    nearPlane = near;
    farPlane = far;
    rebuildFrustum();
}

const glm::mat4& Camera::getView() const {
    return view;
}

const glm::mat4& Camera::getProjection() const {
    return projection;
}

const glm::mat4& Camera::getViewProjection() const {
    return viewProjection;
}

bool Camera::isNearFrustum(const btCollisionShape* shape, const glm::vec3& position) const {
    LUM_TRACE_BEGIN
    const double reach = boundingRadius(shape) + frustumRadius;
    return glm::distance(position, frustumCenter) < reach;
    LUM_TRACE_END
}

bool Camera::isInFrustum(const btCollisionShape* shape, const glm::vec3& position) const {
    LUM_TRACE_BEGIN
    const float radius = boundingRadius(shape);
    for (const Plane& plane : frustumPlanes) {
        if (glm::dot(glm::normalize(plane.normal), position - plane.point) > radius) {
            return false;
        }
    }
    return true;
    LUM_TRACE_END
}

bool Camera::isVisible(const btCollisionShape* shape, const glm::vec3& position) const {
    LUM_TRACE_BEGIN
    return isNearFrustum(shape, position) && isInFrustum(shape, position);
    LUM_TRACE_END
}

const glm::vec3& Camera::getFrustumCenter() const {
    return frustumCenter;
}

double Camera::getFrustumRadius() const {
    return frustumRadius;
}

const std::array<Camera::Plane, 6>& Camera::getFrustumPlanes() const {
    return frustumPlanes;
}

void Camera::rebuildFrustum() {
    const ViewAxes axes = viewAxesOf(getWorldTransform());
    const float tanHalfFov = std::tan(glm::radians(fieldOfView) * 0.5f);
    const Section near = sectionAt(axes, tanHalfFov, aspectRatio, nearPlane);
    const Section far = sectionAt(axes, tanHalfFov, aspectRatio, farPlane);

    // The centre lies on the axis, equally far from a near and a far corner,
    // so the sphere holds all eight corners.
    const glm::vec3 middle = (far.upRight + near.upRight) * 0.5f;
    const glm::vec3 half = (far.upRight - near.upRight) * 0.5f;
    const float along = glm::dot(axes.forward, half);
    if (along == 0.0f) {
        // Without depth there are no faces to build: the last ones stay, and
        // the huge sphere lets everything through the first test.
        frustumRadius = unboundedRadius;
    } else {
        const float t = (glm::dot(middle, half) - glm::dot(axes.eye, half)) / along;
        frustumCenter = axes.eye + axes.forward * t;
        frustumRadius = std::max(glm::distance(frustumCenter, far.upRight),
                                 glm::distance(frustumCenter, near.upRight));
        frustumPlanes = facesBetween(near, far);
    }
    collisionShape.reset(new btSphereShape(static_cast<btScalar>(frustumRadius)));
}

}  // namespace lum
