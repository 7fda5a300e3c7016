#version 330 compatibility
// The room round the level, fragment stage: its texture, shaded a little
// per face, with no lamps, so it stays quietly behind the lit level.

uniform sampler2D textureSampler;
uniform float shade;

in vec2 surfaceCoord;

out vec4 fragColor;

void main() {
    fragColor = vec4(texture(textureSampler, surfaceCoord).rgb * shade, 1.0);
}
