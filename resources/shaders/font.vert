#version 330 compatibility
// Screen text. The renderer sends each corner as generic attributes between
// glBegin and glEnd: "texCoord" first, then "vertex", whose write emits the
// corner. Only attribute 0 emits a vertex, hence the fixed location.

layout(location = 0) in vec2 vertex;
layout(location = 1) in vec2 texCoord;

out vec2 glyphCoord;

void main() {
    glyphCoord = texCoord;
    gl_Position = vec4(vertex, 0.0, 1.0);
}
