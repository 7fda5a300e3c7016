#ifndef LUM_LOOK_BLOBSHADOW_H
#define LUM_LOOK_BLOBSHADOW_H

#include <boost/shared_ptr.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace lum {

class Material;
class Node;
class PhysicsNode;

// A soft dark disc on the first surface straight below a body, so the
// player can judge where a body in the air will come down. The higher the
// body, the wider and fainter its shadow. Drawn after the opaque pass, over
// what is already there, without writing depth.
class BlobShadow {
public:
    // Where a shadow lies and how it looks; `strength` is the darkening at
    // its middle, from 0 (none) to 1 (black).
    struct Footprint {
        bool cast;
        glm::vec3 centre;
        float radius;
        float strength;
    };

    BlobShadow();

    // The shadow of an active physics node's body on the first other solid
    // body straight below it, found with rays through the physics world.
    // Nothing within reach below, or no body, gives a footprint that is not
    // cast.
    static Footprint under(const PhysicsNode& node);
    // The shadow of a body of `radius` whose lowest point is `height` above
    // the surface point `ground`.
    static Footprint onGround(const glm::vec3& ground, float height, float radius);

    // Draws the footprint through `viewProjection`. Loads the shader
    // "shadow" on first use: needs the renderer.
    void draw(const Footprint& footprint, const glm::mat4& viewProjection);
    // The shadow under `node`, seen through the renderer's camera.
    void drawUnder(const PhysicsNode& node);
    // The shadows under every active body with mass below `root`, through
    // visible groups: the player, the cubes, whatever moves.
    void drawUnderMovingBodies(Node& root);

private:
    boost::shared_ptr<Material> material;
};

}  // namespace lum

#endif
