#version 330 compatibility
// The font texture keeps the glyph in red (and blue) and the glyph grown by
// an outline in green. Texels outside the outline are dropped, so text needs
// no blending; the glyph takes the text colour and its rim stays black,
// which keeps it readable on any background.

uniform sampler2D font;
uniform vec3 color;

in vec2 glyphCoord;

out vec4 fragColor;

void main() {
    vec3 texel = texture(font, glyphCoord).rgb;
    if (texel.g < 0.5) {
        discard;
    }
    fragColor = vec4(color * texel.r, 1.0);
}
