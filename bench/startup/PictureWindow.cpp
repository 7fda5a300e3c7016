// The second yardstick for the game's memory: the bare window, plus the least
// any game built on the same libraries holds once it shows something. It
// draws one 1024 x 768 picture through a GLSL program every 30 ms, as the
// title does, and opens sound through ALUT, until it is closed or killed, or
// for the given number of seconds. What the game holds beyond this is its own.
// With a pace of 0 it draws as fast as the driver can (the frame-rate
// yardstick: one full-window textured quad a frame).
// Usage: picture_window [seconds [pace]]
#include <AL/alut.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "YardstickWindow.h"

namespace {

const char* const vertexSource =
    "#version 120\n"
    "attribute vec2 corner;\n"
    "varying vec2 texCoord;\n"
    "void main() { texCoord = corner * 0.5 + 0.5; gl_Position = vec4(corner, 0.0, 1.0); }\n";
const char* const fragmentSource =
    "#version 120\n"
    "uniform sampler2D picture;\n"
    "varying vec2 texCoord;\n"
    "void main() { gl_FragColor = texture2D(picture, texCoord); }\n";

GLuint compiled(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

void usePictureProgram() {
    const GLuint program = glCreateProgram();
    glAttachShader(program, compiled(GL_VERTEX_SHADER, vertexSource));
    glAttachShader(program, compiled(GL_FRAGMENT_SHADER, fragmentSource));
    glBindAttribLocation(program, 0, "corner");
    glLinkProgram(program);
    glUseProgram(program);
}

// A picture of the title's size with every texel different, so that no
// driver can keep it smaller than it is.
void bindPicture() {
    std::vector<unsigned char> texels(static_cast<std::size_t>(yardstickWidth) * yardstickHeight *
                                      3);
    for (std::size_t i = 0; i < texels.size(); ++i) {
        texels[i] = static_cast<unsigned char>(i * 7 + i / 4096);
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, yardstickWidth, yardstickHeight, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, texels.data());
}

void drawPicture() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const float corners[6][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, -1}, {1, 1}, {-1, 1}};
    glBegin(GL_TRIANGLES);
    for (const auto& corner : corners) {
        glVertexAttrib2f(0, corner[0], corner[1]);
    }
    glEnd();
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1e9;
    const double pace = argc > 2 ? std::atof(argv[2]) : 0.03;
    GLFWwindow* const window = openYardstickWindow();
    if (window == nullptr) {
        return 1;
    }
    if (alutInit(nullptr, nullptr) != AL_TRUE) {
        std::fprintf(stderr, "picture_window: no sound (%s)\n", alutGetErrorString(alutGetError()));
    }
    usePictureProgram();
    bindPicture();
    while (!glfwWindowShouldClose(window) && glfwGetTime() < seconds) {
        drawPicture();
        glfwSwapBuffers(window);
        glfwPollEvents();
        if (pace > 0) {
            glfwWaitEventsTimeout(pace);
        }
    }
    glfwTerminate();
    alutExit();
    return 0;
}
