#include "lum/scene/Model.h"

#include <algorithm>

#include <BulletCollision/CollisionShapes/btCompoundShape.h>
#include <GL/glew.h>
#include <glm/mat3x3.hpp>
#include <glm/matrix.hpp>

#include "lum/GameSettings.h"
#include "lum/render/Renderer.h"
#include "lum/render/Texture.h"
#include "lum/render/Uniform.h"
#include "lum/render/VertexArray.h"
#include "lum/render/VertexBuffer.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Light.h"
#include "lum/scene/Material.h"
#include "lum/scene/Scene.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const std::size_t maxLights = 3;
const int textureUnit = 1;

void deleteShape(btCollisionShape* shape) {
    if (btCompoundShape* const compound = dynamic_cast<btCompoundShape*>(shape)) {
        for (int i = compound->getNumChildShapes() - 1; i >= 0; --i) {
            btCollisionShape* const child = compound->getChildShape(i);
            compound->removeChildShapeByIndex(i);
            deleteShape(child);
        }
    }
    delete shape;
}

const int floatsPerVertex = sizeof(Vertex) / sizeof(float);

// Blends two key frames float by float. Flat, unaliased arrays and a fixed
// inner count let the compiler vectorise it: animated props blend thousands
// of vertices a frame.
void blendFrames(const float* __restrict from, const float* __restrict to, float blend,
                 std::size_t vertexCount, float* __restrict out) {
    const float keep = 1.0f - blend;
    for (std::size_t v = 0; v < vertexCount; ++v) {
        for (int i = 0; i < floatsPerVertex; ++i) {
            out[i] = keep * from[i] + blend * to[i];
        }
        from += floatsPerVertex;
        to += floatsPerVertex;
        out += floatsPerVertex;
    }
}

}  // namespace

boost::shared_ptr<Model> Model::make(
    const std::string& name, btCollisionShape* shape, const ModelData& data,
    boost::weak_ptr<Node> parent, boost::shared_ptr<Material> material,
    boost::shared_ptr<Material> outlineMaterial, boost::shared_ptr<VertexArray> vertexArray,
    boost::shared_ptr<VertexArray> outlineVertexArray, boost::shared_ptr<VertexBuffer> vertexBuffer,
    boost::shared_ptr<Texture> texture, const AnimationTable& animations) {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Model> model(new Model(name, shape, data));
    model->material = material;
    model->outlineMaterial = outlineMaterial;
    model->vertexArray = vertexArray;
    model->outlineVertexArray = outlineVertexArray;
    model->vertexBuffer = vertexBuffer;
    model->texture = texture;
    model->animations = animations;
    // Slot 0 of the buffer always holds the frame shown; frame 0 to start.
    // The outline reads the shown frame's corners too: it keeps a copy.
    const Vertex* const firstFrame = data.vertices.get();
    model->shownFrame.assign(firstFrame, firstFrame + data.verticesPerFrame);
    model->outlineRim = OutlineRim(firstFrame, data.verticesPerFrame);
    vertexBuffer->setData(0, data.verticesPerFrame * sizeof(Vertex), firstFrame);
    if (animations.empty()) {
        // Nothing reads the key frames of a model that never steps: the
        // vertex buffer holds the only frame it shows.
        model->data.vertices.reset();
    } else {
        model->setAnimation(name == "toyRobot" ? "armsEvil" : "turn");
    }
    model->setParent(parent);
    return model;
    LUM_TRACE_END
}

Model::Model(const std::string& name, btCollisionShape* shape, const ModelData& data)
    : Spatial(name),
      data(data),
      collisionShape(shape, &deleteShape),
      lightsVersion(0),
      transparent(false),
      animated(false),
      start(0),
      end(0),
      frameDuration(0),
      elapsed(0),
      blend(0),
      currentFrame(0),
      nextFrame(0),
      shownFrameStale(false) {}

Model::~Model() = default;

// A model made without a shape stands for nothing physical.
btCollisionShape* Model::getCollisionShape() const {
    return collisionShape ? collisionShape.get() : Spatial::getCollisionShape();
}

void Model::update(double dt) {
    LUM_TRACE_BEGIN
    updateWorldTransform();
    updateShapeScaling();
    if (animated) {
        animate(static_cast<float>(dt));
    }
    LUM_TRACE_END
}

void Model::setAnimation(const std::string& name) {
    LUM_TRACE_BEGIN
    const Animation& animation = animations.at(name);
    currentAnimation = name;
    frameDuration = 1.0f / static_cast<float>(animation.fps);
    elapsed = 0;
    blend = 0;
    start = animation.start;
    end = animation.end;
    currentFrame = start;
    nextFrame = frameAfter(start);
    LUM_TRACE_END
}

void Model::setTransparent(bool isTransparent) {
    transparent = isTransparent;
}

void Model::setAnimated(bool isAnimated) {
    animated = isAnimated;
}

// One step per frame at most, with the frame time: the animation runs at its
// own fps whatever the frame rate.
void Model::animate(float dt) {
    LUM_TRACE_BEGIN
    if (!GameSettings::instance().animationenabled || dt == 0.0f || !canStep()) {
        return;
    }
    elapsed += dt;
    if (elapsed >= frameDuration) {
        elapsed = 0;
        currentFrame = frameAfter(currentFrame);
        nextFrame = frameAfter(currentFrame);
    }
    blend = elapsed / frameDuration;
    shownFrameStale = true;
    LUM_TRACE_END
}

// A model without a current animation, or whose animation names frames the
// mesh does not have, stays on the frame it shows.
bool Model::canStep() const {
    return !currentAnimation.empty() && frameDuration > 0.0f && 0 <= start && start < end &&
           end <= data.frameCount;
}

int Model::frameAfter(int frame) const {
    return frame + 1 < end ? frame + 1 : start;
}

void Model::showReachedFrame() {
    if (shownFrameStale) {
        writeAnimatedVertices();
        shownFrameStale = false;
    }
}

void Model::writeAnimatedVertices() {
    LUM_TRACE_BEGIN
    const int count = data.verticesPerFrame;
    const Vertex* const current = &data.vertices[static_cast<std::size_t>(currentFrame) * count];
    const Vertex* const next = &data.vertices[static_cast<std::size_t>(nextFrame) * count];
    blendFrames(current[0].vertex, next[0].vertex, blend, count, shownFrame[0].vertex);
    vertexBuffer->setData(0, count * sizeof(Vertex), shownFrame.data());
    LUM_TRACE_END
}

void Model::render(Renderer& renderer) {
    LUM_TRACE_BEGIN
    if (isCulled(renderer) || !drawsInThisPass(renderer)) {
        return;
    }
    if (renderer.isBlendingPass()) {
        glColor4f(1, 1, 1, 0.5f);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    }
    showReachedFrame();
    if (renderer.isDepthPass()) {
        setMatrices(renderer);
        drawDepth(renderer);
        return;
    }
    uploadLights();
    setMatrices(renderer);
    drawBody(renderer);
    if (!GameSettings::instance().wireframe) {
        drawOutline(renderer);
    }
    LUM_TRACE_END
}

bool Model::isCulled(Renderer& renderer) const {
    LUM_TRACE_BEGIN
    if (!GameSettings::instance().frustrumCulling) {
        return false;
    }
    return !renderer.getCamera()->isVisible(getCollisionShape(), getWorldTransform().translation);
    LUM_TRACE_END
}

// With transparency on, opaque models draw in the first pass and transparent
// ones in the blended pass; with it off, everything draws in the one pass.
bool Model::drawsInThisPass(const Renderer& renderer) const {
    LUM_TRACE_BEGIN
    if (renderer.isBlendingPass()) {
        return transparent;
    }
    return !(GameSettings::instance().transperancy && transparent);
    LUM_TRACE_END
}

void Model::uploadLights() {
    LUM_TRACE_BEGIN
    const Scene* const scene = getScene();
    if (scene == nullptr) {
        return;
    }
    if (lights.empty() || scene->getLightsVersion() != lightsVersion) {
        lights = scene->getLights();
        lightsVersion = scene->getLightsVersion();
    }
    if (lights.empty()) {
        return;
    }
    const std::size_t count = std::min(maxLights, lights.size());
    const glm::vec3 position = getWorldTransform().translation;
    for (const boost::shared_ptr<Light>& light : lights) {
        light->setDistance(glm::distance(light->getWorldTransform().translation, position));
    }
    std::partial_sort(lights.begin(), lights.begin() + count, lights.end(),
                      [](const boost::shared_ptr<Light>& a, const boost::shared_ptr<Light>& b) {
                          return a->getDistance() < b->getDistance();
                      });
    material->getUniform("usedLights")->asInt().setValue(static_cast<int>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const Light& light = *lights[i];
        const std::string prefix = "lights[" + std::to_string(i) + "].";
        material->getUniform(prefix + "position")
            ->asVec3()
            .setValue(light.getWorldTransform().translation);
        material->getUniform(prefix + "ambient")->asVec4().setValue(light.getAmbient());
        material->getUniform(prefix + "diffuse")->asVec4().setValue(light.getDiffuse());
        material->getUniform(prefix + "specular")->asVec4().setValue(light.getSpecular());
        material->getUniform(prefix + "constantAttenuation")
            ->asFloat()
            .setValue(light.getConstantAttenuation());
        material->getUniform(prefix + "linearAttenuation")
            ->asFloat()
            .setValue(light.getLinearAttenuation());
        material->getUniform(prefix + "quadraticAttenuation")
            ->asFloat()
            .setValue(light.getQuadraticAttenuation());
    }
    LUM_TRACE_END
}

void Model::setMatrices(Renderer& renderer) {
    LUM_TRACE_BEGIN
    const Camera& camera = *renderer.getCamera();
    const glm::mat4 modelView = camera.getView() * getWorldTransform().toMatrix();
    const glm::mat4 modelViewProjection = camera.getProjection() * modelView;
    material->getUniform("camPos")->asVec3().setValue(camera.getWorldTransform().translation);
    material->getUniform("modelViewProjectionMatrix")->asMat4().setValue(modelViewProjection);
    // The model-view's rotation part as it is: models are scaled uniformly.
    material->getUniform("normalMatrix")->asMat3().setValue(glm::mat3(modelView));
    outlineMaterial->getUniform("modelViewProjectionMatrix")
        ->asMat4()
        .setValue(modelViewProjection);
    LUM_TRACE_END
}

void Model::drawBody(Renderer& renderer) {
    LUM_TRACE_BEGIN
    if (texture) {
        texture->bind();
    }
    material->getUniform("textureSampler")->asInt().setValue(textureUnit);
    material->use();
    vertexArray->bind();
    renderer.drawArrays(Triangles, data.verticesPerFrame);
    glUseProgram(0);
    vertexArray->release();
    glBindTexture(GL_TEXTURE_2D, 0);
    LUM_TRACE_END
}

// The depth pass uses the outline's program and vertex array: positions
// only, and the same position arithmetic as the body's, so that the body
// meets the same depth.
void Model::drawDepth(Renderer& renderer) {
    LUM_TRACE_BEGIN
    outlineMaterial->use();
    outlineVertexArray->bind();
    renderer.drawDepth(data.verticesPerFrame);
    glUseProgram(0);
    outlineVertexArray->release();
    LUM_TRACE_END
}

void Model::drawOutline(Renderer& renderer) {
    LUM_TRACE_BEGIN
    const glm::mat4 toWorld = getWorldTransform().toMatrix();
    const glm::vec3 eye = glm::inverse(toWorld) *
                          glm::vec4(renderer.getCamera()->getWorldTransform().translation, 1.0f);
    const bool mirrored = glm::determinant(glm::mat3(toWorld)) < 0.0f;
    const std::vector<unsigned>& rim = outlineRim.facingAway(shownFrame.data(), eye, mirrored);
    outlineMaterial->use();
    outlineVertexArray->bind();
    renderer.drawOutline(rim);
    glUseProgram(0);
    outlineVertexArray->release();
    LUM_TRACE_END
}

const ModelData& Model::getData() const {
    return data;
}

const boost::shared_ptr<Material>& Model::getMaterial() const {
    return material;
}

const boost::shared_ptr<Material>& Model::getOutlineMaterial() const {
    return outlineMaterial;
}

const boost::shared_ptr<VertexBuffer>& Model::getVertexBuffer() const {
    return vertexBuffer;
}

bool Model::isTransparent() const {
    return transparent;
}

const std::string& Model::getCurrentAnimation() const {
    return currentAnimation;
}

int Model::getCurrentFrame() const {
    return currentFrame;
}

int Model::getNextFrame() const {
    return nextFrame;
}

}  // namespace lum
