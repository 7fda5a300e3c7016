// libFuzzer entry for the sound loader's Ogg Vorbis decoding: each input is
// a sound file. A refused file is an IOException (the game then plays that
// sound silently); anything else is a finding.

#include <cstddef>
#include <cstdint>

#include "FuzzScratch.h"
#include "lum/resource/SoundLoader.h"
#include "lum/util/Exception.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::makeScratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeInput("input.ogg", data, size);
    try {
        lum::decodeOggVorbis(path);
    } catch (const lum::IOException&) {
    }
    return 0;
}
