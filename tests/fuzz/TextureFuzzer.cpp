// libFuzzer entry for the texture loader: each input is a "<name>.tga" file
// loaded through TextureLoader::load. There is no OpenGL context; the one
// call that reads the pixels is replaced by a stand-in that reads them the
// way glTexImage2D would, so an image smaller than it claims is an error.

#include <cstddef>
#include <cstdint>

#include "FuzzScratch.h"
#include "PixelReadingStandIn.h"
#include "lum/resource/TextureLoader.h"
#include "lum/util/Exception.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::makeScratch();
    lum::TextureLoader::instance().addResourceLocation(fuzz::scratch());
    lum::TextureLoader::setPixelUpload(&readPixelsLikeOpenGL);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeInput("fuzzed-input.tga", data, size);
    try {
        lum::TextureLoader::instance().load("fuzzed-input");
    } catch (const lum::IOException&) {
    }
    lum::TextureLoader::instance().clearCache();
    return 0;
}
