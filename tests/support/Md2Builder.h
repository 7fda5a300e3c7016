#ifndef GLIMMET_TESTS_MD2BUILDER_H
#define GLIMMET_TESTS_MD2BUILDER_H

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <boost/shared_array.hpp>

// Writes small MD2 files for tests: frames of vertices given as bytes with
// one scale and translation, triangles with their texture coordinates.
struct Md2Builder {
    struct Frame {
        float scale[3];
        float translate[3];
        std::vector<std::array<std::uint8_t, 3>> vertices;
    };
    struct Triangle {
        std::int16_t vertex[3];
        std::int16_t texCoord[3];
    };

    int skinWidth = 64;
    int skinHeight = 32;
    int numSkins = 1;
    std::vector<std::array<std::int16_t, 2>> texCoords;
    std::vector<Triangle> triangles;
    std::vector<Frame> frames;

    std::vector<unsigned char> build() const {
        const int numVertices = frames.empty() ? 0 : static_cast<int>(frames[0].vertices.size());
        const int frameSize = 40 + 4 * numVertices;
        const int offsetTexCoords = 68;
        const int offsetTriangles = offsetTexCoords + 4 * static_cast<int>(texCoords.size());
        const int offsetFrames = offsetTriangles + 12 * static_cast<int>(triangles.size());
        const int offsetEnd = offsetFrames + frameSize * static_cast<int>(frames.size());
        const std::int32_t header[17] = {844121161,
                                         8,
                                         skinWidth,
                                         skinHeight,
                                         frameSize,
                                         numSkins,
                                         numVertices,
                                         static_cast<int>(texCoords.size()),
                                         static_cast<int>(triangles.size()),
                                         0,
                                         static_cast<int>(frames.size()),
                                         68,
                                         offsetTexCoords,
                                         offsetTriangles,
                                         offsetFrames,
                                         offsetEnd,
                                         offsetEnd};
        std::vector<unsigned char> out;
        append(out, header, sizeof(header));
        for (const auto& st : texCoords) append(out, st.data(), 4);
        for (const Triangle& t : triangles) append(out, &t, 12);
        for (const Frame& f : frames) {
            append(out, f.scale, 12);
            append(out, f.translate, 12);
            const char name[16] = "frame";
            append(out, name, 16);
            for (const auto& v : f.vertices) {
                const unsigned char packed[4] = {v[0], v[1], v[2], 0};
                append(out, packed, 4);
            }
        }
        return out;
    }

    static boost::shared_array<unsigned char> toArray(const std::vector<unsigned char>& file) {
        boost::shared_array<unsigned char> bytes(new unsigned char[file.size() + 1]);
        std::memcpy(bytes.get(), file.data(), file.size());
        return bytes;
    }

private:
    static void append(std::vector<unsigned char>& out, const void* data, std::size_t size) {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        out.insert(out.end(), bytes, bytes + size);
    }
};

#endif
