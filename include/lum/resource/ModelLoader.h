#ifndef LUM_RESOURCE_MODELLOADER_H
#define LUM_RESOURCE_MODELLOADER_H

#include <cstddef>
#include <string>

#include <boost/shared_array.hpp>

#include "lum/resource/ResourceLoader.h"
#include "lum/scene/ModelData.h"
#include "lum/util/Exception.h"
#include "lum/util/Singleton.h"

namespace lum {

// Reads MD2 models ("<name>.md2" below "resources/models/"): checks the
// file, decodes every key frame with smooth normals and expands the indexed
// triangles. Keeps nothing between loads.
class ModelLoader : public Singleton<ModelLoader, 0>, public ResourceLoader {
public:
    explicit ModelLoader(const boost::filesystem::path& location = "resources/models/");

    ModelData load(const std::string& name);

    // Decodes an MD2 file held in memory. `name` is the model's name, used
    // in messages. Every count, offset and index is checked against the
    // file; a broken file is an IOException saying what is wrong.
    ModelData decode(const std::string& name, const boost::shared_array<unsigned char>& bytes,
                     std::size_t size);
    // The same for the bytes of the file at `path`, which messages name.
    ModelData decode(const std::string& name, const std::string& path,
                     const boost::shared_array<unsigned char>& bytes, std::size_t size);

private:
    // The file's first 68 bytes, little-endian like the machines the game runs on.
    struct Header {
        int ident, version, skinWidth, skinHeight, frameSize, numSkins, numVertices, numTexCoords,
            numTriangles, numGlCommands, numFrames, offsetSkins, offsetTexCoords, offsetTriangles,
            offsetFrames, offsetGlCommands, offsetEnd;
    };

    void validateModel();
    void validateRecords() const;
    void validateSections() const;
    void validateExpansion() const;
    void validateTriangles() const;
    // An IOException naming the file and the model.
    IOException failure(const std::string& reason) const;
    void allocateBuffers();
    void decodeFrames();
    void decodeFrame(int frame);
    void accumulateNormals(int frame);
    void expandTriangles();
    void clearBuffers();

    int readShort(std::size_t offset) const;
    float readFloat(std::size_t offset) const;
    int triangleIndex(int triangle, int field) const;

    std::string name;
    std::string path;
    boost::shared_array<unsigned char> file;
    std::size_t fileSize;
    Header header;
    boost::shared_array<Vertex> frameVertices;
    boost::shared_array<Vertex> vertices;
    glm::vec4 extents;
};

}  // namespace lum

#endif
