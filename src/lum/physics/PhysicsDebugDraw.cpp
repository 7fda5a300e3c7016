#include "lum/physics/PhysicsDebugDraw.h"

#include <GL/glew.h>

#include "lum/render/Renderer.h"
#include "lum/render/Shader.h"
#include "lum/render/Uniform.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Material.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {
// Wireframe, bounding boxes, contact points and constraints.
const int defaultDebugMode = btIDebugDraw::DBG_DrawWireframe | btIDebugDraw::DBG_DrawAabb |
                             btIDebugDraw::DBG_DrawContactPoints |
                             btIDebugDraw::DBG_DrawConstraints;
}  // namespace

PhysicsDebugDraw::PhysicsDebugDraw() : debugMode(defaultDebugMode), vertexAttribute(-1) {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Shader> shader = ShaderLoader::instance().load("debug");
    material = shader->createMaterial("debug");
    material->getUniform("color")->asVec3().setValue(glm::vec3(1, 0, 0));
    vertexAttribute = shader->getAttribLocation("vertex");
    LUM_TRACE_END
}

PhysicsDebugDraw::~PhysicsDebugDraw() = default;

bool PhysicsDebugDraw::canDraw() const {
    return context.isOpen();
}

void PhysicsDebugDraw::drawLine(const btVector3& from, const btVector3& to,
                                const btVector3& color) {
    setColour(color);
    glBegin(GL_LINES);
    glVertexAttrib3f(vertexAttribute, from.x(), from.y(), from.z());
    glVertexAttrib3f(vertexAttribute, to.x(), to.y(), to.z());
    glEnd();
}

void PhysicsDebugDraw::drawSphere(const btVector3& p, btScalar radius, const btVector3& color) {
    const btVector3 half(radius, radius, radius);
    drawBox(p - half, p + half, color);
}

void PhysicsDebugDraw::drawContactPoint(const btVector3& pointOnB, const btVector3&, btScalar, int,
                                        const btVector3& color) {
    setColour(color);
    glBegin(GL_POINTS);
    glVertexAttrib3f(vertexAttribute, pointOnB.x(), pointOnB.y(), pointOnB.z());
    glEnd();
}

void PhysicsDebugDraw::reportErrorWarning(const char*) {}

void PhysicsDebugDraw::draw3dText(const btVector3&, const char*) {}

void PhysicsDebugDraw::setDebugMode(int mode) {
    debugMode = mode;
}

int PhysicsDebugDraw::getDebugMode() const {
    return debugMode;
}

void PhysicsDebugDraw::prepare() {
    LUM_TRACE_BEGIN
    material->getUniform("transform")
        ->asMat4()
        .setValue(Renderer::instance().getCamera()->getViewProjection());
    LUM_TRACE_END
}

boost::shared_ptr<Material> PhysicsDebugDraw::getMaterial() const {
    return material;
}

// The program is current during the debug frame; every uniform goes up again.
void PhysicsDebugDraw::setColour(const btVector3& colour) {
    material->getUniform("color")->asVec3().setValue(glm::vec3(colour.x(), colour.y(), colour.z()));
    material->apply();
}

}  // namespace lum
