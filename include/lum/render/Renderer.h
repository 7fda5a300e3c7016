#ifndef LUM_RENDER_RENDERER_H
#define LUM_RENDER_RENDERER_H

#include <string>
#include <vector>

#include <GL/glew.h>
#include <boost/shared_ptr.hpp>
#include <glm/vec3.hpp>

#include "lum/platform/Window.h"
#include "lum/util/Log.h"
#include "lum/util/Singleton.h"

namespace lum {

class Camera;
class Material;
class Texture;

// Primitive kinds of drawArrays, by index.
enum Primitive { Points = 0, Lines, LineLoop, LineStrip, Triangles, TriangleFan, TriangleStrip };

// Owns the window and its OpenGL context. main constructs the one renderer
// before anything else and destroys it last; nothing may touch OpenGL or the
// window library before construction or after destruction. The renderer
// owns the shared camera and the font and image overlays. Renderers may
// follow one another (never two at once): closing one empties the shader and
// texture caches, and every OpenGL object of ours still held elsewhere (the
// player's model, a level left in the scene) is dead from then on; it may
// only be let go, which deletes nothing in the next renderer's context.
class Renderer : public Singleton<Renderer, 1> {
public:
    static const int windowWidth = 1024;
    static const int windowHeight = 768;

    // The window opens as `mode` says: 1024 x 768 unless asked otherwise.
    explicit Renderer(const WindowMode& mode = WindowMode());
    ~Renderer() override;

    // The camera every scene is seen through, made on first request.
    const boost::shared_ptr<Camera>& getCamera();

    // Draws `count` vertices of the bound vertex array (as line triangles in
    // wireframe mode).
    void drawArrays(int primitive, int count);
    // Draws the back faces among the bound vertex array's triangles that
    // `triangles` names (three indices a triangle) as thick black lines.
    void drawOutline(const std::vector<unsigned>& triangles);
    // Draws the front faces of the bound triangles into the depth buffer only.
    void drawDepth(int count);

    // A texture over a rectangle in normalised device coordinates (-1..1, y up),
    // on top of everything. Callers swap buffers when it must show at once.
    void drawImage(const boost::shared_ptr<Texture>& texture, float x, float y, float width,
                   float height);
    // Left-aligned text with its lower left corner at (x, y); each character
    // advances by `size`.
    void drawText(const std::string& text, float x, float y, float size, const glm::vec3& colour);

    // Whether the draw operations above draw; on by default. A pass whose
    // picture nobody looks at (a test fast-forwarding through a level) may
    // leave the drawing out while everything else about it still happens.
    void setDrawing(bool enabled);
    bool isDrawing() const;

    // True while the scene's second, blended pass draws.
    bool isBlendingPass() const;
    void setBlendingPass(bool blending);

    // While the depth pass runs, nothing is coloured: models lay down their
    // nearest surfaces (drawDepth). After it, until the opaque pass ends,
    // bodies are drawn where their depth matches what was laid down, so the
    // software renderer shades each pixel once instead of once per surface
    // over it; the picture is the one the opaque pass alone would draw.
    bool isDepthPass() const;
    bool isDepthLaid() const;
    void beginDepthPass();
    void endDepthPass();
    void endOpaquePass();

private:
    static void onResize(int width, int height);

    void openWindow(const WindowMode& mode);
    void initGlew();
    void setupOverlays();
    void setupFont();
    void setupImage();
    void setupGLState(const WindowSize& viewport);
    void releaseResources();

    Log log;
    boost::shared_ptr<Camera> camera;
    boost::shared_ptr<Material> fontMaterial;
    boost::shared_ptr<Texture> fontTexture;
    GLint fontVertexLocation;
    GLint fontTexCoordLocation;
    boost::shared_ptr<Material> imageMaterial;
    GLint imageVertexLocation;
    GLint imageTexCoordLocation;
    bool blendingPass;
    bool depthPass;
    bool depthLaid;
    bool drawing;
};

}  // namespace lum

#endif
