#ifndef LUM_RESOURCE_TEXTURELOADER_H
#define LUM_RESOURCE_TEXTURELOADER_H

#include <map>
#include <memory>
#include <string>

#include <boost/shared_ptr.hpp>

#include "lum/render/ContextStamp.h"
#include "lum/resource/ResourceLoader.h"
#include "lum/util/Singleton.h"

namespace lum {

class Texture;
struct TargaHeader;

// A decoded image: `height` rows of `width` RGB pixels, bottom row first,
// without padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::unique_ptr<unsigned char[]> rows;
};

// Decodes Targa images ("<name>.tga" below "resources/textures") into
// repeating RGB textures: the models' textures mipmapped and cached by name
// until their level is left behind, the screens' pictures with their one
// level and read afresh each time they are shown. Needs a living Renderer.
class TextureLoader : public Singleton<TextureLoader, 0>, public ResourceLoader {
public:
    explicit TextureLoader(const boost::filesystem::path& location = "resources/textures");

    // A file that is no Targa image, declares more than it holds or more
    // than a texture may have, or that DevIL cannot decode to RGB is an
    // IOException naming the file and the reason.
    boost::shared_ptr<Texture> load(const std::string& name);
    // The same for a picture drawn over the screen at about its own size
    // (the title, loading, pause and death screens): it is never minified
    // far, so it gets no mipmap chain, which would cost more to build than
    // the picture does to decode. Nothing keeps it but its caller: each
    // shows once and is then covered, and at 3 MB it is not worth keeping.
    boost::shared_ptr<Texture> loadPicture(const std::string& name);
    // The same in two steps, for a picture that is to be shown before it
    // becomes a texture; the decoding needs no renderer.
    RgbImage decodePicture(const std::string& name);
    boost::shared_ptr<Texture> uploadPicture(const RgbImage& picture);

    enum Levels { Mipmapped, SingleLevel };
    // Hands `height` rows of `width` RGB pixels, each row starting at a
    // multiple of `rowAlignment` bytes, to glTexImage2D, with the smaller
    // levels or without.
    using PixelUpload = void (*)(int width, int height, int rowAlignment,
                                 const unsigned char* rgbRows, Levels levels);
    // Replaces that one call, so that the loader can run without an OpenGL
    // context (the fuzzer's stand-in reads the rows the way OpenGL would);
    // null puts OpenGL back.
    static void setPixelUpload(PixelUpload upload);
    // Drops every cached texture that nothing else holds: what the level
    // before used and this one does not.
    void forgetUnused();
    // Forgets every cached object: they belong to the OpenGL context that the
    // renderer is about to close.
    void clearCache();

private:
    RgbImage read(const std::string& name);
    void enableTexturing();
    RgbImage decode(const BinaryFile& file, const TargaHeader& header) const;
    boost::shared_ptr<Texture> upload(const RgbImage& image, Levels levels);

    std::map<std::string, boost::shared_ptr<Texture>> cache;
    ContextStamp texturingEnabledIn;
};

}  // namespace lum

#endif
