#ifndef LUM_SCENE_CAMERA_H
#define LUM_SCENE_CAMERA_H

#include <array>
#include <memory>
#include <string>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <glm/glm.hpp>

#include "lum/scene/Spatial.h"

class btSphereShape;

namespace lum {

class Node;

// The eye through which the scene is seen: view and projection matrices for
// the models, and a view frustum against which they are culled.
//
// The frustum is the camera's own view volume: it looks down the camera's
// world -Z axis with its world +Y as up and uses the field of view, aspect
// and planes of the last setPerspective. It is rebuilt by every update and
// every setPerspective, from the world placement of the last update.
class Camera : public Spatial {
public:
    // One face of the frustum: a point on it and its outward normal (not of
    // unit length).
    struct Plane {
        glm::vec3 point;
        glm::vec3 normal;
    };

    // Starts with 55 degrees, 4:3, near 1 and far 500.
    static boost::shared_ptr<Camera> make(const std::string& name, boost::weak_ptr<Node> parent);

    ~Camera() override;

    // The sphere around the frustum; owned by the camera and replaced by
    // every rebuild, so callers must not keep it.
    btCollisionShape* getCollisionShape() const override;
    void update(double dt) override;

    // fov is the vertical field of view in degrees.
    void setPerspective(float fov, float aspect, float near, float far);
    // The same perspective for a window of another shape.
    void setAspect(float aspect);

    const glm::mat4& getView() const;
    const glm::mat4& getProjection() const;
    const glm::mat4& getViewProjection() const;

    // Whether the bounding sphere of shape placed at position touches the
    // sphere around the frustum. A cheap first test.
    bool isNearFrustum(const btCollisionShape* shape, const glm::vec3& position) const;
    // Whether no face of the frustum has the bounding sphere of shape placed
    // at position wholly outside it. A sphere that straddles a face is kept.
    bool isInFrustum(const btCollisionShape* shape, const glm::vec3& position) const;
    // Both tests, the cheap one first.
    bool isVisible(const btCollisionShape* shape, const glm::vec3& position) const;

    const glm::vec3& getFrustumCenter() const;
    double getFrustumRadius() const;
    // Faces in the order top, bottom, right, left, near, far, as seen
    // through the camera.
    const std::array<Plane, 6>& getFrustumPlanes() const;

protected:
    explicit Camera(const std::string& name);

private:
    void rebuildFrustum();

    glm::mat4 view;
    glm::mat4 projection;
    glm::mat4 viewProjection;
    std::unique_ptr<btSphereShape> collisionShape;
    std::array<Plane, 6> frustumPlanes;
    glm::vec3 frustumCenter;
    double frustumRadius;
    float fieldOfView;
    float aspectRatio;
    float nearPlane;
    float farPlane;
};

}  // namespace lum

#endif
