#include "lum/scene/Light.h"

#include <boost/core/null_deleter.hpp>

#include "lum/scene/Scene.h"
#include "lum/util/Trace.h"

namespace lum {

Light::Light(const std::string& name)
    : Spatial(name),
      ambient(1.0f),
      diffuse(1.0f),
      specular(1.0f),
      constantAttenuation(1.0f),
      linearAttenuation(1.0f),
      quadraticAttenuation(1.0f),
      distance(0.0f),
      registeredIn(nullptr) {}

boost::shared_ptr<Light> Light::make(const std::string& name, boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Light> light(new Light(name));
    light->setParent(parent);
    return light;
    LUM_TRACE_END
}

Light::~Light() {
    // Every entry goes, wherever the light hangs now: a detached or twice
    // attached light would otherwise leave a dangling entry behind.
    if (registeredIn != nullptr) {
        registeredIn->removeLight(this);
    }
}

void Light::forgetScene(const Scene* scene) {
    if (registeredIn == scene) {
        registeredIn = nullptr;
    }
}

void Light::update(double) {}

void Light::onParentChanged() {
    Scene* const scene = getScene();
    if (scene == nullptr) {
        return;
    }
    if (registeredIn != nullptr && registeredIn != scene) {
        registeredIn->removeLight(this);
    }
    // The registry must not keep the light alive, so its entry does not own it.
    scene->addLight(boost::shared_ptr<Light>(this, boost::null_deleter()));
    registeredIn = scene;
}

const glm::vec4& Light::getAmbient() const {
    return ambient;
}

const glm::vec4& Light::getDiffuse() const {
    return diffuse;
}

const glm::vec4& Light::getSpecular() const {
    return specular;
}

void Light::setAmbient(const glm::vec4& colour) {
    ambient = colour;
}

void Light::setDiffuse(const glm::vec4& colour) {
    diffuse = colour;
}

void Light::setSpecular(const glm::vec4& colour) {
    specular = colour;
}

float Light::getConstantAttenuation() const {
    return constantAttenuation;
}

float Light::getLinearAttenuation() const {
    return linearAttenuation;
}

float Light::getQuadraticAttenuation() const {
    return quadraticAttenuation;
}

void Light::setConstantAttenuation(float factor) {
    constantAttenuation = factor;
}

void Light::setLinearAttenuation(float factor) {
    linearAttenuation = factor;
}

void Light::setQuadraticAttenuation(float factor) {
    quadraticAttenuation = factor;
}

float Light::getDistance() const {
    return distance;
}

void Light::setDistance(float newDistance) {
    distance = newDistance;
}

}  // namespace lum
