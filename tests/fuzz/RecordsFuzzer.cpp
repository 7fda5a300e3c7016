// libFuzzer entry for the records file the game keeps in the player's data
// directory: each input is a "records.cfg" read by Records. A file it
// cannot read is set aside under another name and the records start afresh;
// one it reads is written back after a finished run, and that file must read
// back to the same best, whatever the input held. Anything else (a crash, a
// sanitizer report, a stall or a balloon) is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzScratch.h"
#include "records/Records.h"

namespace {

const char* const levels[] = {"level1", "level2", "level3", "levelX"};

bool sameBest(const lum::Records& written, const lum::Records& read, const char* level) {
    lum::LevelBest before{-1, -1};
    lum::LevelBest after{-1, -1};
    const bool had = written.bestOf(level, before);
    return had == read.bestOf(level, after) &&
           (!had || (before.corn == after.corn && std::abs(before.time - after.time) < 0.001));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::makePlayerFileScratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::freshScratchWith(lum::Records::fileName, data, size);
    lum::Records records(fuzz::scratch());
    records.enter("level2", 61.25, 3);
    const lum::Records again(fuzz::scratch());
    for (const char* const level : levels) {
        if (!sameBest(records, again, level)) {
            fuzz::reportFinding(std::string("the records written for ") + level +
                                " read back otherwise");
        }
    }
    return 0;
}
