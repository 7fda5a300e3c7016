#ifndef GLIMMET_TESTS_FRAMECOLOURS_H
#define GLIMMET_TESTS_FRAMECOLOURS_H

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <glm/vec2.hpp>

// Colour statistics of pictures, for tests that judge what the game shows
// the way an eye would: by hue, saturation and brightness.

struct Rgb8 {
    unsigned char r, g, b;
};

inline bool operator==(const Rgb8& a, const Rgb8& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline bool operator!=(const Rgb8& a, const Rgb8& b) {
    return !(a == b);
}

// Hue in degrees (0 to 360, red at 0), HSV saturation and value (0 to 1).
struct Hsv {
    float hue;
    float saturation;
    float value;
};

inline Hsv toHsv(const Rgb8& c) {
    const float r = c.r / 255.0f, g = c.g / 255.0f, b = c.b / 255.0f;
    const float high = std::max({r, g, b});
    const float low = std::min({r, g, b});
    const float chroma = high - low;
    float hue = 0.0f;
    if (chroma > 0.0f) {
        if (high == r) {
            hue = 60.0f * std::fmod((g - b) / chroma + 6.0f, 6.0f);
        } else if (high == g) {
            hue = 60.0f * ((b - r) / chroma + 2.0f);
        } else {
            hue = 60.0f * ((r - g) / chroma + 4.0f);
        }
    }
    return Hsv{hue, high > 0.0f ? chroma / high : 0.0f, high};
}

// The difference of two hues the short way round, 0 to 180 degrees.
inline float hueDistance(float a, float b) {
    return std::fabs(std::fmod(a - b + 540.0f, 360.0f) - 180.0f);
}

// Mean hue (averaged round the circle, each pixel weighted by its chroma,
// so greys do not count), mean saturation and mean value of some pixels.
struct ColourSummary {
    float hue;
    float saturation;
    float value;
    int pixels;
};

inline ColourSummary summarise(const std::vector<Rgb8>& pixels) {
    const float degrees = 3.14159265f / 180.0f;
    double x = 0, y = 0, saturation = 0, value = 0;
    for (const Rgb8& pixel : pixels) {
        const Hsv hsv = toHsv(pixel);
        const double chroma = hsv.saturation * hsv.value;
        x += chroma * std::cos(hsv.hue * degrees);
        y += chroma * std::sin(hsv.hue * degrees);
        saturation += hsv.saturation;
        value += hsv.value;
    }
    const double count = std::max<std::size_t>(pixels.size(), 1);
    float hue = static_cast<float>(std::atan2(y, x) / degrees);
    if (hue < 0.0f) {
        hue += 360.0f;
    }
    return ColourSummary{hue, static_cast<float>(saturation / count),
                         static_cast<float>(value / count), static_cast<int>(pixels.size())};
}

// A picture read back from OpenGL, rows from the bottom up as OpenGL keeps them.
class Picture {
public:
    Picture(int width, int height, std::vector<Rgb8> pixels)
        : width(width), height(height), pixels(std::move(pixels)) {}

    // The frame being drawn (the back buffer) of a window `width` x `height`.
    static Picture ofBackBuffer(int width, int height) {
        std::vector<Rgb8> pixels(static_cast<std::size_t>(width) * height);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return Picture(width, height, std::move(pixels));
    }

    // The texture bound to GL_TEXTURE_2D, level 0.
    static Picture ofBoundTexture(int width, int height) {
        std::vector<Rgb8> pixels(static_cast<std::size_t>(width) * height);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return Picture(width, height, std::move(pixels));
    }

    const Rgb8& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

    // The pixels whose centres lie at a distance from `centre` (in pixels)
    // of at least `inner` and less than `outer`, and that `keep` accepts.
    std::vector<Rgb8> ring(const glm::vec2& centre, float inner, float outer,
                           const std::function<bool(int, int)>& keep = nullptr) const {
        std::vector<Rgb8> found;
        const int left = std::max(0, static_cast<int>(centre.x - outer));
        const int right = std::min(width - 1, static_cast<int>(centre.x + outer));
        const int bottom = std::max(0, static_cast<int>(centre.y - outer));
        const int top = std::min(height - 1, static_cast<int>(centre.y + outer));
        for (int y = bottom; y <= top; ++y) {
            for (int x = left; x <= right; ++x) {
                const float d = std::hypot(x + 0.5f - centre.x, y + 0.5f - centre.y);
                if (d >= inner && d < outer && (!keep || keep(x, y))) {
                    found.push_back(at(x, y));
                }
            }
        }
        return found;
    }

    const std::vector<Rgb8>& all() const { return pixels; }

    // Writes a binary PPM, upright, for a person to look at.
    bool save(const char* path) const {
        std::FILE* file = std::fopen(path, "wb");
        if (file == nullptr) {
            return false;
        }
        std::fprintf(file, "P6\n%d %d\n255\n", width, height);
        for (int y = height - 1; y >= 0; --y) {
            std::fwrite(&pixels[static_cast<std::size_t>(y) * width], sizeof(Rgb8), width, file);
        }
        return std::fclose(file) == 0;
    }

    // Saved as `name`.ppm where GLIMMET_SNAPSHOT_DIR says, when it is set.
    void snapshot(const std::string& name) const {
        const char* const dir = std::getenv("GLIMMET_SNAPSHOT_DIR");
        if (dir != nullptr) save((std::string(dir) + "/" + name + ".ppm").c_str());
    }

private:
    int width;
    int height;
    std::vector<Rgb8> pixels;
};

// How many pixels two pictures of the same size differ in.
inline int differingPixels(const Picture& a, const Picture& b) {
    int differing = 0;
    for (std::size_t i = 0; i < a.all().size(); ++i) differing += a.all()[i] != b.all()[i];
    return differing;
}

#endif
