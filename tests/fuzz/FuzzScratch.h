#ifndef GLIMMET_FUZZ_FUZZSCRATCH_H
#define GLIMMET_FUZZ_FUZZSCRATCH_H

// A scratch directory for one fuzzer process, removed at exit, and a way to
// put each input into a file there: the loaders read files by name.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include <boost/filesystem.hpp>

namespace fuzz {

inline boost::filesystem::path& scratch() {
    static boost::filesystem::path directory;
    return directory;
}

inline void removeScratch() {
    boost::system::error_code ignored;
    boost::filesystem::remove_all(scratch(), ignored);
}

inline void makeScratch() {
    scratch() = boost::filesystem::temp_directory_path() /
                boost::filesystem::unique_path("glimmet-fuzz-%%%%-%%%%-%%%%");
    boost::filesystem::create_directories(scratch());
    std::atexit(&removeScratch);
}

// Writes the input to `name` in the scratch directory and returns its path.
inline std::string writeInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = (scratch() / name).string();
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

// The scratch directory for a reader of a file the game keeps for the
// player (the records, the options). Each write syncs its file and
// directory: on a disk that is some milliseconds a run, in memory nothing.
// Every damaged input is told on standard error, as the game would: the
// fuzzer keeps it quiet until a finding.
inline void makePlayerFileScratch() {
    if (boost::filesystem::is_directory("/dev/shm")) {
        setenv("TMPDIR", "/dev/shm", 1);
    }
    makeScratch();
    std::cerr.setstate(std::ios::badbit);
}

// An empty scratch directory but for the input, as the file `name`.
inline void freshScratchWith(const std::string& name, const std::uint8_t* data, std::size_t size) {
    boost::filesystem::remove_all(scratch());
    boost::filesystem::create_directories(scratch());
    writeInput(name, data, size);
}

// A finding of a player's file reader: told, and the input kept by libFuzzer.
[[noreturn]] inline void reportFinding(const std::string& what) {
    std::cerr.clear();
    std::cerr << what << "\n";
    std::abort();
}

}  // namespace fuzz

#endif
