#ifndef GLIMMET_TESTS_RENDERERFIXTURE_H
#define GLIMMET_TESTS_RENDERERFIXTURE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "lum/render/Renderer.h"

// A real window and OpenGL context for each test (Xvfb in CI).
class RendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "graphics tests need an X display (xvfb-run)";
        renderer.reset(new lum::Renderer());
    }

    void TearDown() override { renderer.reset(); }

    std::unique_ptr<lum::Renderer> renderer;
};

#endif
