#ifndef LUM_RENDER_TEXTURE_H
#define LUM_RENDER_TEXTURE_H

#include <GL/glew.h>
#include <boost/noncopyable.hpp>

#include "lum/render/ContextStamp.h"

namespace lum {

// An uploaded 2D texture, shared through boost::shared_ptr; the last owner
// deletes it while its renderer lives. The filters come from the process-wide texture quality and
// are applied on every bind, so a quality switch needs no re-upload.
class Texture : private boost::noncopyable {
public:
    enum Quality { Nearest = 0, Linear = 1 };
    enum MipmapMode { MipmapNone = 0, MipmapNearest = 1, MipmapLinear = 2 };

    // Process-wide, changed by the input logic; updateQuality() applies them.
    static int quality;
    static int mipmapMode;

    Texture(GLuint id, int width, int height);
    ~Texture();

    // Binds on texture unit 1 with the current filters; unit 1 stays active.
    void bind() const;
    // Recomputes the filters from quality and mipmapMode and announces them
    // on standard output.
    static void updateQuality();
    static GLenum getMinFilter();
    static GLenum getMagFilter();

    GLuint getId() const;
    int getWidth() const;
    int getHeight() const;

private:
    ContextStamp context;
    GLuint id;
    int width;
    int height;
};

}  // namespace lum

#endif
