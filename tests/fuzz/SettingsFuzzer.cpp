// libFuzzer entry for the options file the game keeps in the player's
// configuration directory: each input is a "settings.cfg" read by
// UserSettings over the game's defaults. A file it cannot read is set aside
// and the options start afresh; whatever it read is written back when the
// player changes an option, and that file must read back to the same
// options. Anything else (a crash, a sanitizer report, a stall or a
// balloon) is a finding.

#include <cstddef>
#include <cstdint>

#include "FuzzScratch.h"
#include "lum/PlayerOptions.h"
#include "records/UserSettings.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::makePlayerFileScratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::freshScratchWith(lum::UserSettings::fileName, data, size);
    lum::PlayerOptions read;
    lum::UserSettings kept(fuzz::scratch());
    kept.readInto(read);
    kept.save(read);
    lum::PlayerOptions again;
    lum::UserSettings(fuzz::scratch()).readInto(again);
    if (lum::UserSettings::text(read) != lum::UserSettings::text(again)) {
        fuzz::reportFinding("the options written read back otherwise");
    }
    return 0;
}
