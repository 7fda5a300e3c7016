#ifndef GLIMMET_BENCH_YARDSTICKWINDOW_H
#define GLIMMET_BENCH_YARDSTICKWINDOW_H

// The window the yardstick programs measure the game against: the game's
// size, with a depth buffer, its context current and GLEW set up.
#include <GL/glew.h>
#include <GLFW/glfw3.h>

const int yardstickWidth = 1024;
const int yardstickHeight = 768;

// Null, with GLFW ended, when any step fails.
inline GLFWwindow* openYardstickWindow() {
    if (!glfwInit()) {
        return nullptr;
    }
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    GLFWwindow* const window =
        glfwCreateWindow(yardstickWidth, yardstickHeight, "Glimmet", nullptr, nullptr);
    if (window == nullptr) {
        glfwTerminate();
        return nullptr;
    }
    glfwMakeContextCurrent(window);
    if (glewInit() != GLEW_OK) {
        glfwTerminate();
        return nullptr;
    }
    return window;
}

#endif
