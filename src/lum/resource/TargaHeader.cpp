#include "lum/resource/TargaHeader.h"

#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const std::size_t headerSize = 18;
// A run-length packet is one count byte and at least one pixel value, and
// stands for at most this many pixels.
const long long pixelsPerPacket = 128;

enum ImageType {
    ColorMapped = 1,
    TrueColor = 2,
    Grayscale = 3,
    RunLengthColorMapped = 9,
    RunLengthTrueColor = 10,
    RunLengthGrayscale = 11
};

int littleEndian16(const unsigned char* bytes) {
    return bytes[0] | (bytes[1] << 8);
}

int bytesFor(int bits) {
    return (bits + 7) / 8;
}

bool isKnownImageType(int type) {
    switch (type) {
        case ColorMapped:
        case TrueColor:
        case Grayscale:
        case RunLengthColorMapped:
        case RunLengthTrueColor:
        case RunLengthGrayscale:
            return true;
        default:
            return false;
    }
}

bool isKnownPixelDepth(int bits) {
    return bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

bool isColorMapped(int type) {
    return type == ColorMapped || type == RunLengthColorMapped;
}

bool isRunLength(int type) {
    return type >= RunLengthColorMapped;
}

TargaHeader parse(const unsigned char* bytes) {
    TargaHeader header;
    header.idLength = bytes[0];
    header.colorMapType = bytes[1];
    header.imageType = bytes[2];
    header.colorMapLength = littleEndian16(bytes + 5);
    header.colorMapEntryBits = bytes[7];
    header.width = littleEndian16(bytes + 12);
    header.height = littleEndian16(bytes + 14);
    header.pixelBits = bytes[16];
    header.imageDescriptor = bytes[17];
    return header;
}

// Why the header describes no Targa image we can decode, or empty when it does.
std::string formatProblem(const TargaHeader& header) {
    if (header.colorMapType > 1 || !isKnownImageType(header.imageType)) {
        return "it is not a Targa image (colour map type " + std::to_string(header.colorMapType) +
               ", image type " + std::to_string(header.imageType) + ")";
    }
    if (!isKnownPixelDepth(header.pixelBits)) {
        return "it declares an unknown pixel depth of " + std::to_string(header.pixelBits) +
               " bits";
    }
    if (isColorMapped(header.imageType) &&
        (header.colorMapType != 1 || !isKnownPixelDepth(header.colorMapEntryBits))) {
        return "its colour map is missing or has entries of " +
               std::to_string(header.colorMapEntryBits) + " bits";
    }
    return std::string();
}

std::string sizeProblem(const TargaHeader& header) {
    const long long pixels = static_cast<long long>(header.width) * header.height;
    if (pixels == 0) {
        return "it declares an empty image of " + pixelCount(header.width, header.height);
    }
    // DevIL may hold four bytes a pixel before converting to RGB.
    if (header.width > maxTextureSide || header.height > maxTextureSide ||
        pixels * 4 > maxDecodedTextureBytes) {
        return "it declares " + pixelCount(header.width, header.height) +
               ", more than a texture may have (" + pixelCount(maxTextureSide, maxTextureSide) +
               ", " + std::to_string(maxDecodedTextureBytes >> 20) + " MB decoded)";
    }
    return std::string();
}

// The most pixels `available` bytes of image data can stand for.
long long pixelCapacity(const TargaHeader& header, long long available) {
    const long long pixelBytes = bytesFor(header.pixelBits);
    return isRunLength(header.imageType) ? available / (1 + pixelBytes) * pixelsPerPacket
                                         : available / pixelBytes;
}

std::string contentProblem(const TargaHeader& header, std::size_t size) {
    const long long dataStart = header.dataStart();
    const long long fileSize = static_cast<long long>(size);
    if (dataStart >= fileSize) {
        return "its header and colour map need " + std::to_string(dataStart) +
               " bytes, and the file has " + std::to_string(size) + ", leaving none for pixels";
    }
    const long long pixels = static_cast<long long>(header.width) * header.height;
    if (pixels > pixelCapacity(header, fileSize - dataStart)) {
        return "it declares " + pixelCount(header.width, header.height) + " in " +
               std::to_string(size) + " bytes";
    }
    return std::string();
}

}  // namespace

std::string pixelCount(long long width, long long height) {
    return std::to_string(width) + " \xC3\x97 " + std::to_string(height) + " pixels";
}

std::string textureFailure(const std::string& path, const std::string& reason) {
    return "Loading of texture file " + path + " failed: " + reason + ".";
}

long long TargaHeader::dataStart() const {
    const long long colorMapBytes =
        colorMapType == 1 ? static_cast<long long>(colorMapLength) * bytesFor(colorMapEntryBits)
                          : 0;
    return static_cast<long long>(headerSize) + idLength + colorMapBytes;
}

TargaHeader TargaHeader::check(const std::string& path, const unsigned char* bytes,
                               std::size_t size) {
    LUM_TRACE_BEGIN
    if (size < headerSize) {
        throw IOException(textureFailure(
            path, "the file has " + std::to_string(size) + " bytes, too few for a Targa header"));
    }
    const TargaHeader header = parse(bytes);
    // In this order: the later checks rely on what the earlier ones ensured.
    std::string problem = formatProblem(header);
    if (problem.empty()) problem = sizeProblem(header);
    if (problem.empty()) problem = contentProblem(header, size);
    if (!problem.empty()) {
        throw IOException(textureFailure(path, problem));
    }
    return header;
    LUM_TRACE_END
}

}  // namespace lum
