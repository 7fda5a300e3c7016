#ifndef LUM_RENDER_RENDERER_H
#define LUM_RENDER_RENDERER_H

#include "lum/util/Log.h"
#include "lum/util/Singleton.h"

namespace lum {

// Owns the window and its OpenGL context. main constructs the one renderer
// before anything else and destroys it last; nothing may touch OpenGL or the
// window library before construction or after destruction.
class Renderer : public Singleton<Renderer, 1> {
public:
    static const int windowWidth = 1024;
    static const int windowHeight = 768;

    Renderer();
    ~Renderer() override;

    // True while the scene's second, blended pass draws.
    bool isBlendingPass() const;
    void setBlendingPass(bool blending);

private:
    static void onResize(int width, int height);

    void openWindow();
    void initGlew();
    void setupOverlays();
    void setupGLState();

    Log log;
    bool blendingPass;
};

}  // namespace lum

#endif
