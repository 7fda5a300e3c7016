#version 330 compatibility
// The room round the level, vertex stage. Its corners arrive in world space
// as generic attributes between glBegin and glEnd, "texCoord" before
// "vertex"; only attribute 0 emits a vertex. The room is drawn after the
// opaque models, into the pixels they leave: it is pinned to the far plane
// (depth 1, which passes against the cleared depth with the test "less or
// equal"), which also keeps every corner in front of the camera inside the
// near and far planes however far the room's walls are.

layout(location = 0) in vec3 vertex;
layout(location = 1) in vec2 texCoord;

uniform mat4 modelViewProjectionMatrix;

out vec2 surfaceCoord;

void main() {
    vec4 clip = modelViewProjectionMatrix * vec4(vertex, 1.0);
    clip.z = clip.w;
    gl_Position = clip;
    surfaceCoord = texCoord;
}
