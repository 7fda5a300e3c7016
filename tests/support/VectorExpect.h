#ifndef GLIMMET_TESTS_VECTOREXPECT_H
#define GLIMMET_TESTS_VECTOREXPECT_H

#include <gtest/gtest.h>

#include <LinearMath/btVector3.h>
#include <glm/glm.hpp>

// Component-wise closeness of two vectors, reported with both values.
inline ::testing::AssertionResult vectorsNear(const glm::vec3& expected, const glm::vec3& actual,
                                              float tolerance = 1e-5f) {
    if (glm::all(glm::lessThanEqual(glm::abs(expected - actual), glm::vec3(tolerance)))) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "expected (" << expected.x << ", " << expected.y << ", " << expected.z
           << ") but got (" << actual.x << ", " << actual.y << ", " << actual.z << ")";
}

// Bullet's vector in the game's maths, to compare with the game's own.
inline glm::vec3 fromBullet(const btVector3& v) {
    return glm::vec3(v.x(), v.y(), v.z());
}

#endif
