#version 330 compatibility
// Model outline: the back faces drawn as thick lines behind the body.

layout(location = 0) in vec3 vertex;

uniform mat4 modelViewProjectionMatrix;

void main() {
    gl_Position = modelViewProjectionMatrix * vec4(vertex, 1.0);
}
