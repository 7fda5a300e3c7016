// libFuzzer entry for the MD2 decoder: each input is a model file's bytes.
// A refused file is an IOException; anything else (a crash, a sanitizer
// report, a stall past -timeout or a balloon past -rss_limit_mb) is a finding.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include <boost/shared_array.hpp>

#include "lum/resource/ModelLoader.h"
#include "lum/util/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An array of exactly the input's size, so that any read past it is seen.
    boost::shared_array<unsigned char> bytes(new unsigned char[size == 0 ? 1 : size]);
    if (size > 0) {
        std::memcpy(bytes.get(), data, size);
    }
    try {
        const lum::ModelData model = lum::ModelLoader::instance().decode("fuzz", bytes, size);
        volatile float sum = 0;
        for (int i = 0; i < model.vertexCount; ++i) {
            sum = sum + model.vertices[i].vertex[0] + model.vertices[i].normal[1];
        }
    } catch (const lum::IOException&) {
    }
    return 0;
}
