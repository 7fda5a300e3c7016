// libFuzzer entry for the replay reader (--replay FILE): each input is a
// replay file's text, read and checked as the game reads one before it
// starts, then its first clock readings taken. A refused file is a ReplayFileError that
// names the file and its line; anything else (a crash, a sanitizer report,
// a stall or a balloon) is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "replay/ReplayFile.h"

namespace {

const std::string path = "fuzzed.replay";

// Every refusal names the file and a line: "fuzzed.replay:12: ...".
void requireFileAndLine(const std::string& message) {
    const std::size_t digits = path.size() + 1;
    if (message.compare(0, digits, path + ":") != 0 || message.size() <= digits ||
        message[digits] < '1' || message[digits] > '9') {
        std::cerr << "a refusal without its file and line: " << message << "\n";
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        lum::ReplayReader reader = lum::ReplayReader::parse(text, path);
        reader.getHeader().differencesFrom(lum::ReplayHeader());
        // The clock readings at the start, up to whatever the recording has first.
        for (int reading = 0; reading < 4 && !reader.isAtEnd(); ++reading) {
            reader.clock();
        }
        reader.recordedEnding().describe();
    } catch (const lum::ReplayFileError& e) {
        requireFileAndLine(e.getMessage());
    } catch (const lum::ReplayDiverged&) {
    }
    return 0;
}
