#ifndef LUM_RESOURCE_TEXTURELOADER_H
#define LUM_RESOURCE_TEXTURELOADER_H

#include <map>
#include <string>

#include <boost/shared_ptr.hpp>

#include "lum/resource/ResourceLoader.h"
#include "lum/util/Singleton.h"

namespace lum {

class Texture;

// Decodes Targa images ("<name>.tga" below "resources/textures") into
// mipmapped, repeating RGB textures and caches them by name for the whole
// run. Needs a living Renderer.
class TextureLoader : public Singleton<TextureLoader, 0>, public ResourceLoader {
public:
    explicit TextureLoader(const boost::filesystem::path& location = "resources/textures");

    boost::shared_ptr<Texture> load(const std::string& name);
    // Forgets every cached object: they belong to the OpenGL context that the
    // renderer is about to close.
    void clearCache();

private:
    void initialize();
    boost::shared_ptr<Texture> upload();

    std::map<std::string, boost::shared_ptr<Texture>> cache;
    bool initialized;
};

}  // namespace lum

#endif
