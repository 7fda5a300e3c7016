#version 330 compatibility
// Physics debug lines. Their ends arrive as generic attribute "vertex"
// between glBegin and glEnd, which emits a vertex only at location 0.

layout(location = 0) in vec3 vertex;

uniform mat4 transform;

void main() {
    gl_Position = transform * vec4(vertex, 1.0);
}
