#ifndef LUM_RENDER_MIPMAPCHAIN_H
#define LUM_RENDER_MIPMAPCHAIN_H

#include <vector>

namespace lum {

// An 8-bit image with tightly packed rows, `channels` bytes per texel.
struct PixelImage {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<unsigned char> pixels;
};

// The mipmap level below the image `pixels`: max(1, width / 2) by
// max(1, height / 2), each texel the rounded average of the 2 x 2 block it
// covers (a 2 x 1 or 1 x 2 block along a side of length 1). An odd last
// row or column is left out, as OpenGL's own level sizes leave it out.
PixelImage halveImage(const unsigned char* pixels, int width, int height, int channels);

// Uploads `pixels` as level 0 of the bound GL_TEXTURE_2D and every smaller
// level down to 1 x 1, each built on the CPU from the one before. Drivers
// that generate mipmaps on the GPU compile code for it at run time, which on
// a software renderer costs more than the whole image. The texture's last
// level is set to the chain's last before any level arrives.
void uploadMipmapChain(int internalFormat, int width, int height, unsigned format, int channels,
                       const unsigned char* pixels);

// Uploads `pixels` as the only level of the bound GL_TEXTURE_2D, for a
// picture that is drawn at about its own size and never minified far. The
// texture's last level is 0, so the mipmapped filters that Texture::bind
// sets still find it complete.
void uploadSingleLevel(int internalFormat, int width, int height, unsigned format,
                       const unsigned char* pixels);

}  // namespace lum

#endif
