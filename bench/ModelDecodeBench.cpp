// How long a level's load spends decoding its meshes: one animated model of
// typical size (a few hundred triangles, a few dozen key frames).
#include <benchmark/benchmark.h>

#include <cmath>

#include "Md2Builder.h"
#include "lum/resource/ModelLoader.h"

namespace {

Md2Builder animatedGrid(int side, int frames) {
    Md2Builder md2;
    md2.texCoords = {{{0, 0}}, {{32, 0}}, {{0, 16}}};
    for (int f = 0; f < frames; ++f) {
        Md2Builder::Frame frame{{0.1f, 0.1f, 0.1f}, {-12.8f, 0, -12.8f}, {}};
        for (int z = 0; z < side; ++z) {
            for (int x = 0; x < side; ++x) {
                const int height = static_cast<int>(128 + 100 * std::sin(0.3 * (x + z + f)));
                frame.vertices.push_back({{std::uint8_t(x * 255 / side), std::uint8_t(height),
                                           std::uint8_t(z * 255 / side)}});
            }
        }
        md2.frames.push_back(frame);
    }
    for (int z = 0; z + 1 < side; ++z) {
        for (int x = 0; x + 1 < side; ++x) {
            const std::int16_t a = static_cast<std::int16_t>(z * side + x);
            const std::int16_t b = static_cast<std::int16_t>(a + 1);
            const std::int16_t c = static_cast<std::int16_t>(a + side);
            md2.triangles.push_back({{a, b, c}, {0, 1, 2}});
            md2.triangles.push_back({{b, static_cast<std::int16_t>(c + 1), c}, {1, 2, 0}});
        }
    }
    return md2;
}

void decodeAnimatedModel(benchmark::State& state) {
    const std::vector<unsigned char> file =
        animatedGrid(16, static_cast<int>(state.range(0))).build();
    const auto bytes = Md2Builder::toArray(file);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lum::ModelLoader::instance().decode("grid", bytes, file.size()));
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * file.size());
}

}  // namespace

BENCHMARK(decodeAnimatedModel)->Arg(1)->Arg(40);
