#include "lum/render/Texture.h"

#include <iostream>

namespace lum {

namespace {
GLenum minFilter = GL_LINEAR_MIPMAP_NEAREST;
GLenum magFilter = GL_LINEAR;

struct FilterChoice {
    GLenum min;
    const char* mipmapName;
};

FilterChoice nearestFilters(int mipmapMode) {
    switch (mipmapMode) {
        case Texture::MipmapNone:
            return {GL_NEAREST, "NONE"};
        case Texture::MipmapNearest:
            return {GL_NEAREST_MIPMAP_NEAREST, "NEAREST"};
        default:
            return {GL_NEAREST_MIPMAP_LINEAR, "LINEAR"};
    }
}

FilterChoice linearFilters(int mipmapMode) {
    switch (mipmapMode) {
        case Texture::MipmapNone:
            return {GL_LINEAR, "NONE"};
        case Texture::MipmapNearest:
            return {GL_LINEAR_MIPMAP_NEAREST, "NEAREST"};
        default:
            return {GL_LINEAR_MIPMAP_LINEAR, "LINEAR"};
    }
}
}  // namespace

int Texture::quality = Texture::Linear;
int Texture::mipmapMode = Texture::MipmapNearest;

Texture::Texture(GLuint id, int width, int height) : id(id), width(width), height(height) {}

Texture::~Texture() {
    if (context.isOpen()) {
        glDeleteTextures(1, &id);
    }
}

void Texture::bind() const {
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
}

void Texture::updateQuality() {
    const bool linear = quality != Nearest;
    const FilterChoice choice = linear ? linearFilters(mipmapMode) : nearestFilters(mipmapMode);
    minFilter = choice.min;
    magFilter = linear ? GL_LINEAR : GL_NEAREST;
    std::cout << "TEX QUALITY : " << (linear ? "LINEAR" : "NEAREST")
              << " ### MIPMAP : " << choice.mipmapName << std::endl;
}

GLenum Texture::getMinFilter() {
    return minFilter;
}

GLenum Texture::getMagFilter() {
    return magFilter;
}

GLuint Texture::getId() const {
    return id;
}

int Texture::getWidth() const {
    return width;
}

int Texture::getHeight() const {
    return height;
}

}  // namespace lum
