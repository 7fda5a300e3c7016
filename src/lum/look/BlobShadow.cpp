#include "lum/look/BlobShadow.h"

#include <GL/glew.h>

#include <algorithm>

#include <BulletDynamics/Dynamics/btRigidBody.h>

#include "lum/physics/PhysicsNode.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/render/FilledFaces.h"
#include "lum/render/Renderer.h"
#include "lum/render/Shader.h"
#include "lum/render/Uniform.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Material.h"
#include "lum/scene/Node.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// How far below a body the ray looks for ground: deeper than the tallest
// drop of any level.
const float reach = 250.0f;
// A ray that meets the body it starts in goes on this far below that point,
// at most this many times.
const float stepPastSelf = 0.01f;
const int selfHitsAllowed = 3;
// Darkness at the middle of a shadow of a body resting on the ground, and
// the height at which it has faded to half that.
const float restingStrength = 0.6f;
const float halfFadeHeight = 12.0f;
// A resting body's shadow is a little wider than the body; it grows by this
// much of the body's radius per unit of height, up to twice the body.
const float restingSpread = 1.15f;
const float spreadPerHeight = 0.05f;
const float widestSpread = 2.0f;
// Lifted off the surface, together with a depth offset, so that the disc
// neither flickers into the floor nor floats visibly.
const float lift = 0.03f;
const float depthOffset = -2.0f;

const char* const shaderName = "shadow";

void emitCorner(float u, float v, const glm::vec3& position) {
    glVertexAttrib2f(1, u, v);
    glVertexAttrib3f(0, position.x, position.y, position.z);
}

}  // namespace

BlobShadow::BlobShadow() {}

BlobShadow::Footprint BlobShadow::under(const PhysicsNode& node) {
    LUM_TRACE_BEGIN
    const btRigidBody* body = node.getBody();
    if (body == nullptr || !node.isActive()) {
        return Footprint{false, glm::vec3(0.0f), 0.0f, 0.0f};
    }
    btVector3 lowest;
    btVector3 highest;
    body->getAabb(lowest, highest);
    const btVector3 middle = (lowest + highest) * 0.5f;
    const float radius = std::max(highest.x() - lowest.x(), highest.z() - lowest.z()) * 0.5f;
    // The ray starts inside the body, so it may meet the body itself first:
    // then it goes on from just below that point.
    glm::vec3 start(middle.x(), middle.y(), middle.z());
    const glm::vec3 end = start - glm::vec3(0.0f, reach, 0.0f);
    for (int attempt = 0; attempt < selfHitsAllowed; ++attempt) {
        const RayHit hit = PhysicsSystem::instance().rayTest(start, end);
        if (hit.node == nullptr) {
            break;
        }
        if (hit.node != &node) {
            return onGround(hit.point, lowest.y() - hit.point.y, radius);
        }
        start = hit.point - glm::vec3(0.0f, stepPastSelf, 0.0f);
    }
    return Footprint{false, end, 0.0f, 0.0f};
    LUM_TRACE_END
}

BlobShadow::Footprint BlobShadow::onGround(const glm::vec3& ground, float height, float radius) {
    const float above = std::max(height, 0.0f);
    const float spread = std::min(restingSpread + spreadPerHeight * above, widestSpread);
    const float strength = restingStrength / (1.0f + above / halfFadeHeight);
    return Footprint{true, ground, radius * spread, strength};
}

void BlobShadow::draw(const Footprint& footprint, const glm::mat4& viewProjection) {
    LUM_TRACE_BEGIN
    if (!footprint.cast || footprint.strength <= 0.0f) {
        return;
    }
    if (!material) {
        material = ShaderLoader::instance().load(shaderName)->createMaterial("material");
    }
    material->getUniform("modelViewProjectionMatrix")->asMat4().setValue(viewProjection);
    material->getUniform("strength")->asFloat().setValue(footprint.strength);
    material->use();

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(depthOffset, depthOffset);
    const FilledFaces filled;

    const glm::vec3 middle = footprint.centre + glm::vec3(0.0f, lift, 0.0f);
    const float r = footprint.radius;
    const glm::vec3 nearLeft = middle + glm::vec3(-r, 0.0f, r);
    const glm::vec3 nearRight = middle + glm::vec3(r, 0.0f, r);
    const glm::vec3 farLeft = middle + glm::vec3(-r, 0.0f, -r);
    const glm::vec3 farRight = middle + glm::vec3(r, 0.0f, -r);
    glBegin(GL_TRIANGLES);
    emitCorner(-1, 1, nearLeft);
    emitCorner(1, 1, nearRight);
    emitCorner(1, -1, farRight);
    emitCorner(-1, 1, nearLeft);
    emitCorner(1, -1, farRight);
    emitCorner(-1, -1, farLeft);
    glEnd();

    glDisable(GL_POLYGON_OFFSET_FILL);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glUseProgram(0);
    LUM_TRACE_END
}

void BlobShadow::drawUnder(const PhysicsNode& node) {
    LUM_TRACE_BEGIN
    draw(under(node), Renderer::instance().getCamera()->getViewProjection());
    LUM_TRACE_END
}

void BlobShadow::drawUnderMovingBodies(Node& root) {
    LUM_TRACE_BEGIN
    // The rays that place the shadows serve only the picture.
    if (!root.isVisible() || !Renderer::instance().isDrawing()) {
        return;
    }
    for (int i = 0; i < root.getChildCount(); ++i) {
        const boost::shared_ptr<Spatial> child = root.getChild(i);
        // A body's own children are the shapes it is built from (and closed
        // to lookups while it is in the world): only plain groups are entered.
        const PhysicsNode* body = dynamic_cast<const PhysicsNode*>(child.get());
        Node* group = dynamic_cast<Node*>(child.get());
        if (body != nullptr) {
            if (body->getMass() > 0.0f) {
                drawUnder(*body);
            }
        } else if (group != nullptr) {
            drawUnderMovingBodies(*group);
        }
    }
    LUM_TRACE_END
}

}  // namespace lum
