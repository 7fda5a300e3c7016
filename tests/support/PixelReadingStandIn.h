#ifndef GLIMMET_TESTS_PIXELREADINGSTANDIN_H
#define GLIMMET_TESTS_PIXELREADINGSTANDIN_H

#include <cstddef>
#include <vector>

#include "lum/resource/TextureLoader.h"

// Stands in for glTexImage2D where there is no OpenGL context (headless
// tests, the fuzzer): reads every byte OpenGL would read for `height` rows
// of `width` RGB pixels, each row starting at a multiple of `rowAlignment`,
// so that AddressSanitizer sees an over-read, and keeps the pixels packed.
inline std::vector<unsigned char>& lastUploadedPixels() {
    static std::vector<unsigned char> pixels;
    return pixels;
}

inline void readPixelsLikeOpenGL(int width, int height, int rowAlignment,
                                 const unsigned char* rgbRows, lum::TextureLoader::Levels) {
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
    const std::size_t stride = (rowBytes + rowAlignment - 1) / rowAlignment * rowAlignment;
    std::vector<unsigned char>& pixels = lastUploadedPixels();
    pixels.clear();
    for (int row = 0; row < height; ++row) {
        const unsigned char* const start = rgbRows + row * stride;
        pixels.insert(pixels.end(), start, start + rowBytes);
    }
}

#endif
