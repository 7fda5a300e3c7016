#ifndef LUM_SCENE_SCENE_H
#define LUM_SCENE_SCENE_H

#include <functional>
#include <string>
#include <vector>

#include <boost/noncopyable.hpp>
#include <boost/shared_ptr.hpp>

namespace lum {

class Light;
class Node;
class Renderer;
class Spatial;

// Owns the root of a hierarchy and the registry of the lights below it.
// The game has one, Scene::global(), which lives for the whole run; a Scene
// must outlive every object that was ever attached under it.
class Scene : private boost::noncopyable {
public:
    // The game's scene, named "scene"; it is built before main starts.
    static Scene& global();

    // The root is named name + ".root".
    explicit Scene(const std::string& name);
    ~Scene();

    const std::string& getName() const;
    const boost::shared_ptr<Node>& getRoot() const;

    // Clears the lights-changed mark, then updates the whole tree.
    void update(double dt);
    // What the scene's models may hide, drawn last where they do not (the
    // room round a level): between the opaque and the blended pass.
    using Behind = std::function<void()>;

    void render(Renderer& renderer, const Behind& behind = Behind());
    // An opaque pass without blending, `behind`, then, when transparency is
    // on, a second pass with blending on and the renderer's blending-pass
    // flag set. Each model decides in which pass it draws.
    void renderPasses(Renderer& renderer, bool transparency, const Behind& behind = Behind());

    void addChild(boost::shared_ptr<Spatial> child);
    // OutOfBoundsException when the root has no child of that name.
    boost::shared_ptr<Spatial> getChild(const std::string& name) const;

    // The registry does not own the lights: each light takes itself out
    // when it is destroyed.
    void addLight(boost::shared_ptr<Light> light);
    // Takes out every entry of light (a light attached twice is listed twice).
    void removeLight(const Light* light);
    const std::vector<boost::shared_ptr<Light>>& getLights() const;
    // True from a light's registration or removal to the next update.
    bool haveLightsChanged() const;
    // Counts every registration and removal ever made. A copy of the light
    // list is current while this has not moved since the copy was taken;
    // unlike the changed mark, it cannot be missed between two frames.
    unsigned getLightsVersion() const;

private:
    std::string name;
    boost::shared_ptr<Node> root;
    std::vector<boost::shared_ptr<Light>> lights;
    bool lightsChanged;
    unsigned lightsVersion;
};

}  // namespace lum

#endif
