#version 330 compatibility
// Full-screen and partial images. Corners arrive as generic attributes
// between glBegin and glEnd, "texCoord" before "vertex"; only attribute 0
// emits a vertex, hence the fixed location.

layout(location = 0) in vec2 vertex;
layout(location = 1) in vec2 texCoord;

out vec2 imageCoord;

void main() {
    imageCoord = texCoord;
    gl_Position = vec4(vertex, 0.0, 1.0);
}
