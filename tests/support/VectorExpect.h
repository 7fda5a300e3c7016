#ifndef GLIMMET_TESTS_VECTOREXPECT_H
#define GLIMMET_TESTS_VECTOREXPECT_H

#include <gtest/gtest.h>

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

#endif
