#include "lum/resource/ModelLoader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const std::size_t headerSize = 68;
const int md2Magic = 844121161;  // "IDP2"
const int md2Version = 8;
const std::size_t texCoordRecordSize = 4;
const std::size_t triangleRecordSize = 12;
const std::size_t frameHeaderSize = 40;  // scale, translate, name
const std::size_t compressedVertexSize = 4;
const long long maxExpandedVertices = 0x7FFFFFFF / 32;
// Bytes of expanded vertices per byte of file. Our models expand by at most
// 26; a bound far above that still stops a small file that claims a huge
// mesh, which would take a minute and gigabytes to expand.
const long long maxExpansionPerFileByte = 256;
// A vertex no triangle shapes has no normal of its own; it faces up.
const glm::vec3 fallbackNormal(0.0f, 1.0f, 0.0f);

glm::vec3 toVec3(const float* v) {
    return glm::vec3(v[0], v[1], v[2]);
}

void storeVec3(const glm::vec3& value, float* out) {
    out[0] = value.x;
    out[1] = value.y;
    out[2] = value.z;
}

// A part of the file that the loader reads: [start, end).
struct Section {
    const char* name;
    long long start;
    long long end;
};

Section sectionOf(const char* name, long long offset, long long count, long long recordSize) {
    return Section{name, offset, offset + count * recordSize};
}

// Whether `count` records of `recordSize` bytes from `offset` lie in the file.
bool recordsFit(long long offset, long long count, long long recordSize, std::size_t fileSize) {
    return offset >= 0 && count >= 0 &&
           offset + count * recordSize <= static_cast<long long>(fileSize);
}

}  // namespace

ModelLoader::ModelLoader(const boost::filesystem::path& location)
    : ResourceLoader(location), fileSize(0), header(), extents(0.0f) {}

ModelData ModelLoader::load(const std::string& modelName) {
    LUM_TRACE_BEGIN
    const BinaryFile md2 = loadBinaryFile(modelName + ".md2");
    return decode(modelName, md2.path, md2.data, md2.size);
    LUM_TRACE_END
}

ModelData ModelLoader::decode(const std::string& modelName,
                              const boost::shared_array<unsigned char>& bytes, std::size_t size) {
    LUM_TRACE_BEGIN
    return decode(modelName, modelName + ".md2", bytes, size);
    LUM_TRACE_END
}

ModelData ModelLoader::decode(const std::string& modelName, const std::string& filePath,
                              const boost::shared_array<unsigned char>& bytes, std::size_t size) {
    LUM_TRACE_BEGIN
    name = modelName;
    path = filePath;
    file = bytes;
    fileSize = size;
    validateModel();
    allocateBuffers();
    decodeFrames();
    expandTriangles();

    ModelData data;
    data.frameCount = header.numFrames;
    data.verticesPerFrame = header.numTriangles * 3;
    data.vertexCount = header.numFrames * header.numTriangles * 3;
    data.vertices = vertices;
    data.extents = extents;
    clearBuffers();
    return data;
    LUM_TRACE_END
}

void ModelLoader::validateModel() {
    LUM_TRACE_BEGIN
    if (fileSize <= headerSize) {
        throw failure("File is too small to contain a valid MD2 model");
    }
    std::memcpy(&header, file.get(), headerSize);
    if (header.ident != md2Magic) {
        const char magic[] = {char(file[3]), char(file[2]), char(file[1]), char(file[0]), '\0'};
        throw failure("Bad MD2 magic number " + std::string(magic, 5) + ".");
    }
    if (header.version != md2Version) {
        throw failure("Bad MD2 version " + std::to_string(header.version) + ".");
    }
    if (header.offsetEnd < 0 || static_cast<std::size_t>(header.offsetEnd) > fileSize) {
        throw failure("File size is smaller than declared model size.");
    }
    if (header.numSkins <= 0) {
        throw failure("MD2 file contains no skins.");
    }
    if (header.numTexCoords <= 0) {
        throw failure("MD2 file contains no texture coordinates.");
    }
    if (header.numTriangles <= 0) {
        throw failure("MD2 file contains no triangles.");
    }
    if (header.numFrames <= 0) {
        throw failure("MD2 file contains no frames.");
    }
    validateRecords();
    validateSections();
    validateExpansion();
    validateTriangles();
    LUM_TRACE_END
}

// The header rules above do not protect the reads that follow; these do.
void ModelLoader::validateRecords() const {
    LUM_TRACE_BEGIN
    if (header.skinWidth <= 0 || header.skinHeight <= 0) {
        throw failure("skin size " + std::to_string(header.skinWidth) + "x" +
                      std::to_string(header.skinHeight) + " is not positive.");
    }
    if (header.numVertices <= 0) {
        throw failure("frames have no vertices.");
    }
    if (!recordsFit(header.offsetTexCoords, header.numTexCoords, texCoordRecordSize, fileSize)) {
        throw failure("texture coordinates lie outside the file.");
    }
    if (!recordsFit(header.offsetTriangles, header.numTriangles, triangleRecordSize, fileSize)) {
        throw failure("triangles lie outside the file.");
    }
    const long long smallestFrame =
        frameHeaderSize + static_cast<long long>(header.numVertices) * compressedVertexSize;
    if (header.frameSize < smallestFrame) {
        throw failure("frame size " + std::to_string(header.frameSize) + " is too small for " +
                      std::to_string(header.numVertices) + " vertices.");
    }
    if (!recordsFit(header.offsetFrames, header.numFrames, header.frameSize, fileSize)) {
        throw failure("frames lie outside the file.");
    }
    // The expanded mesh must fit one vertex buffer, whose size is a 32-bit count of bytes.
    if (static_cast<long long>(header.numFrames) * header.numTriangles * 3 > maxExpandedVertices) {
        throw failure("too many frames and triangles to expand.");
    }
    LUM_TRACE_END
}

// Sections that share bytes let a small file pass for a huge model.
void ModelLoader::validateSections() const {
    LUM_TRACE_BEGIN
    Section sections[] = {
        sectionOf("header", 0, 1, headerSize),
        sectionOf("texture coordinates", header.offsetTexCoords, header.numTexCoords,
                  texCoordRecordSize),
        sectionOf("triangles", header.offsetTriangles, header.numTriangles, triangleRecordSize),
        sectionOf("frames", header.offsetFrames, header.numFrames, header.frameSize)};
    std::sort(std::begin(sections), std::end(sections),
              [](const Section& a, const Section& b) { return a.start < b.start; });
    for (std::size_t i = 1; i < std::size(sections); ++i) {
        if (sections[i].start < sections[i - 1].end) {
            throw failure(std::string("the ") + sections[i - 1].name + " and the " +
                          sections[i].name + " overlap.");
        }
    }
    LUM_TRACE_END
}

void ModelLoader::validateExpansion() const {
    LUM_TRACE_BEGIN
    const long long expandedBytes = static_cast<long long>(header.numFrames) * header.numTriangles *
                                    3 * static_cast<long long>(sizeof(Vertex));
    if (expandedBytes > maxExpansionPerFileByte * static_cast<long long>(fileSize)) {
        throw failure(std::to_string(header.numFrames) + " frames of " +
                      std::to_string(header.numTriangles) + " triangles would expand " +
                      std::to_string(fileSize) + " bytes into " +
                      std::to_string(expandedBytes >> 20) +
                      " MB of vertices, out of all proportion to the file.");
    }
    LUM_TRACE_END
}

IOException ModelLoader::failure(const std::string& reason) const {
    return IOException("MD2 file " + path + " of model " + name + ": " + reason);
}

void ModelLoader::validateTriangles() const {
    LUM_TRACE_BEGIN
    for (int t = 0; t < header.numTriangles; ++t) {
        for (int k = 0; k < 3; ++k) {
            const int vertex = triangleIndex(t, k);
            const int texCoord = triangleIndex(t, 3 + k);
            if (vertex < 0 || vertex >= header.numVertices) {
                throw failure("triangle " + std::to_string(t) + " uses vertex " +
                              std::to_string(vertex) + " of " + std::to_string(header.numVertices) +
                              ".");
            }
            if (texCoord < 0 || texCoord >= header.numTexCoords) {
                throw failure("triangle " + std::to_string(t) + " uses texture coordinate " +
                              std::to_string(texCoord) + " of " +
                              std::to_string(header.numTexCoords) + ".");
            }
        }
    }
    LUM_TRACE_END
}

void ModelLoader::allocateBuffers() {
    LUM_TRACE_BEGIN
    const std::size_t frameVertexCount =
        static_cast<std::size_t>(header.numFrames) * header.numVertices;
    const std::size_t vertexCount =
        static_cast<std::size_t>(header.numFrames) * header.numTriangles * 3;
    // Not zero-filled: decoding writes every field before anything reads it.
    frameVertices.reset(new Vertex[frameVertexCount]);
    vertices.reset(new Vertex[vertexCount]);
    extents = glm::vec4(0.0f);
    LUM_TRACE_END
}

void ModelLoader::decodeFrames() {
    LUM_TRACE_BEGIN
    for (int f = 0; f < header.numFrames; ++f) {
        decodeFrame(f);
        accumulateNormals(f);
        Vertex* const frame = &frameVertices[static_cast<std::size_t>(f) * header.numVertices];
        for (int j = 0; j < header.numVertices; ++j) {
            const glm::vec3 sum = toVec3(frame[j].normal);
            const float length = glm::length(sum);
            storeVec3(length > 0.0f && std::isfinite(length) ? -sum / length : fallbackNormal,
                      frame[j].normal);
        }
    }
    extents.w = std::max(extents.x, std::max(extents.y, extents.z));
    LUM_TRACE_END
}

void ModelLoader::decodeFrame(int f) {
    LUM_TRACE_BEGIN
    const std::size_t start = header.offsetFrames + static_cast<std::size_t>(f) * header.frameSize;
    glm::vec3 scale;
    glm::vec3 translate;
    for (int axis = 0; axis < 3; ++axis) {
        scale[axis] = readFloat(start + 4 * axis);
        translate[axis] = readFloat(start + 12 + 4 * axis);
    }
    if (!std::isfinite(glm::length(scale)) || !std::isfinite(glm::length(translate))) {
        throw failure("frame " + std::to_string(f) + " has an invalid scale or offset.");
    }
    Vertex* const frame = &frameVertices[static_cast<std::size_t>(f) * header.numVertices];
    const unsigned char* packed = &file[start + frameHeaderSize];
    for (int j = 0; j < header.numVertices; ++j, packed += compressedVertexSize) {
        const glm::vec3 position = glm::vec3(packed[0], packed[1], packed[2]) * scale + translate;
        storeVec3(position, frame[j].vertex);
        // The normal sums the faces around the vertex; the texture coordinate comes per corner.
        storeVec3(glm::vec3(0.0f), frame[j].normal);
        frame[j].texCoord[0] = frame[j].texCoord[1] = 0.0f;
        for (int axis = 0; axis < 3; ++axis) {
            extents[axis] = std::max(extents[axis], std::fabs(position[axis]));
        }
    }
    LUM_TRACE_END
}

// Unnormalised face normals: larger triangles weigh more in the smooth normal.
void ModelLoader::accumulateNormals(int f) {
    Vertex* const frame = &frameVertices[static_cast<std::size_t>(f) * header.numVertices];
    for (int t = 0; t < header.numTriangles; ++t) {
        Vertex& a = frame[triangleIndex(t, 0)];
        Vertex& b = frame[triangleIndex(t, 1)];
        Vertex& c = frame[triangleIndex(t, 2)];
        const glm::vec3 pa = toVec3(a.vertex);
        const glm::vec3 n = glm::cross(toVec3(b.vertex) - pa, toVec3(c.vertex) - pa);
        for (Vertex* corner : {&a, &b, &c}) {
            storeVec3(toVec3(corner->normal) + n, corner->normal);
        }
    }
}

void ModelLoader::expandTriangles() {
    LUM_TRACE_BEGIN
    const float skinWidth = static_cast<float>(header.skinWidth);
    const float skinHeight = static_cast<float>(header.skinHeight);
    Vertex* out = vertices.get();
    for (int f = 0; f < header.numFrames; ++f) {
        const Vertex* const frame =
            &frameVertices[static_cast<std::size_t>(f) * header.numVertices];
        for (int t = 0; t < header.numTriangles; ++t) {
            for (int k = 0; k < 3; ++k, ++out) {
                *out = frame[triangleIndex(t, k)];
                const std::size_t record =
                    header.offsetTexCoords + texCoordRecordSize * triangleIndex(t, 3 + k);
                out->texCoord[0] = readShort(record) / skinWidth;
                out->texCoord[1] = readShort(record + 2) / skinHeight;
            }
        }
    }
    LUM_TRACE_END
}

void ModelLoader::clearBuffers() {
    LUM_TRACE_BEGIN
    file.reset();
    fileSize = 0;
    frameVertices.reset();
    vertices.reset();
    LUM_TRACE_END
}

int ModelLoader::readShort(std::size_t offset) const {
    std::int16_t value = 0;
    std::memcpy(&value, &file[offset], sizeof(value));
    return value;
}

float ModelLoader::readFloat(std::size_t offset) const {
    float value = 0;
    std::memcpy(&value, &file[offset], sizeof(value));
    return value;
}

// Field 0..2: the corners' vertex indices; 3..5: their texture coordinate indices.
int ModelLoader::triangleIndex(int triangle, int field) const {
    return readShort(header.offsetTriangles + triangleRecordSize * triangle + 2 * field);
}

}  // namespace lum
