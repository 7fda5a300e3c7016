#include "lum/resource/TargaPixels.h"

#include "lum/resource/TargaHeader.h"

namespace lum {

namespace {

const int trueColor = 2;
const int runLengthTrueColor = 10;
const int rgbBits = 24;
const std::size_t pixelBytes = 3;
// A packet's count byte: the top bit marks a run of one repeated pixel, the
// others hold the number of pixels less one.
const unsigned runFlag = 0x80;
const unsigned countBits = 0x7F;

bool isPlain(const TargaHeader& header) {
    return (header.imageType == trueColor || header.imageType == runLengthTrueColor) &&
           header.colorMapType == 0 && header.pixelBits == rgbBits && header.imageDescriptor == 0;
}

// Targa stores blue, green, red.
void putPixel(const unsigned char* bgr, unsigned char* rgb) {
    rgb[0] = bgr[2];
    rgb[1] = bgr[1];
    rgb[2] = bgr[0];
}

void copySwapped(const unsigned char* bgr, std::size_t pixels, unsigned char* rgb) {
    for (std::size_t i = 0; i < pixels; ++i, bgr += pixelBytes, rgb += pixelBytes) {
        putPixel(bgr, rgb);
    }
}

void fill(const unsigned char* bgr, std::size_t pixels, unsigned char* rgb) {
    for (std::size_t i = 0; i < pixels; ++i, rgb += pixelBytes) {
        putPixel(bgr, rgb);
    }
}

// False when the packets end early or run past the image's last pixel.
bool expandPackets(const unsigned char* in, const unsigned char* end, unsigned char* rgb,
                   std::size_t pixels) {
    while (pixels > 0) {
        if (in == end) {
            return false;
        }
        const unsigned packet = *in++;
        const std::size_t count = (packet & countBits) + 1;
        const std::size_t valueBytes = (packet & runFlag) != 0 ? pixelBytes : count * pixelBytes;
        if (count > pixels || static_cast<std::size_t>(end - in) < valueBytes) {
            return false;
        }
        if ((packet & runFlag) != 0) {
            fill(in, count, rgb);
        } else {
            copySwapped(in, count, rgb);
        }
        in += valueBytes;
        rgb += count * pixelBytes;
        pixels -= count;
    }
    return true;
}

}  // namespace

std::unique_ptr<unsigned char[]> decodePlainTarga(const TargaHeader& header,
                                                  const unsigned char* bytes, std::size_t size) {
    const std::size_t dataStart = static_cast<std::size_t>(header.dataStart());
    if (!isPlain(header) || size <= dataStart) {
        return nullptr;
    }
    const std::size_t pixels = static_cast<std::size_t>(header.width) * header.height;
    const unsigned char* const data = bytes + dataStart;
    const unsigned char* const end = bytes + size;
    std::unique_ptr<unsigned char[]> rgb(new unsigned char[pixels * pixelBytes]);
    if (header.imageType == runLengthTrueColor) {
        return expandPackets(data, end, rgb.get(), pixels) ? std::move(rgb) : nullptr;
    }
    if (static_cast<std::size_t>(end - data) < pixels * pixelBytes) {
        return nullptr;
    }
    copySwapped(data, pixels, rgb.get());
    return rgb;
}

}  // namespace lum
