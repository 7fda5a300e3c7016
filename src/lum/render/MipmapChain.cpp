#include "lum/render/MipmapChain.h"

#include <GL/glew.h>

#include <algorithm>

namespace lum {

PixelImage halveImage(const unsigned char* pixels, int width, int height, int channels) {
    PixelImage half;
    half.width = std::max(1, width / 2);
    half.height = std::max(1, height / 2);
    half.channels = channels;
    half.pixels.resize(static_cast<std::size_t>(half.width) * half.height * channels);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * channels;
    // Along a side of length 1 both samples of the pair are the same texel.
    const int stepX = width > 1 ? 1 : 0;
    const std::size_t stepY = height > 1 ? rowBytes : 0;
    unsigned char* out = half.pixels.data();
    for (int y = 0; y < half.height; ++y) {
        const unsigned char* const top = pixels + 2 * static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < half.width; ++x) {
            const unsigned char* const a = top + 2 * static_cast<std::size_t>(x) * channels;
            const unsigned char* const b = a + stepX * channels;
            for (int c = 0; c < channels; ++c) {
                const int sum = a[c] + b[c] + a[stepY + c] + b[stepY + c];
                *out++ = static_cast<unsigned char>((sum + 2) / 4);
            }
        }
    }
    return half;
}

namespace {

// Rows are tightly packed: an image or level whose row is not a multiple of
// four bytes must not be read with padding. Restores the alignment it found.
class PackedRows {
public:
    PackedRows() {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    ~PackedRows() { glPixelStorei(GL_UNPACK_ALIGNMENT, alignment); }
    PackedRows(const PackedRows&) = delete;
    PackedRows& operator=(const PackedRows&) = delete;

private:
    GLint alignment = 4;
};

int lastLevelOf(int width, int height) {
    int last = 0;
    for (int side = std::max(width, height); side > 1; side /= 2) {
        ++last;
    }
    return last;
}

// Naming the last level before level 0 arrives lets the driver allocate the
// whole chain at once. Without it Mesa first guesses a single level, then
// allocates the chain when level 1 arrives and keeps both until the texture
// is first drawn: a level's load held every texture's level 0 twice.
void announceLastLevel(int lastLevel) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, lastLevel);
}

}  // namespace

void uploadMipmapChain(int internalFormat, int width, int height, unsigned format, int channels,
                       const unsigned char* pixels) {
    const PackedRows packed;
    announceLastLevel(lastLevelOf(width, height));
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                 pixels);
    PixelImage level;
    for (int index = 1; width > 1 || height > 1; ++index) {
        level = halveImage(pixels, width, height, channels);
        glTexImage2D(GL_TEXTURE_2D, index, internalFormat, level.width, level.height, 0, format,
                     GL_UNSIGNED_BYTE, level.pixels.data());
        width = level.width;
        height = level.height;
        pixels = level.pixels.data();
    }
}

void uploadSingleLevel(int internalFormat, int width, int height, unsigned format,
                       const unsigned char* pixels) {
    const PackedRows packed;
    announceLastLevel(0);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                 pixels);
}

}  // namespace lum
