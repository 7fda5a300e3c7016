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

TEST(MipmapChain, OddSidesDropTheirLastRowOrColumnAndSidesOfOneStayOne) {
    // 3 x 3 grey levels: the 2 x 2 block at the top left makes the 1 x 1 level.
    const Bytes square = {10, 20, 250, 30, 40, 250, 250, 250, 250};
    const PixelImage corner = halveImage(square.data(), 3, 3, 1);
    EXPECT_EQ(1, corner.width);
    EXPECT_EQ(1, corner.height);
    EXPECT_EQ(Bytes{25}, corner.pixels);

    // A column 1 wide and 4 high halves in height only, averaging pairs.
    const Bytes column = {0, 100, 7, 8};
    const PixelImage shorter = halveImage(column.data(), 1, 4, 1);
    EXPECT_EQ(1, shorter.width);
    EXPECT_EQ(2, shorter.height);
    EXPECT_EQ((Bytes{50, 8}), shorter.pixels);
}

}  // namespace
