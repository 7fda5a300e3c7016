// What a level's configuration costs to load, and how much of it goes to
// the check of its keys against the schema. Run from the repository root.
#include <benchmark/benchmark.h>

#include "lum/config/ConfigSchema.h"
#include "lum/resource/ConfigLoader.h"

namespace {

// Parsing alone (prototypes included, positions remembered), as the
// checker does it.
void parseLevel(benchmark::State& state) {
    for (auto _ : state) {
        lum::ResourceLoader& resources = lum::ConfigLoader::instance();
        benchmark::DoNotOptimize(
            lum::loadFile(resources, "level1.cfg", lum::Setting::newGroup(), 0));
    }
}
BENCHMARK(parseLevel)->Unit(benchmark::kMicrosecond);

// The whole load the game does, the check of the keys included.
void loadLevel(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(lum::ConfigLoader::instance().load("level1"));
    }
}
BENCHMARK(loadLevel)->Unit(benchmark::kMicrosecond);

void checkLevelKeys(benchmark::State& state) {
    const lum::Setting level = lum::ConfigLoader::instance().load("level1");
    for (auto _ : state) {
        benchmark::DoNotOptimize(lum::checkAgainstSchema(lum::ConfigDocument::Level, level));
    }
}
BENCHMARK(checkLevelKeys)->Unit(benchmark::kMicrosecond);

}  // namespace
