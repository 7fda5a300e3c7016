#include "lum/resource/DevilLibrary.h"

#include <dlfcn.h>

#include <string>

#include "lum/resource/TargaHeader.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// The library's name in the ABI the game was built against.
const char* const libraryName = "libIL.so.1";

std::string lastError() {
    const char* const error = dlerror();
    return error != nullptr ? error : "unknown error";
}

template <typename Function>
void resolve(void* library, const std::string& imagePath, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr) {
        throw IOException(textureFailure(imagePath, std::string("DevIL (") + libraryName +
                                                        ") has no " + name + ": " + lastError()));
    }
}

DevilLibrary openLibrary(const std::string& imagePath) {
    LUM_TRACE_BEGIN
    // Never closed: DevIL keeps its state until the program ends.
    void* const library = dlopen(libraryName, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        throw IOException(textureFailure(imagePath, std::string("DevIL (") + libraryName +
                                                        ") could not be opened: " + lastError()));
    }
    DevilLibrary devil;
    resolve(library, imagePath, "ilInit", devil.init);
    resolve(library, imagePath, "ilGenImages", devil.genImages);
    resolve(library, imagePath, "ilBindImage", devil.bindImage);
    resolve(library, imagePath, "ilDeleteImages", devil.deleteImages);
    resolve(library, imagePath, "ilGetError", devil.getError);
    resolve(library, imagePath, "ilLoadL", devil.loadL);
    resolve(library, imagePath, "ilConvertImage", devil.convertImage);
    resolve(library, imagePath, "ilGetInteger", devil.getInteger);
    resolve(library, imagePath, "ilGetData", devil.getData);
    resolve(library, imagePath, "ilGetPalette", devil.getPalette);
    devil.init();
    return devil;
    LUM_TRACE_END
}

}  // namespace

const DevilLibrary& DevilLibrary::open(const std::string& imagePath) {
    LUM_TRACE_BEGIN
    static const DevilLibrary devil = openLibrary(imagePath);
    return devil;
    LUM_TRACE_END
}

}  // namespace lum
