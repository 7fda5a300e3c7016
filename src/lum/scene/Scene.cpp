#include "lum/scene/Scene.h"

#include <algorithm>

#include <GL/glew.h>

#include "lum/GameSettings.h"
#include "lum/render/Renderer.h"
#include "lum/scene/Light.h"
#include "lum/scene/Node.h"
#include "lum/util/Trace.h"

namespace lum {

Scene& Scene::global() {
    static Scene scene("scene");
    return scene;
}

namespace {
// Built during static initialisation, so the scene exists before main runs.
const Scene& globalSceneAtStart = Scene::global();
}  // namespace

Scene::Scene(const std::string& name)
    : name(name),
      root(Node::make(name + ".root", boost::weak_ptr<Node>())),
      lightsChanged(false),
      lightsVersion(0) {
    root->scene = this;
}

Scene::~Scene() {
    // The tree goes first: lights dying with it still unregister from the
    // list below, which would otherwise be destroyed before them. Lights
    // still held elsewhere then forget this scene.
    root.reset();
    for (const boost::shared_ptr<Light>& light : lights) {
        light->forgetScene(this);
    }
}

const std::string& Scene::getName() const {
    return name;
}

const boost::shared_ptr<Node>& Scene::getRoot() const {
    return root;
}

void Scene::update(double dt) {
    LUM_TRACE_BEGIN
    lightsChanged = false;
    root->update(dt);
    LUM_TRACE_END
}

void Scene::render(Renderer& renderer, const Behind& behind) {
    LUM_TRACE_BEGIN
    // A pass the renderer leaves undrawn needs no lights, matrices or materials set up.
    if (!renderer.isDrawing()) {
        return;
    }
    renderPasses(renderer, GameSettings::instance().transperancy, behind);
    LUM_TRACE_END
}

void Scene::renderPasses(Renderer& renderer, bool transparency, const Behind& behind) {
    LUM_TRACE_BEGIN
    glDisable(GL_BLEND);
    renderer.setBlendingPass(false);
    // Wireframe bodies are lines: they hide nothing and lay no depth down.
    const bool depthFirst = !GameSettings::instance().wireframe;
    if (depthFirst) {
        renderer.beginDepthPass();
        root->render(renderer);
        renderer.endDepthPass();
    }
    root->render(renderer);
    renderer.endOpaquePass();
    if (behind) {
        behind();
    }
    if (transparency) {
        glEnable(GL_BLEND);
        renderer.setBlendingPass(true);
        root->render(renderer);
        // Overlays drawn after the scene (pause, death) must not be blended into it.
        glDisable(GL_BLEND);
        renderer.setBlendingPass(false);
    }
    LUM_TRACE_END
}

void Scene::addChild(boost::shared_ptr<Spatial> child) {
    LUM_TRACE_BEGIN
    root->addChild(child);
    LUM_TRACE_END
}

boost::shared_ptr<Spatial> Scene::getChild(const std::string& childName) const {
    LUM_TRACE_BEGIN
    return root->getChild(childName);
    LUM_TRACE_END
}

void Scene::addLight(boost::shared_ptr<Light> light) {
    lightsChanged = true;
    ++lightsVersion;
    lights.push_back(light);
}

void Scene::removeLight(const Light* light) {
    lightsChanged = true;
    ++lightsVersion;
    lights.erase(std::remove_if(lights.begin(), lights.end(),
                                [light](const boost::shared_ptr<Light>& entry) {
                                    return entry.get() == light;
                                }),
                 lights.end());
}

const std::vector<boost::shared_ptr<Light>>& Scene::getLights() const {
    return lights;
}

bool Scene::haveLightsChanged() const {
    return lightsChanged;
}

unsigned Scene::getLightsVersion() const {
    return lightsVersion;
}

}  // namespace lum
