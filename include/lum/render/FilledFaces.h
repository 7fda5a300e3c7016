#ifndef LUM_RENDER_FILLEDFACES_H
#define LUM_RENDER_FILLEDFACES_H

#include <GL/glew.h>

namespace lum {

// While it lives, triangles are drawn filled whichever way they face and
// none is culled; afterwards the polygon modes and culling are as they
// were. The renderer draws back faces as lines (the outline pass relies on
// it), which would turn flat quads seen from behind into a few stray lines.
class FilledFaces {
public:
    FilledFaces() : modes{GL_FILL, GL_FILL}, culling(glIsEnabled(GL_CULL_FACE) == GL_TRUE) {
        glGetIntegerv(GL_POLYGON_MODE, modes);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDisable(GL_CULL_FACE);
    }

    ~FilledFaces() {
        glPolygonMode(GL_FRONT, static_cast<GLenum>(modes[0]));
        glPolygonMode(GL_BACK, static_cast<GLenum>(modes[1]));
        if (culling) {
            glEnable(GL_CULL_FACE);
        }
    }

    FilledFaces(const FilledFaces&) = delete;
    FilledFaces& operator=(const FilledFaces&) = delete;

private:
    GLint modes[2];
    bool culling;
};

}  // namespace lum

#endif
