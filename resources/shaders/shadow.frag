#version 330 compatibility
// Blob shadow, fragment stage: darkest in the middle, fading out smoothly
// to nothing at the rim. A deep violet rather than black, like the ink of
// the game's pictures.

uniform float strength;

in vec2 discCoord;

out vec4 fragColor;

const vec3 SHADE = vec3(0.1, 0.05, 0.16);

void main() {
    float fromMiddle = length(discCoord);
    if (fromMiddle >= 1.0) {
        discard;
    }
    float cover = 1.0 - smoothstep(0.35, 1.0, fromMiddle);
    fragColor = vec4(SHADE, strength * cover);
}
