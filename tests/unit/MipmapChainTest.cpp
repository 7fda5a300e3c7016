#include <gtest/gtest.h>

#include <vector>

#include "lum/render/MipmapChain.h"

using lum::halveImage;
using lum::PixelImage;

namespace {

using Bytes = std::vector<unsigned char>;

TEST(MipmapChain, EachTexelIsTheRoundedAverageOfTheBlockItCovers) {
    // 4 x 2 RGB: two 2 x 2 blocks.
    const Bytes pixels = {0,  0,  0,  10, 20, 30, 200, 0, 0,   200, 0, 0,
                          40, 50, 60, 50, 70, 91, 0,   0, 255, 0,   0, 255};
    const PixelImage half = halveImage(pixels.data(), 4, 2, 3);
    EXPECT_EQ(2, half.width);
    EXPECT_EQ(1, half.height);
    // (0 + 10 + 40 + 50) / 4 = 25, (0 + 20 + 50 + 70) / 4 = 35, (0 + 30 + 60 + 91) / 4 = 45.25
    EXPECT_EQ((Bytes{25, 35, 45, 100, 0, 128}), half.pixels);
}

}  // namespace
