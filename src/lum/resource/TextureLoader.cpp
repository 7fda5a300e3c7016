#include "lum/resource/TextureLoader.h"

#include <GL/glew.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>

#include "lum/render/MipmapChain.h"
#include "lum/render/Texture.h"
#include "lum/resource/DevilLibrary.h"
#include "lum/resource/TargaHeader.h"
#include "lum/resource/TargaPixels.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// Owns one DevIL image for the length of a load, also when the load fails.
class DevilImage {
public:
    explicit DevilImage(const DevilLibrary& il) : il(il), id(0) {
        il.genImages(1, &id);
        il.bindImage(id);
    }
    ~DevilImage() { il.deleteImages(1, &id); }
    DevilImage(const DevilImage&) = delete;
    DevilImage& operator=(const DevilImage&) = delete;

private:
    const DevilLibrary& il;
    ILuint id;
};

// Rows as DevIL and decodePlainTarga hand them over: RGB, three bytes a
// pixel, no padding.
const int packedRowAlignment = 1;

// A mipmapped texture's whole chain is made here from the packed rows: the
// driver's own generation costs more than the image itself on a software
// rasteriser. A picture gets its one level.
void uploadWithOpenGL(int width, int height, int, const unsigned char* rgbRows,
                      TextureLoader::Levels levels) {
    const int rgbChannels = 3;
    if (levels == TextureLoader::SingleLevel) {
        uploadSingleLevel(GL_RGB, width, height, GL_RGB, rgbRows);
    } else {
        uploadMipmapChain(GL_RGB, width, height, GL_RGB, rgbChannels, rgbRows);
    }
}

TextureLoader::PixelUpload pixelUpload = &uploadWithOpenGL;

// DevIL keeps a stack of errors; a stale one must not be blamed on this file.
void forgetDevilErrors(const DevilLibrary& il) {
    while (il.getError() != IL_NO_ERROR) {
    }
}

std::string devilErrorName(ILenum error) {
    switch (error) {
        case IL_OUT_OF_MEMORY:
            return "out of memory";
        case IL_FORMAT_NOT_SUPPORTED:
            return "format not supported";
        case IL_INVALID_VALUE:
            return "invalid value";
        case IL_ILLEGAL_FILE_VALUE:
            return "illegal file value";
        case IL_INVALID_FILE_HEADER:
            return "invalid file header";
        case IL_INVALID_CONVERSION:
            return "invalid conversion";
        case IL_FILE_READ_ERROR:
            return "file read error";
        case IL_LIB_PNG_ERROR:
        case IL_LIB_JPEG_ERROR:
            return "image library error";
        default: {
            char code[16];
            std::snprintf(code, sizeof(code), "0x%04X", static_cast<unsigned>(error));
            return code;
        }
    }
}

// Throws when DevIL has reported an error since forgetDevilErrors().
void checkDevil(const DevilLibrary& il, bool succeeded, const std::string& path,
                const std::string& step) {
    const ILenum error = il.getError();
    forgetDevilErrors(il);
    if (!succeeded || error != IL_NO_ERROR) {
        throw IOException(
            textureFailure(path, "DevIL could not " + step + " (" + devilErrorName(error) + ")"));
    }
}

// What glTexImage2D will read must be there: DevIL has been seen to call an
// image RGB while holding two bytes a pixel.
void checkDecodedPixels(const DevilLibrary& il, const std::string& path,
                        const TargaHeader& header) {
    const int width = il.getInteger(IL_IMAGE_WIDTH);
    const int height = il.getInteger(IL_IMAGE_HEIGHT);
    const long long needed = 3LL * width * height;
    const long long held = il.getInteger(IL_IMAGE_SIZE_OF_DATA);
    if (width != header.width || height != header.height || il.getInteger(IL_IMAGE_BPP) != 3 ||
        il.getInteger(IL_IMAGE_FORMAT) != IL_RGB ||
        il.getInteger(IL_IMAGE_TYPE) != IL_UNSIGNED_BYTE || il.getData() == nullptr ||
        held < needed) {
        throw IOException(textureFailure(
            path, "it decoded to " + std::to_string(held) + " bytes of " +
                      std::to_string(il.getInteger(IL_IMAGE_BPP)) + "-byte pixels for " +
                      pixelCount(width, height) + ", not the " +
                      pixelCount(header.width, header.height) + " in RGB it declares"));
    }
}

// DevIL converts a colour-mapped image by looking every index up in the
// palette without checking it: an index past the palette's end reads beyond
// it. Every index must name one of the palette's colours.
void checkPaletteIndices(const DevilLibrary& il, const std::string& path) {
    if (il.getInteger(IL_IMAGE_FORMAT) != IL_COLOUR_INDEX) {
        return;
    }
    const long long colours = il.getInteger(IL_PALETTE_NUM_COLS);
    const long long indexBytes = il.getInteger(IL_IMAGE_BPP);
    const long long pixels =
        static_cast<long long>(il.getInteger(IL_IMAGE_WIDTH)) * il.getInteger(IL_IMAGE_HEIGHT);
    const unsigned char* const indices = il.getData();
    if (il.getPalette() == nullptr || indices == nullptr || indexBytes != 1 ||
        il.getInteger(IL_IMAGE_SIZE_OF_DATA) < pixels) {
        throw IOException(textureFailure(path, "its colour map could not be read"));
    }
    const unsigned char* const last = std::max_element(indices, indices + pixels);
    if (pixels > 0 && *last >= colours) {
        throw IOException(textureFailure(path, "a pixel names colour " + std::to_string(*last) +
                                                   " of a colour map of " +
                                                   std::to_string(colours)));
    }
}

}  // namespace

TextureLoader::TextureLoader(const boost::filesystem::path& location) : ResourceLoader(location) {}

boost::shared_ptr<Texture> TextureLoader::load(const std::string& name) {
    LUM_TRACE_BEGIN
    const auto cached = cache.find(name);
    if (cached != cache.end()) {
        return cached->second;
    }
    const boost::shared_ptr<Texture> texture = upload(read(name), Mipmapped);
    cache[name] = texture;
    return texture;
    LUM_TRACE_END
}

boost::shared_ptr<Texture> TextureLoader::loadPicture(const std::string& name) {
    LUM_TRACE_BEGIN
    return upload(read(name), SingleLevel);
    LUM_TRACE_END
}

RgbImage TextureLoader::decodePicture(const std::string& name) {
    LUM_TRACE_BEGIN
    return read(name);
    LUM_TRACE_END
}

boost::shared_ptr<Texture> TextureLoader::uploadPicture(const RgbImage& picture) {
    LUM_TRACE_BEGIN
    return upload(picture, SingleLevel);
    LUM_TRACE_END
}

RgbImage TextureLoader::read(const std::string& name) {
    LUM_TRACE_BEGIN
    const BinaryFile file = loadBinaryFile(name + ".tga");
    const TargaHeader header = TargaHeader::check(file.path, file.data.get(), file.size);
    RgbImage image;
    image.rows = decodePlainTarga(header, file.data.get(), file.size);
    if (image.rows) {
        image.width = header.width;
        image.height = header.height;
        return image;
    }
    return decode(file, header);
    LUM_TRACE_END
}

RgbImage TextureLoader::decode(const BinaryFile& file, const TargaHeader& header) const {
    LUM_TRACE_BEGIN
    const DevilLibrary& il = DevilLibrary::open(file.path);
    const DevilImage devilImage(il);
    forgetDevilErrors(il);
    checkDevil(il, il.loadL(IL_TGA, file.data.get(), static_cast<ILuint>(file.size)) == IL_TRUE,
               file.path, "decode it");
    checkPaletteIndices(il, file.path);
    checkDevil(il, il.convertImage(IL_RGB, IL_UNSIGNED_BYTE) == IL_TRUE, file.path,
               "convert it to RGB");
    checkDecodedPixels(il, file.path, header);
    RgbImage image;
    image.width = header.width;
    image.height = header.height;
    const std::size_t bytes = 3 * static_cast<std::size_t>(image.width) * image.height;
    image.rows.reset(new unsigned char[bytes]);
    std::copy(il.getData(), il.getData() + bytes, image.rows.get());
    return image;
    LUM_TRACE_END
}

void TextureLoader::setPixelUpload(PixelUpload upload) {
    pixelUpload = upload != nullptr ? upload : &uploadWithOpenGL;
}

// Enabled once in each renderer's context: a new context starts without it.
void TextureLoader::enableTexturing() {
    glEnable(GL_TEXTURE_2D);
    texturingEnabledIn = ContextStamp();
}

// Filters are left to Texture::bind.
boost::shared_ptr<Texture> TextureLoader::upload(const RgbImage& image, Levels levels) {
    LUM_TRACE_BEGIN
    if (!texturingEnabledIn.isOpen()) {
        enableTexturing();
    }
    GLuint id = 0;
    glGenTextures(1, &id);
    const boost::shared_ptr<Texture> texture(new Texture(id, image.width, image.height));
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    pixelUpload(image.width, image.height, packedRowAlignment, image.rows.get(), levels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
    LUM_TRACE_END
}

void TextureLoader::forgetUnused() {
    for (auto entry = cache.begin(); entry != cache.end();) {
        entry = entry->second.use_count() == 1 ? cache.erase(entry) : std::next(entry);
    }
}

void TextureLoader::clearCache() {
    cache.clear();
}

}  // namespace lum
