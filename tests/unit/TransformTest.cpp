#include <gtest/gtest.h>

#include <sstream>

#include "lum/scene/Transform.h"

using namespace lum;

TEST(Transform, PrintsItsPartsWithSevenDigitsAndLeavesTheStreamAsItWas) {
    std::ostringstream out;
    out << Transform::identity();
    EXPECT_EQ("{scale: (1, 1, 1), rotation: (0, 0, 0, 1), translation: (0, 0, 0)}", out.str());

    std::ostringstream fixed;
    fixed.precision(2);
    fixed << std::fixed;
    const Transform odd{glm::vec3(1.0f / 3.0f, 2, 0.5f), glm::quat(0.25f, 0, -1, 0),
                        glm::vec3(-12345.678f, 1e-8f, 100)};
    fixed << odd << ' ' << 0.5;
    EXPECT_EQ(
        "{scale: (0.3333333, 2, 0.5), rotation: (0, -1, 0, 0.25), translation: (-12345.68, "
        "1e-08, 100)} 0.50",
        fixed.str());
}
