#include "lum/render/Renderer.h"

#include <GL/glew.h>

#include "lum/GameSettings.h"
#include "lum/platform/Window.h"
#include "lum/render/BindingState.h"
#include "lum/render/ContextStamp.h"
#include "lum/render/Shader.h"
#include "lum/render/Texture.h"
#include "lum/render/Uniform.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Material.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const GLenum primitives[] = {GL_POINTS,    GL_LINES,        GL_LINE_LOOP,     GL_LINE_STRIP,
                             GL_TRIANGLES, GL_TRIANGLE_FAN, GL_TRIANGLE_STRIP};
const float clearDepth = 999999.0f;  // clamped to 1.0 by OpenGL
const int depthBits = 24;

// The font texture: one row of 30 x 64 texel cells for the codes 32 to 127.
const float glyphWidth = 30.0f;
const float glyphHeight = 64.0f;

// One corner of an overlay quad; generic attributes inside glBegin/glEnd,
// with "vertex" at location 0 emitting the corner.
void emitCorner(GLint texCoordLocation, GLint vertexLocation, float u, float v, float x, float y) {
    glVertexAttrib2f(texCoordLocation, u, v);
    glVertexAttrib2f(vertexLocation, x, y);
}

}  // namespace

Renderer::Renderer(const WindowMode& mode)
    : log("Renderer"),
      fontVertexLocation(-1),
      fontTexCoordLocation(-1),
      imageVertexLocation(-1),
      imageTexCoordLocation(-1),
      blendingPass(false),
      depthPass(false),
      depthLaid(false),
      drawing(true) {
    LUM_TRACE_BEGIN
    if (!window().init()) {
        throw Exception("Could not initialize GLFW.");
    }
    try {
        openWindow(mode);
        ContextStamp::contextOpened();
        initGlew();
        window().setSizeCallback(&Renderer::onResize);
        setupOverlays();
        setupGLState(mode.fullScreen ? window().getSize() : mode.size);
    } catch (...) {
        // The destructor does not run for a half-built renderer: let go of
        // what was made and close the window, so a failed start leaves
        // nothing on screen.
        releaseResources();
        window().terminate();
        throw;
    }
    blendingPass = false;
    LUM_TRACE_END
}

Renderer::~Renderer() {
    releaseResources();
    window().terminate();
}

void Renderer::releaseResources() {
    imageMaterial.reset();
    fontTexture.reset();
    fontMaterial.reset();
    camera.reset();
    // Cached shaders and textures live in this renderer's OpenGL context.
    if (ShaderLoader::isInitialized()) {
        ShaderLoader::instance().clearCache();
    }
    if (TextureLoader::isInitialized()) {
        TextureLoader::instance().clearCache();
    }
    // What others still hold of this context goes with it.
    ContextStamp::contextClosing();
    markAllUnbound();
}

const boost::shared_ptr<Camera>& Renderer::getCamera() {
    LUM_TRACE_BEGIN
    if (!camera) {
        camera = Camera::make("camera", boost::weak_ptr<Node>());
    }
    return camera;
    LUM_TRACE_END
}

void Renderer::drawArrays(int primitive, int count) {
    LUM_TRACE_BEGIN
    if (!drawing) {
        return;
    }
    if (GameSettings::instance().wireframe) {
        glPolygonMode(GL_FRONT, GL_LINE);
        glDisable(GL_CULL_FACE);
        glDrawArrays(GL_TRIANGLES, 0, count);
        glPolygonMode(GL_FRONT, GL_FILL);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        return;
    }
    if (depthLaid) {
        // The depth is already there: writing it again would only cost.
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_FALSE);
        glDrawArrays(primitives[primitive], 0, count);
        glDepthMask(GL_TRUE);
        glDepthFunc(GL_LESS);
        return;
    }
    glDrawArrays(primitives[primitive], 0, count);
    LUM_TRACE_END
}

void Renderer::drawOutline(const std::vector<unsigned>& triangles) {
    if (!drawing || triangles.empty()) {
        return;
    }
    glLineWidth(2.0f);
    // Only back faces, drawn as lines by the polygon mode set at start-up.
    glCullFace(GL_FRONT);
    glColor3f(0, 0, 0);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(triangles.size()), GL_UNSIGNED_INT,
                   triangles.data());
    glCullFace(GL_BACK);
    glClearDepth(clearDepth);
    glLineWidth(1.0f);
}

void Renderer::drawDepth(int count) {
    if (!drawing) {
        return;
    }
    glDrawArrays(GL_TRIANGLES, 0, count);
}

void Renderer::drawImage(const boost::shared_ptr<Texture>& texture, float x, float y, float width,
                         float height) {
    LUM_TRACE_BEGIN
    if (!drawing) {
        return;
    }
    imageMaterial->use();
    texture->bind();
    glDisable(GL_DEPTH_TEST);
    const float x1 = x + width;
    const float y1 = y + height;
    glBegin(GL_TRIANGLES);
    emitCorner(imageTexCoordLocation, imageVertexLocation, 1, 1, x1, y1);
    emitCorner(imageTexCoordLocation, imageVertexLocation, 0, 0, x, y);
    emitCorner(imageTexCoordLocation, imageVertexLocation, 0, 1, x, y1);
    emitCorner(imageTexCoordLocation, imageVertexLocation, 1, 1, x1, y1);
    emitCorner(imageTexCoordLocation, imageVertexLocation, 1, 0, x1, y);
    emitCorner(imageTexCoordLocation, imageVertexLocation, 0, 0, x, y);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glUseProgram(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    LUM_TRACE_END
}

void Renderer::drawText(const std::string& text, float x, float y, float size,
                        const glm::vec3& colour) {
    LUM_TRACE_BEGIN
    if (!drawing) {
        return;
    }
    if (!fontMaterial) {
        setupFont();
    }
    const float u = glyphWidth / static_cast<float>(fontTexture->getWidth());
    const float h = size / glyphWidth * glyphHeight;
    fontMaterial->getUniform("color")->asVec3().setValue(colour);
    fontMaterial->use();
    fontTexture->bind();
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_TRIANGLES);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int code = static_cast<unsigned char>(text[i]);
        // Codes above 127 show the last glyph; codes below 32 sample left of the texture.
        const int glyph = (code > 127 ? 127 : code) - 32;
        const float u0 = glyph * u;
        const float u1 = (glyph + 1) * u;
        const float x0 = x + i * size;
        const float x1 = x0 + size;
        const float y1 = y + h;
        emitCorner(fontTexCoordLocation, fontVertexLocation, u1, 1, x1, y1);
        emitCorner(fontTexCoordLocation, fontVertexLocation, u0, 0, x0, y);
        emitCorner(fontTexCoordLocation, fontVertexLocation, u0, 1, x0, y1);
        emitCorner(fontTexCoordLocation, fontVertexLocation, u1, 1, x1, y1);
        emitCorner(fontTexCoordLocation, fontVertexLocation, u1, 0, x1, y);
        emitCorner(fontTexCoordLocation, fontVertexLocation, u0, 0, x0, y);
    }
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glUseProgram(0);
    fontTexture->bind();
    LUM_TRACE_END
}

void Renderer::setDrawing(bool enabled) {
    drawing = enabled;
}

bool Renderer::isDrawing() const {
    return drawing;
}

bool Renderer::isBlendingPass() const {
    return blendingPass;
}

void Renderer::setBlendingPass(bool blending) {
    blendingPass = blending;
}

bool Renderer::isDepthPass() const {
    return depthPass;
}

bool Renderer::isDepthLaid() const {
    return depthLaid;
}

void Renderer::beginDepthPass() {
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    depthPass = true;
}

void Renderer::endDepthPass() {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    depthPass = false;
    depthLaid = true;
}

void Renderer::endOpaquePass() {
    depthLaid = false;
}

// The picture keeps its proportions: the camera's aspect follows the window.
void Renderer::onResize(int width, int height) {
    glViewport(0, 0, width, height);
    if (isInitialized() && width > 0 && height > 0) {
        instance().getCamera()->setAspect(static_cast<float>(width) / static_cast<float>(height));
    }
}

void Renderer::openWindow(const WindowMode& mode) {
    // A failed opening is not checked here: GLEW fails right after instead.
    if (mode.fullScreen) {
        window().openFullScreen(depthBits);
    } else {
        window().openWindow(mode.size.width, mode.size.height, depthBits);
    }
    window().setTitle("Glimmet");
}

void Renderer::initGlew() {
    LUM_TRACE_BEGIN
    if (glewInit() != GLEW_OK) {
        throw Exception("Could not initialize GLEW.");
    }
    LUM_TRACE_END
}

// Only the image overlay is built here: the title picture needs nothing
// else, and the game shows it as soon as the window exists. The font is
// built on the first text; its files are looked for now, so that a game
// without them still fails at start-up.
void Renderer::setupOverlays() {
    LUM_TRACE_BEGIN
    for (const char* const file : {"font.vert", "font.frag"}) {
        ShaderLoader::instance().findFile(file);
    }
    TextureLoader::instance().findFile("font.tga");
    setupImage();
    LUM_TRACE_END
}

// Textures are bound on unit 1, so both overlay samplers read unit 1.
void Renderer::setupFont() {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Shader> fontShader = ShaderLoader::instance().load("font");
    fontMaterial = fontShader->createMaterial("material");
    fontTexture = TextureLoader::instance().load("font");
    fontMaterial->getUniform("font")->asInt().setValue(1);
    fontVertexLocation = fontShader->getAttribLocation("vertex");
    fontTexCoordLocation = fontShader->getAttribLocation("texCoord");
    LUM_TRACE_END
}

void Renderer::setupImage() {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Shader> imageShader = ShaderLoader::instance().load("image");
    imageMaterial = imageShader->createMaterial("material");
    imageMaterial->getUniform("image")->asInt().setValue(1);
    imageVertexLocation = imageShader->getAttribLocation("vertex");
    imageTexCoordLocation = imageShader->getAttribLocation("texCoord");
    LUM_TRACE_END
}

// Windowed, the size asked for (a test window may be smaller than that);
// full screen, the monitor's.
void Renderer::setupGLState(const WindowSize& viewport) {
    glViewport(0, 0, viewport.width, viewport.height);
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glClearDepth(clearDepth);
    // Back faces, when drawn, are drawn as lines: the outline pass relies on it.
    glPolygonMode(GL_BACK, GL_LINE);
    glEnable(GL_LINE_SMOOTH);
}

}  // namespace lum
