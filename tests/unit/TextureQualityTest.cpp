#include <gtest/gtest.h>

#include "lum/render/Texture.h"

using namespace lum;

// The quality table: what the filters and the console line become for each
// combination the input logic can reach.
TEST(TextureQuality, EachCombinationPicksItsFiltersAndAnnouncesThem) {
    const struct {
        int quality, mipmap;
        GLenum min, mag;
        const char* line;
    } table[] = {
        {0, 0, GL_NEAREST, GL_NEAREST, "TEX QUALITY : NEAREST ### MIPMAP : NONE\n"},
        {7, 5, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, "TEX QUALITY : LINEAR ### MIPMAP : LINEAR\n"},
    };
    const int savedQuality = Texture::quality;
    const int savedMipmap = Texture::mipmapMode;
    EXPECT_EQ(GLenum(GL_LINEAR_MIPMAP_NEAREST), Texture::getMinFilter());
    EXPECT_EQ(GLenum(GL_LINEAR), Texture::getMagFilter());
    for (const auto& row : table) {
        Texture::quality = row.quality;
        Texture::mipmapMode = row.mipmap;
        ::testing::internal::CaptureStdout();
        Texture::updateQuality();
        EXPECT_EQ(row.line, ::testing::internal::GetCapturedStdout());
        EXPECT_EQ(row.min, Texture::getMinFilter());
        EXPECT_EQ(row.mag, Texture::getMagFilter());
    }
    Texture::quality = savedQuality;
    Texture::mipmapMode = savedMipmap;
    ::testing::internal::CaptureStdout();
    Texture::updateQuality();
    ::testing::internal::GetCapturedStdout();
}
