// What a designer's --watch costs the game: one look at the modification
// times of every configuration file of the data, four times a second, and
// the check of the game's levels when it starts. Run from the repository root.
#include <benchmark/benchmark.h>

#include "flow/LevelCatalogue.h"
#include "flow/LevelWatch.h"

namespace {

void lookAtTheDatasFiles(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(lum::stampsOf({"resources"}, {"resources/levels/level1.cfg"}));
    }
}
BENCHMARK(lookAtTheDatasFiles)->Unit(benchmark::kMicrosecond);

void findAndCheckTheLevels(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(lum::LevelCatalogue::find(""));
    }
}
BENCHMARK(findAndCheckTheLevels)->Unit(benchmark::kMillisecond);

}  // namespace
