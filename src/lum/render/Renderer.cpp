#include "lum/render/Renderer.h"

#include <GL/glew.h>

#include "lum/render/Window.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

Renderer::Renderer() : log("Renderer"), blendingPass(false) {
    LUM_TRACE_BEGIN
    if (!window().init()) {
        throw Exception("Could not initialize GLFW.");
    }
    try {
        openWindow();
        initGlew();
        window().setSizeCallback(&Renderer::onResize);
        setupOverlays();
        setupGLState();
    } catch (...) {
        // The destructor does not run for a half-built renderer: close the
        // window here so a failed start leaves nothing on screen.
        window().terminate();
        throw;
    }
    blendingPass = false;
    LUM_TRACE_END
}

Renderer::~Renderer() {
    window().terminate();
}

bool Renderer::isBlendingPass() const {
    return blendingPass;
}

void Renderer::setBlendingPass(bool blending) {
    blendingPass = blending;
}

void Renderer::onResize(int width, int height) {
    glViewport(0, 0, width, height);
}

void Renderer::openWindow() {
    // A failed opening is not checked here: GLEW fails right after instead.
    window().openWindow(windowWidth, windowHeight, 24);
    window().setTitle("Glimmet");
}

void Renderer::initGlew() {
    LUM_TRACE_BEGIN
    if (glewInit() != GLEW_OK) {
        throw Exception("Could not initialize GLEW.");
    }
    LUM_TRACE_END
}

void Renderer::setupOverlays() {
    // The font and the image overlay are prepared here, once screen text and
    // images can be drawn.
}

void Renderer::setupGLState() {
    glViewport(0, 0, windowWidth, windowHeight);
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glClearDepth(999999.0);  // clamped to 1.0 by OpenGL
    // Back faces, when drawn, are drawn as lines: the outline pass relies on it.
    glPolygonMode(GL_BACK, GL_LINE);
    glEnable(GL_LINE_SMOOTH);
}

}  // namespace lum
