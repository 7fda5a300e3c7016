#include "lum/look/Backdrop.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "lum/config/Setting.h"
#include "lum/render/FilledFaces.h"
#include "lum/render/Renderer.h"
#include "lum/render/Shader.h"
#include "lum/render/Texture.h"
#include "lum/render/Uniform.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Material.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const char* const shaderName = "backdrop";
const char* const defaultTextures = "room";
// Wall pictures are twice as wide as high.
const float wallAspect = 2.0f;
// Light falls from the window side: the floor a little darker than the walls.
const float wallShade = 0.92f;
const float sideWallShade = 0.85f;
const float floorShade = 0.8f;
const float ceilingShade = 0.95f;

// How often a picture `aspect` times as wide as high repeats along a wall
// `length` long and `height` high: whole times, so that it meets itself at
// the corners.
float repeatsAlong(float length, float height) {
    return std::max(1.0f, std::round(length / (height * wallAspect)));
}

void emitCorner(const glm::vec2& texCoord, const glm::vec3& position) {
    glVertexAttrib2f(1, texCoord.x, texCoord.y);
    glVertexAttrib3f(0, position.x, position.y, position.z);
}

// An upright wall from `left` to `right` (x and z), from `bottom` to `top`,
// its picture repeated `repeats` times along it.
Backdrop::Face wallFace(const boost::shared_ptr<Texture>& texture, const glm::vec2& left,
                        const glm::vec2& right, float bottom, float top, float repeats,
                        float shade) {
    return Backdrop::Face{
        texture,
        {glm::vec3(left.x, bottom, left.y), glm::vec3(right.x, bottom, right.y),
         glm::vec3(right.x, top, right.y), glm::vec3(left.x, top, left.y)},
        {glm::vec2(0, 0), glm::vec2(repeats, 0), glm::vec2(repeats, 1), glm::vec2(0, 1)},
        shade};
}

// The floor or the ceiling of the box from `low` to `high`, at height `y`,
// its picture repeated every floorTile units.
Backdrop::Face flatFace(const boost::shared_ptr<Texture>& texture, const glm::vec3& low,
                        const glm::vec3& high, float y, float shade) {
    const float tilesX = (high.x - low.x) / Backdrop::floorTile;
    const float tilesZ = (high.z - low.z) / Backdrop::floorTile;
    return Backdrop::Face{
        texture,
        {glm::vec3(low.x, y, low.z), glm::vec3(high.x, y, low.z), glm::vec3(high.x, y, high.z),
         glm::vec3(low.x, y, high.z)},
        {glm::vec2(0, 0), glm::vec2(tilesX, 0), glm::vec2(tilesX, tilesZ), glm::vec2(0, tilesZ)},
        shade};
}

}  // namespace

const float Backdrop::floorTile = 200.0f;

Backdrop::Backdrop() {}

std::vector<Backdrop::Face> Backdrop::build(const Setting& description, const std::string& origin) {
    LUM_TRACE_BEGIN
    std::vector<Face> built;
    if (!description.isGroup()) {
        return built;
    }
    const glm::vec3 a = description("from").toVec3(glm::vec3(0.0f));
    const glm::vec3 b = description("to").toVec3(glm::vec3(0.0f));
    const glm::vec3 low = glm::min(a, b);
    const glm::vec3 high = glm::max(a, b);
    if (low.x == high.x || low.y == high.y || low.z == high.z) {
        throw ConfigException(origin + ": the backdrop's \"from\" and \"to\" must be opposite " +
                              "corners of a box");
    }
    const Setting named = description("textures");
    const std::string prefix = named.isString() ? named.asString() : defaultTextures;
    TextureLoader& textures = TextureLoader::instance();
    const boost::shared_ptr<Texture> wall = textures.load(prefix + "Wall");
    const boost::shared_ptr<Texture> sideWall = textures.load(prefix + "SideWall");
    const float height = high.y - low.y;
    const float acrossX = repeatsAlong(high.x - low.x, height);
    const float acrossZ = repeatsAlong(high.z - low.z, height);

    // Walls seen from inside the room, from their left end to their right.
    const glm::vec2 nearLeft(low.x, low.z), nearRight(high.x, low.z);
    const glm::vec2 farLeft(low.x, high.z), farRight(high.x, high.z);
    built.push_back(wallFace(wall, nearLeft, nearRight, low.y, high.y, acrossX, wallShade));
    built.push_back(wallFace(wall, farRight, farLeft, low.y, high.y, acrossX, wallShade));
    built.push_back(wallFace(sideWall, farLeft, nearLeft, low.y, high.y, acrossZ, sideWallShade));
    built.push_back(wallFace(sideWall, nearRight, farRight, low.y, high.y, acrossZ, sideWallShade));
    built.push_back(flatFace(textures.load(prefix + "Floor"), low, high, low.y, floorShade));
    built.push_back(flatFace(textures.load(prefix + "Ceiling"), low, high, high.y, ceilingShade));
    return built;
    LUM_TRACE_END
}

void Backdrop::draw(const std::string& levelName) {
    LUM_TRACE_BEGIN
    if (levelName != level) {
        faces = build(ConfigLoader::instance().load(levelName)("backdrop"), levelName + ".cfg");
        level = levelName;
    }
    if (!faces.empty() && Renderer::instance().isDrawing()) {
        drawFaces(Renderer::instance().getCamera()->getViewProjection());
    }
    LUM_TRACE_END
}

void Backdrop::drawFaces(const glm::mat4& viewProjection) {
    LUM_TRACE_BEGIN
    if (!material) {
        material = ShaderLoader::instance().load(shaderName)->createMaterial("material");
    }
    material->getUniform("modelViewProjectionMatrix")->asMat4().setValue(viewProjection);
    material->getUniform("textureSampler")->asInt().setValue(1);
    // The room lies on the far plane: it fills only what nothing hides.
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    const FilledFaces filled;
    for (const Face& face : faces) {
        material->getUniform("shade")->asFloat().setValue(face.shade);
        material->use();
        face.texture->bind();
        glBegin(GL_TRIANGLES);
        for (int corner : {0, 1, 2, 0, 2, 3}) {
            emitCorner(face.texCoords[corner], face.corners[corner]);
        }
        glEnd();
    }
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glUseProgram(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    LUM_TRACE_END
}

}  // namespace lum
