#ifndef LUM_PHYSICS_PHYSICSDEBUGDRAW_H
#define LUM_PHYSICS_PHYSICSDEBUGDRAW_H

#include <LinearMath/btIDebugDraw.h>
#include <boost/shared_ptr.hpp>

#include "lum/render/ContextStamp.h"

namespace lum {

class Material;

// Draws what the physics world shows of itself (shapes, bounding boxes,
// contact points) as lines in one colour through the shader "debug". Needs
// a living Renderer; only the physics system's debug frame calls it.
class PhysicsDebugDraw : public btIDebugDraw {
public:
    PhysicsDebugDraw();
    ~PhysicsDebugDraw() override;

    void drawLine(const btVector3& from, const btVector3& to, const btVector3& color) override;
    // A box around the sphere: enough to see where it is.
    void drawSphere(const btVector3& p, btScalar radius, const btVector3& color) override;
    void drawContactPoint(const btVector3& pointOnB, const btVector3& normalOnB, btScalar distance,
                          int lifeTime, const btVector3& color) override;
    void reportErrorWarning(const char* warningString) override;
    void draw3dText(const btVector3& location, const char* textString) override;
    void setDebugMode(int debugMode) override;
    int getDebugMode() const override;

    // Takes the camera's view for the coming frame.
    void prepare();
    boost::shared_ptr<Material> getMaterial() const;
    // Whether the OpenGL context it was made in is still open: its shader
    // is dead once the renderer that made it has closed.
    bool canDraw() const;

private:
    void setColour(const btVector3& colour);

    boost::shared_ptr<Material> material;
    int debugMode;
    int vertexAttribute;
    ContextStamp context;
};

}  // namespace lum

#endif
