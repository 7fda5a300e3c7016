// What a player waits for and what every frame costs, in a real window (run
// under Xvfb, from the repository root, with ALSOFT_DRIVERS=null):
// - coldLevelLoad: a level's first load, every model, shader and texture
//   read, compiled and uploaded afresh;
// - warmLevelLoad: the same level again (a restart), with the shaders,
//   textures and key frames the first load kept;
// - frameUpdate: one frame's scene update and physics step in level 1, with
//   its animated props blending their key frames (as drawing does);
// - pollEvents: the window adapter's poll, which also reads the first
//   gamepad, against GLFW's bare poll (bareGlfwPoll).
#include <benchmark/benchmark.h>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "lum/physics/PhysicsSystem.h"
#include "lum/platform/Window.h"
#include "lum/render/Renderer.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Model.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "shell/HeapRelease.h"

namespace {

const double frameTime = 1.0 / 60.0;

std::string levelName(const benchmark::State& state) {
    return "level" + std::to_string(state.range(0));
}

void clearScene() {
    lum::Scene::global().getRoot()->removeAllChildren();
}

void coldLevelLoad(benchmark::State& state) {
    const std::string level = levelName(state);
    for (auto _ : state) {
        state.PauseTiming();
        clearScene();
        lum::TextureLoader::instance().clearCache();
        lum::ShaderLoader::instance().clearCache();
        lum::UberLoader::instance().forgetKeyFrames();
        state.ResumeTiming();
        lum::UberLoader::instance().loadLevel(level);
    }
    clearScene();
}

void warmLevelLoad(benchmark::State& state) {
    const std::string level = levelName(state);
    lum::UberLoader::instance().loadLevel(level);
    for (auto _ : state) {
        state.PauseTiming();
        clearScene();
        state.ResumeTiming();
        lum::UberLoader::instance().loadLevel(level);
    }
    clearScene();
}

void collectModels(const boost::shared_ptr<lum::Spatial>& spatial,
                   std::vector<boost::shared_ptr<lum::Model>>& models) {
    if (const auto model = boost::dynamic_pointer_cast<lum::Model>(spatial)) {
        models.push_back(model);
    }
    const auto node = boost::dynamic_pointer_cast<lum::Node>(spatial);
    if (!node) {
        return;
    }
    // Read past an active physics node's guard: taking its body out of the
    // world and back to look would change the world being measured.
    for (int i = 0; i < node->getChildCount(); ++i) {
        collectModels(node->lum::Node::getChild(i), models);
    }
}

// The blends are written when a model is drawn; here every model writes its
// own, as if all were in view, without the drawing itself.
void frameUpdate(benchmark::State& state) {
    lum::UberLoader::instance().loadLevel("level1");
    std::vector<boost::shared_ptr<lum::Model>> models;
    collectModels(lum::Scene::global().getRoot(), models);
    for (auto _ : state) {
        lum::Scene::global().update(frameTime);
        lum::PhysicsSystem::instance().step(frameTime);
        for (const auto& model : models) {
            model->showReachedFrame();
        }
    }
    models.clear();
    clearScene();
}

void pollEvents(benchmark::State& state) {
    for (auto _ : state) {
        lum::window().pollEvents();
    }
}

void bareGlfwPoll(benchmark::State& state) {
    for (auto _ : state) {
        glfwPollEvents();
    }
}

}  // namespace

BENCHMARK(coldLevelLoad)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(warmLevelLoad)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(frameUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(pollEvents)->Unit(benchmark::kMicrosecond);
BENCHMARK(bareGlfwPoll)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "lum_gl_bench needs an X display (xvfb-run)\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    // Large blocks are mapped and returned the way the game has them.
    lum::keepLargeBlocksApart();
    const std::unique_ptr<lum::Renderer> renderer(new lum::Renderer());
    benchmark::RunSpecifiedBenchmarks();
    clearScene();
    benchmark::Shutdown();
    return 0;
}
