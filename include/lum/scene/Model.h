#ifndef LUM_SCENE_MODEL_H
#define LUM_SCENE_MODEL_H

#include <memory>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/unordered_map.hpp>
#include <boost/weak_ptr.hpp>

#include "lum/scene/ModelData.h"
#include "lum/scene/OutlineRim.h"
#include "lum/scene/Spatial.h"

namespace lum {

class Light;
class Material;
class Texture;
class VertexArray;
class VertexBuffer;

// A key-frame range played at fps key frames per second; frames run from
// start to end - 1 and wrap back to start.
struct Animation {
    int start;
    int end;
    int fps;
};

// A textured, cel-shaded, outlined mesh, lit by up to three of the scene's
// lights and optionally animated. The model keeps its materials, vertex
// arrays, buffer and texture alive, and owns its collision shape (made with
// new; a compound's child shapes go with it). A physics body built from the
// shape must be gone before the model.
class Model : public Spatial {
public:
    using AnimationTable = boost::unordered_map<std::string, Animation>;

    static boost::shared_ptr<Model> make(const std::string& name, btCollisionShape* shape,
                                         const ModelData& data, boost::weak_ptr<Node> parent,
                                         boost::shared_ptr<Material> material,
                                         boost::shared_ptr<Material> outlineMaterial,
                                         boost::shared_ptr<VertexArray> vertexArray,
                                         boost::shared_ptr<VertexArray> outlineVertexArray,
                                         boost::shared_ptr<VertexBuffer> vertexBuffer,
                                         boost::shared_ptr<Texture> texture,
                                         const AnimationTable& animations);
    ~Model() override;

    btCollisionShape* getCollisionShape() const override;
    // Places the model and, when animated, steps its animation by dt; the
    // frame it shows is blended when it is next drawn.
    void update(double dt) override;
    void render(Renderer& renderer) override;
    // Writes the frame the animation has reached into the vertex buffer,
    // once per step; render calls it before drawing. Needs the model's GL
    // context.
    void showReachedFrame();

    // A name the table lacks is std::out_of_range.
    void setAnimation(const std::string& name);
    void setTransparent(bool transparent);
    void setAnimated(bool animated);

    // The key frames' vertices are kept only while the model has animations;
    // a model without them has its one shown frame in the vertex buffer alone.
    const ModelData& getData() const;
    const boost::shared_ptr<Material>& getMaterial() const;
    const boost::shared_ptr<Material>& getOutlineMaterial() const;
    const boost::shared_ptr<VertexBuffer>& getVertexBuffer() const;
    bool isTransparent() const;
    const std::string& getCurrentAnimation() const;
    int getCurrentFrame() const;
    int getNextFrame() const;

private:
    Model(const std::string& name, btCollisionShape* shape, const ModelData& data);

    bool isCulled(Renderer& renderer) const;
    bool drawsInThisPass(const Renderer& renderer) const;
    void animate(float dt);
    bool canStep() const;
    int frameAfter(int frame) const;
    void writeAnimatedVertices();
    void uploadLights();
    void setMatrices(Renderer& renderer);
    void drawBody(Renderer& renderer);
    void drawDepth(Renderer& renderer);
    void drawOutline(Renderer& renderer);

    ModelData data;
    boost::shared_ptr<Material> material;
    boost::shared_ptr<Material> outlineMaterial;
    boost::shared_ptr<VertexArray> vertexArray;
    boost::shared_ptr<VertexArray> outlineVertexArray;
    boost::shared_ptr<VertexBuffer> vertexBuffer;
    boost::shared_ptr<Texture> texture;
    // The frame shown, as the vertex buffer holds it, and which of its
    // triangles the outline draws.
    std::vector<Vertex> shownFrame;
    OutlineRim outlineRim;
    std::unique_ptr<btCollisionShape, void (*)(btCollisionShape*)> collisionShape;
    std::vector<boost::shared_ptr<Light>> lights;
    unsigned lightsVersion;
    bool transparent;
    bool animated;
    AnimationTable animations;
    int start;
    int end;
    float frameDuration;
    float elapsed;
    float blend;
    std::string currentAnimation;
    int currentFrame;
    int nextFrame;
    // The buffer still shows an earlier step: the blend is written when the
    // model is next drawn, not at every step (passes left undrawn, a model
    // out of view).
    bool shownFrameStale;
};

}  // namespace lum

#endif
