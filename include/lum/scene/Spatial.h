#ifndef LUM_SCENE_SPATIAL_H
#define LUM_SCENE_SPATIAL_H

#include <string>

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include "lum/scene/Named.h"
#include "lum/scene/Transform.h"

class btCollisionShape;

namespace lum {

class Node;
class Renderer;
class Scene;

// A named object of the scene with a placement relative to its parent.
//
// Scene objects are always owned by boost::shared_ptr (made by the static
// make factories of the subclasses); setParent and everything that calls it
// need that owner. A parent owns its children; a child only knows its parent
// through a weak link, so a hierarchy never keeps itself alive.
//
// The transform setters change the local placement only; the world placement
// follows at the next update. All of it is for the main thread only.
class Spatial : public Named, public boost::enable_shared_from_this<Spatial> {
public:
    virtual ~Spatial();

    // The Bullet shape that stands for this object. Unless a subclass has a
    // shape of its own, this is one empty shape shared by the whole process
    // and never freed.
    virtual btCollisionShape* getCollisionShape() const;
    // Recomposes the world placement and scales the shape to it; dt is the
    // frame time in seconds.
    virtual void update(double dt);
    virtual void render(Renderer& renderer);
    virtual void setTransform(const Transform& transform);
    virtual void setScale(const glm::vec3& scale);
    // Multiplies the scale component by component.
    virtual void scale(const glm::vec3& factors);
    virtual void setRotation(const glm::quat& rotation);
    // Turns by angle degrees about axis, on the parent's side of the current
    // rotation. An axis that is not of unit length is normalised first.
    virtual void rotate(float angle, const glm::vec3& axis);
    virtual void rotate(const glm::quat& turn);
    // Turns the local -Z axis towards target (a world position, compared with
    // the last composed world position) with +Y leaning to world up. The
    // parent's rotation is not taken into account. The target must not lie
    // at the object's position or straight above or below it.
    virtual void lookAt(const glm::vec3& target);
    virtual void setTranslation(const glm::vec3& translation);
    virtual void translate(const glm::vec3& offset);
    // Called at the end of every setParent.
    virtual void onParentChanged();
    // Gives the collision shape the world scale.
    virtual void updateShapeScaling();

    // The Scene at the top of the hierarchy, found through the parents and
    // then remembered; null for an object that hangs under no Scene.
    Scene* getScene() const;
    // Empty for a root, a free object or one whose parent is gone.
    boost::shared_ptr<Node> getParent() const;
    const Transform& getTransform() const;
    // The last composed world placement (the identity before the first update).
    const Transform& getWorldTransform() const;

    // Moves the object under newParent (appended last) or, for an empty link,
    // frees it; then calls onParentChanged. A parent that is this object or
    // lies below it fails the assertion instead, before anything changes.
    void setParent(boost::weak_ptr<Node> newParent);
    // Takes the object out of its parent's children and frees it.
    void detach();
    // Composes the world placement from the parent's last composed one.
    void updateWorldTransform();
    // Recomposes the whole chain from the topmost ancestor down to here, for
    // callers that need a correct world placement outside the frame update.
    void refreshWorldTransform();

protected:
    explicit Spatial(const std::string& name);

    // For subclasses whose world placement comes from elsewhere (a physics
    // body); the next updateWorldTransform composes it anew.
    void setWorldPlacement(const Transform& world);

private:
    friend class Node;
    friend class Scene;

    // True also when node is this object itself.
    bool isAncestorOf(const Node& node) const;
    // Forgets parent and scene without touching any child list.
    void clearParent();

    mutable Scene* scene;
    boost::weak_ptr<Node> parent;
    Transform transform;
    Transform worldTransform;
};

}  // namespace lum

#endif
