#ifndef LUM_SCENE_LIGHT_H
#define LUM_SCENE_LIGHT_H

#include <string>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <glm/glm.hpp>

#include "lum/scene/Spatial.h"

namespace lum {

class Node;
class Scene;

// A point light. It registers with the Scene each time it is attached under
// a node that belongs to one, and unregisters when it is destroyed. Models
// light themselves with the nearest registered lights. A light draws nothing
// and keeps the world placement of its last explicit recomposition.
class Light : public Spatial {
public:
    // White colours and all three attenuation factors 1.
    static boost::shared_ptr<Light> make(const std::string& name, boost::weak_ptr<Node> parent);

    ~Light() override;

    // Does not recompose: see refreshWorldTransform.
    void update(double dt) override;
    void onParentChanged() override;
    // Called by a scene as it ends: a light that outlives it (held
    // elsewhere) must not unregister from it later.
    void forgetScene(const Scene* scene);

    const glm::vec4& getAmbient() const;
    const glm::vec4& getDiffuse() const;
    const glm::vec4& getSpecular() const;
    void setAmbient(const glm::vec4& colour);
    void setDiffuse(const glm::vec4& colour);
    void setSpecular(const glm::vec4& colour);

    float getConstantAttenuation() const;
    float getLinearAttenuation() const;
    float getQuadraticAttenuation() const;
    void setConstantAttenuation(float factor);
    void setLinearAttenuation(float factor);
    void setQuadraticAttenuation(float factor);

    // Scratch value for a model choosing its nearest lights.
    float getDistance() const;
    void setDistance(float distance);

protected:
    explicit Light(const std::string& name);

private:
    glm::vec4 ambient;
    glm::vec4 diffuse;
    glm::vec4 specular;
    float constantAttenuation;
    float linearAttenuation;
    float quadraticAttenuation;
    float distance;
    // The Scene whose registry lists this light, even after the light has
    // been detached from it: the registry must never outlive the light.
    Scene* registeredIn;
};

}  // namespace lum

#endif
