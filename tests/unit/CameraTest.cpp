#include <gtest/gtest.h>

#include <cmath>

#include <BulletCollision/CollisionShapes/btSphereShape.h>

#include "VectorExpect.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Node.h"

using namespace lum;

namespace {

const boost::weak_ptr<Node> noParent;
const float fov = 40.0f;
const float aspect = 1024.0f / 768.0f;
const float nearPlane = 15.0f;
const float farPlane = 250.0f;

glm::quat turn(float degrees, const glm::vec3& axis) {
    return glm::angleAxis(glm::radians(degrees), glm::normalize(axis));
}

}  // namespace

// The game's perspective on a camera that is placed and turned away from the
// world axes, with a ball of radius 1 as the object to cull.
class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        camera->setPerspective(fov, aspect, nearPlane, farPlane);
        place(glm::vec3(5, -3, 8), turn(37, glm::vec3(1, 2, 3)));
        btVector3 centre;
        ball.getBoundingSphere(centre, radius);
    }

    void place(const glm::vec3& eye, const glm::quat& rotation) {
        camera->setTranslation(eye);
        camera->setRotation(rotation);
        camera->update(0.0);
    }

    glm::vec3 eye() const { return camera->getWorldTransform().translation; }
    glm::vec3 axis(const glm::vec3& local) const {
        return camera->getWorldTransform().rotation * local;
    }
    glm::vec3 forward() const { return axis(glm::vec3(0, 0, -1)); }

    // A point at depth on the view axis, moved along side (a local axis of
    // the camera: up, down, right or left) to the frustum's edge and then by
    // offset further out.
    glm::vec3 pastEdge(float depth, const glm::vec3& side, float offset) const {
        const float halfHeight = depth * std::tan(glm::radians(fov / 2));
        const float edge = side.x != 0 ? halfHeight * aspect : halfHeight;
        return eye() + forward() * depth + axis(side) * (edge + offset);
    }
    glm::vec3 ahead(float depth) const { return eye() + forward() * depth; }

    boost::shared_ptr<Camera> camera = Camera::make("camera", noParent);
    btSphereShape ball{1.0f};
    btScalar radius = 0;
};

TEST_F(CameraTest, EachFaceCullsOnItsOwnAndAStraddlingBallIsKept) {
    const float out = 2 * radius;
    const float half = radius / 2;
    struct Case {
        const char* face;
        glm::vec3 outside;
        glm::vec3 straddling;
    };
    const Case cases[] = {
        {"top", pastEdge(100, glm::vec3(0, 1, 0), out), pastEdge(100, glm::vec3(0, 1, 0), half)},
        {"bottom", pastEdge(100, glm::vec3(0, -1, 0), out),
         pastEdge(100, glm::vec3(0, -1, 0), half)},
        {"right", pastEdge(100, glm::vec3(1, 0, 0), out), pastEdge(100, glm::vec3(1, 0, 0), half)},
        {"left", pastEdge(100, glm::vec3(-1, 0, 0), out), pastEdge(100, glm::vec3(-1, 0, 0), half)},
        {"near", ahead(nearPlane - out), ahead(nearPlane - half)},
        {"far", ahead(farPlane + out), ahead(farPlane + half)},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(camera->isVisible(&ball, c.outside)) << c.face;
        EXPECT_TRUE(camera->isVisible(&ball, c.straddling)) << c.face;
    }
}
