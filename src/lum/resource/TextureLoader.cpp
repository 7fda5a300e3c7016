#include "lum/resource/TextureLoader.h"

#include <GL/glew.h>
#include <IL/il.h>

#include "lum/render/MipmapChain.h"
#include "lum/render/Texture.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// Owns one DevIL image for the length of a load, also when the load fails.
class DevilImage {
public:
    DevilImage() : id(0) {
        ilGenImages(1, &id);
        ilBindImage(id);
    }
    ~DevilImage() { ilDeleteImages(1, &id); }
    DevilImage(const DevilImage&) = delete;
    DevilImage& operator=(const DevilImage&) = delete;

private:
    ILuint id;
};

}  // namespace

TextureLoader::TextureLoader(const boost::filesystem::path& location)
    : ResourceLoader(location), initialized(false) {}

boost::shared_ptr<Texture> TextureLoader::load(const std::string& name) {
    LUM_TRACE_BEGIN
    const auto cached = cache.find(name);
    if (cached != cache.end()) {
        return cached->second;
    }
    if (!initialized) {
        initialize();
    }
    const DevilImage image;
    const std::string path = findFile(name + ".tga");
    if (!ilLoadImage(path.c_str())) {
        throw IOException("Loading of texture file " + path + " failed.");
    }
    ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE);
    const boost::shared_ptr<Texture> texture = upload();
    cache[name] = texture;
    return texture;
    LUM_TRACE_END
}

void TextureLoader::initialize() {
    ilInit();
    glEnable(GL_TEXTURE_2D);
    initialized = true;
}

// Uploads the bound DevIL image; filters are left to Texture::bind.
boost::shared_ptr<Texture> TextureLoader::upload() {
    LUM_TRACE_BEGIN
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    GLuint id = 0;
    glGenTextures(1, &id);
    const boost::shared_ptr<Texture> texture(new Texture(id, width, height));
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    const int bytesPerPixel = ilGetInteger(IL_IMAGE_BPP);
    uploadMipmapChain(bytesPerPixel, width, height, ilGetInteger(IL_IMAGE_FORMAT), bytesPerPixel,
                      ilGetData());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
    LUM_TRACE_END
}

void TextureLoader::clearCache() {
    cache.clear();
}

}  // namespace lum
