#ifndef LUM_LOOK_BACKDROP_H
#define LUM_LOOK_BACKDROP_H

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace lum {

class Material;
class Setting;
class Texture;

// The room a level stands in: a box of walls, floor and ceiling around the
// whole level, drawn on the far plane behind everything, so it can never
// hide the play area whatever the camera does, and it is never cut off by
// the far plane. It is drawn after the opaque models, into the pixels they
// leave. It has no body and no lights of its own; its faces are only
// shaded a little apart. A level describes it with the group
//     backdrop = { textures = "room"; from = (x, y, z); to = (x, y, z) };
// giving two opposite corners of the box; the faces use the textures named
// "textures" + "Wall" (the walls across z), + "SideWall" (the walls across
// x), + "Floor" and + "Ceiling". The wall pictures keep their proportions
// (twice as wide as high) and repeat along a wall; the floor and ceiling
// repeat every `floorTile` units.
class Backdrop {
public:
    struct Face {
        boost::shared_ptr<Texture> texture;
        glm::vec3 corners[4];
        glm::vec2 texCoords[4];
        float shade;
    };

    static const float floorTile;

    Backdrop();

    // The faces of the room that `description` describes; none when it is
    // not a group. A box that is empty along some axis is an error.
    static std::vector<Face> build(const Setting& description, const std::string& origin);

    // Draws the room of the level configuration `level` through the
    // renderer's camera; a level without "backdrop" draws nothing. The room
    // is read when the level first differs from the last one drawn.
    void draw(const std::string& level);

private:
    void drawFaces(const glm::mat4& viewProjection);

    std::string level;
    std::vector<Face> faces;
    boost::shared_ptr<Material> material;
};

}  // namespace lum

#endif
