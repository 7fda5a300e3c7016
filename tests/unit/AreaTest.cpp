#include <gtest/gtest.h>

#include "flow/Area.h"

using lum::Area;

TEST(Area, HoldsOnlyPointsStrictlyInsideOnEveryBoundedAxis) {
    const float anywhere = Area::unbounded;
    const Area band{{-10, -anywhere, -40}, {-4, anywhere, -36}};
    EXPECT_TRUE(band.contains({-7, 0, -38}));
    EXPECT_TRUE(band.contains({-7, -1e30f, -38}));
    EXPECT_TRUE(band.contains({-7, 1e30f, -38}));
    EXPECT_FALSE(band.contains({-10, 0, -38}));
    EXPECT_FALSE(band.contains({-4, 0, -38}));
    EXPECT_FALSE(band.contains({-7, 0, -40}));
    EXPECT_FALSE(band.contains({-7, 0, -36}));
    EXPECT_FALSE(band.contains({-3, 0, -38}));

    const Area box{{0, 0, 0}, {1, 1, 1}};
    EXPECT_TRUE(box.contains({0.5f, 0.5f, 0.5f}));
    EXPECT_FALSE(box.contains({0.5f, 1.5f, 0.5f}));
    EXPECT_FALSE(box.contains({0.5f, 0.5f, -0.1f}));
}
