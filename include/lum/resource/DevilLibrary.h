#ifndef LUM_RESOURCE_DEVILLIBRARY_H
#define LUM_RESOURCE_DEVILLIBRARY_H

#include <IL/il.h>

#include <string>

namespace lum {

// DevIL's functions the texture loader calls, from the library opened the
// first time an image needs it. The game's own images never do
// (decodePlainTarga), and DevIL, with the dozen image libraries it links,
// adds some 3 ms of loading and linking to every start of the program.
struct DevilLibrary {
    decltype(&ilInit) init;
    decltype(&ilGenImages) genImages;
    decltype(&ilBindImage) bindImage;
    decltype(&ilDeleteImages) deleteImages;
    decltype(&ilGetError) getError;
    decltype(&ilLoadL) loadL;
    decltype(&ilConvertImage) convertImage;
    decltype(&ilGetInteger) getInteger;
    decltype(&ilGetData) getData;
    decltype(&ilGetPalette) getPalette;

    // Opens and initialises DevIL the first time; when it cannot be opened
    // or lacks a function, an IOException "Loading of texture file
    // <imagePath> failed: ..." names the library and the reason.
    static const DevilLibrary& open(const std::string& imagePath);
};

}  // namespace lum

#endif
