// libFuzzer entry for the records file the game keeps in the player's data
// directory: each input is a "records.cfg" read by Records. A file it
// cannot read is set aside under another name and the records start afresh;
// one it reads is written back after a finished run, and that file must read
// back to the same best, whatever the input held. Anything else (a crash, a
// sanitizer report, a stall or a balloon) is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>

#include <boost/filesystem/operations.hpp>

#include "FuzzScratch.h"
#include "records/Records.h"

namespace {

namespace fs = boost::filesystem;

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
    // Each write syncs its file and directory: on a disk that is some
    // milliseconds a run, in memory nothing.
    if (fs::is_directory("/dev/shm")) {
        setenv("TMPDIR", "/dev/shm", 1);
    }
    fuzz::makeScratch();
    // Every damaged input is told on standard error, as the game would.
    std::cerr.setstate(std::ios::badbit);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fs::remove_all(fuzz::scratch());
    fs::create_directories(fuzz::scratch());
    fuzz::writeInput(lum::Records::fileName, data, size);
    lum::Records records(fuzz::scratch());
    records.enter("level2", 61.25, 3);
    const lum::Records again(fuzz::scratch());
    for (const char* const level : levels) {
        if (!sameBest(records, again, level)) {
            std::cerr.clear();
            std::cerr << "the records written for " << level << " read back otherwise\n";
            std::abort();
        }
    }
    return 0;
}
