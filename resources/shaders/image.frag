#version 330 compatibility

uniform sampler2D image;

in vec2 imageCoord;

out vec4 fragColor;

void main() {
    fragColor = vec4(texture(image, imageCoord).rgb, 1.0);
}
