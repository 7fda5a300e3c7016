#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <BulletCollision/CollisionShapes/btSphereShape.h>
#include <glm/gtc/matrix_transform.hpp>

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
    glm::vec3 right() const { return axis(glm::vec3(1, 0, 0)); }

    // A point at depth on the view axis, moved along side (a local axis of
    // the camera: up, down, right or left) to the frustum's edge and then by
    // offset further out.
    glm::vec3 pastEdge(float depth, const glm::vec3& side, float offset) const {
        const float halfHeight = depth * std::tan(glm::radians(fov / 2));
        const float edge = side.x != 0 ? halfHeight * aspect : halfHeight;
        return eye() + forward() * depth + axis(side) * (edge + offset);
    }
    glm::vec3 ahead(float depth) const { return eye() + forward() * depth; }

    // Indices of the faces that have the ball at point wholly outside.
    std::vector<int> rejectingFaces(const glm::vec3& point) const {
        std::vector<int> faces;
        for (int i = 0; i < 6; ++i) {
            const Camera::Plane& plane = camera->getFrustumPlanes()[i];
            if (glm::dot(glm::normalize(plane.normal), point - plane.point) > radius) {
                faces.push_back(i);
            }
        }
        return faces;
    }

    boost::shared_ptr<Camera> camera = Camera::make("camera", noParent);
    btSphereShape ball{1.0f};
    btScalar radius = 0;
};

TEST_F(CameraTest, KeepsWhatIsAheadAndCullsWhatIsBehindWhicheverWayItFacesOrIsTurned) {
    const std::vector<glm::quat> facings = {
        glm::quat(1, 0, 0, 0),         turn(90, glm::vec3(0, 1, 0)),
        turn(180, glm::vec3(0, 1, 0)), turn(-90, glm::vec3(1, 0, 0)),
        turn(80, glm::vec3(1, 0, 0)),  turn(130, glm::vec3(-2, 1, 5))};
    for (const glm::quat& facing : facings) {
        place(glm::vec3(-40, 7, 12), facing);
        EXPECT_TRUE(camera->isVisible(&ball, ahead(100)));
        EXPECT_TRUE(camera->isVisible(&ball, pastEdge(200, glm::vec3(0, 1, 0), -3)));
        EXPECT_FALSE(camera->isVisible(&ball, ahead(-100)));
        EXPECT_FALSE(camera->isVisible(&ball, eye() + right() * 100.0f));
    }
    // Turned by lookAt, with nothing to follow.
    const glm::vec3 target(100, -20, 30);
    camera->lookAt(target);
    camera->update(0.0);
    EXPECT_TRUE(camera->isVisible(&ball, target));
    EXPECT_FALSE(camera->isVisible(&ball, 2.0f * eye() - target));
}

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
    for (int face = 0; face < 6; ++face) {
        const Case& c = cases[face];
        EXPECT_EQ(std::vector<int>{face}, rejectingFaces(c.outside)) << c.face;
        EXPECT_FALSE(camera->isInFrustum(&ball, c.outside)) << c.face;
        EXPECT_TRUE(camera->isVisible(&ball, c.straddling)) << c.face;
    }
}

TEST_F(CameraTest, TheSphereTestCullsBeyondACornerThatNoFaceRejects) {
    const glm::vec3 farCorner = pastEdge(farPlane, glm::vec3(0, 1, 0), 0) +
                                right() * (farPlane * aspect * std::tan(glm::radians(fov / 2)));
    const glm::vec3 centre = camera->getFrustumCenter();
    const double frustumRadius = camera->getFrustumRadius();
    EXPECT_NEAR(frustumRadius, glm::distance(centre, farCorner), 1e-3);
    EXPECT_LE(glm::distance(centre, ahead(nearPlane)), frustumRadius);

    const glm::vec3 pastCorner = farCorner + glm::normalize(farCorner - centre) * (radius * 1.01f);
    EXPECT_TRUE(camera->isInFrustum(&ball, pastCorner));
    EXPECT_FALSE(camera->isNearFrustum(&ball, pastCorner));
    EXPECT_FALSE(camera->isVisible(&ball, pastCorner));

    const glm::vec3 touching = farCorner + glm::normalize(farCorner - centre) * (radius * 0.99f);
    EXPECT_TRUE(camera->isNearFrustum(&ball, touching));
}

TEST_F(CameraTest, AFrustumWithoutDepthKeepsItsFacesInsideAHugeSphere) {
    const glm::vec3 centre = camera->getFrustumCenter();
    const std::array<Camera::Plane, 6> planes = camera->getFrustumPlanes();
    camera->setPerspective(fov, aspect, 50, 50);
    EXPECT_EQ(500000.0, camera->getFrustumRadius());
    EXPECT_EQ(500000.0f, static_cast<btSphereShape*>(camera->getCollisionShape())->getRadius());
    EXPECT_EQ(centre, camera->getFrustumCenter());
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(planes[i].normal, camera->getFrustumPlanes()[i].normal);
    }
    EXPECT_TRUE(camera->isNearFrustum(&ball, ahead(-1000)));
}
