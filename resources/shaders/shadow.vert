#version 330 compatibility
// Blob shadow, vertex stage. The disc's corners arrive in world space as
// generic attributes between glBegin and glEnd, "texCoord" (from -1 to 1
// across the disc) before "vertex"; only attribute 0 emits a vertex.

layout(location = 0) in vec3 vertex;
layout(location = 1) in vec2 texCoord;

uniform mat4 modelViewProjectionMatrix;

out vec2 discCoord;

void main() {
    discCoord = texCoord;
    gl_Position = modelViewProjectionMatrix * vec4(vertex, 1.0);
}
