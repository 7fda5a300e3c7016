// The yardstick for the game's start-up and memory: a window of the game's
// size with the same libraries (GLFW, GLEW, the OpenGL driver) that only
// clears to one colour, until it is closed or killed, or for the given
// number of seconds. Frames come every 30 ms as the title's do, or as fast
// as the driver draws them with a pace of 0 (the frame-rate yardstick).
// Usage: bare_window R G B [seconds [pace]]
#include <cstdio>
#include <cstdlib>

#include "YardstickWindow.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bare_window R G B [seconds [pace]]\n");
        return 2;
    }
    const double seconds = argc > 4 ? std::atof(argv[4]) : 1e9;
    const double pace = argc > 5 ? std::atof(argv[5]) : 0.03;
    GLFWwindow* const window = openYardstickWindow();
    if (window == nullptr) {
        return 1;
    }
    glClearColor(std::atoi(argv[1]) / 255.0f, std::atoi(argv[2]) / 255.0f,
                 std::atoi(argv[3]) / 255.0f, 1.0f);
    while (!glfwWindowShouldClose(window) && glfwGetTime() < seconds) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwSwapBuffers(window);
        glfwPollEvents();
        if (pace > 0) {
            glfwWaitEventsTimeout(pace);
        }
    }
    glfwTerminate();
    return 0;
}
