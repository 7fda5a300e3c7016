#ifndef LUM_RESOURCE_TARGAHEADER_H
#define LUM_RESOURCE_TARGAHEADER_H

#include <cstddef>
#include <string>

namespace lum {

// The largest texture side and decoded size the game accepts. Our own
// images are at most 2880 pixels wide; anything far beyond is a broken or
// hostile file that would take seconds and gigabytes to decode.
const int maxTextureSide = 8192;
const long long maxDecodedTextureBytes = 256LL * 1024 * 1024;

// What the 18-byte header of a Targa file declares. Read before the image
// is decoded, so that a file that cannot hold what it declares, or declares
// an image no texture should be, is refused without decoding it.
struct TargaHeader {
    int idLength;
    int colorMapType;
    int imageType;
    int colorMapLength;
    int colorMapEntryBits;
    int width;
    int height;
    int pixelBits;
    // Alpha bits and the corner the first row starts at.
    int imageDescriptor;

    // Where the pixel data begins: after the header, the image's ID and its
    // colour map.
    long long dataStart() const;

    // IOException "Loading of texture file <path> failed: <reason>." when
    // the bytes are no Targa image or cannot hold the pixels declared.
    static TargaHeader check(const std::string& path, const unsigned char* bytes, std::size_t size);
};

// "Loading of texture file <path> failed: <reason>."
std::string textureFailure(const std::string& path, const std::string& reason);
// "<width> × <height> pixels"
std::string pixelCount(long long width, long long height);

}  // namespace lum

#endif
