#ifndef LUM_RESOURCE_TEXTURELOADER_H
#define LUM_RESOURCE_TEXTURELOADER_H

#include <map>
#include <string>

#include <boost/shared_ptr.hpp>

#include "lum/resource/ResourceLoader.h"
#include "lum/util/Singleton.h"

namespace lum {

class Texture;
struct TargaHeader;

// Decodes Targa images ("<name>.tga" below "resources/textures") into
// mipmapped, repeating RGB textures and caches them by name for the whole
// run. Needs a living Renderer.
class TextureLoader : public Singleton<TextureLoader, 0>, public ResourceLoader {
public:
    explicit TextureLoader(const boost::filesystem::path& location = "resources/textures");

    // A file that is no Targa image, declares more than it holds or more
    // than a texture may have, or that DevIL cannot decode to RGB is an
    // IOException naming the file and the reason.
    boost::shared_ptr<Texture> load(const std::string& name);

    // Hands `height` rows of `width` RGB pixels, each row starting at a
    // multiple of `rowAlignment` bytes, to glTexImage2D.
    using PixelUpload = void (*)(int width, int height, int rowAlignment,
                                 const unsigned char* rgbRows);
    // Replaces that one call, so that the loader can run without an OpenGL
    // context (the fuzzer's stand-in reads the rows the way OpenGL would);
    // null puts OpenGL back.
    static void setPixelUpload(PixelUpload upload);
    // Drops the name from the cache: the texture lives on while someone holds
    // it, and the next load reads the file again. For pictures shown once.
    void forget(const std::string& name);
    // Drops every cached texture that nothing else holds: what the level
    // before used and this one does not.
    void forgetUnused();
    // Forgets every cached object: they belong to the OpenGL context that the
    // renderer is about to close.
    void clearCache();

private:
    void initialize();
    void decode(const BinaryFile& file, const TargaHeader& header) const;
    boost::shared_ptr<Texture> upload();

    std::map<std::string, boost::shared_ptr<Texture>> cache;
    bool initialized;
};

}  // namespace lum

#endif
