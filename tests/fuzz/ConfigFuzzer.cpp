// libFuzzer entry for the configuration language. Each input is loaded as a
// configuration file the way the game loads one, with a "prototypes.cfg" and
// a library to include beside it, and the value model then walks the result.
//
// The fatal diagnostics end the game with status 1 by design; here a handler
// turns them into an exception instead, so that they are not taken for
// crashes and the fuzzer does not need a process per input. The game never
// installs such a handler, and the parser never goes on after a fatal
// diagnostic either way.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <boost/filesystem.hpp>

#include "lum/config/ConfigSchema.h"
#include "lum/config/Diagnostics.h"
#include "lum/config/Setting.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/util/Exception.h"

namespace {

namespace fs = boost::filesystem;

struct FatalDiagnostic {};

void stopOnFatal(const lum::Diagnostic& diagnostic) {
    if (diagnostic.kind == lum::DiagnosticKind::Fatal) {
        throw FatalDiagnostic();
    }
}

fs::path& scratch() {
    static fs::path directory;
    return directory;
}

void removeScratch() {
    boost::system::error_code ignored;
    fs::remove_all(scratch(), ignored);
}

void write(const std::string& path, const char* data, std::size_t size) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(data, static_cast<std::streamsize>(size));
}

void write(const std::string& path, const std::string& text) {
    write(path, text.data(), text.size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    scratch() = fs::temp_directory_path() / fs::unique_path("glimmet-fuzz-%%%%-%%%%-%%%%");
    fs::create_directories(scratch() / "resources" / "lib");
    std::atexit(&removeScratch);
    fs::current_path(scratch());
    write("resources/prototypes.cfg",
          "Base = { speed = 2; type = \"Thing\" };\nLight = Base { color = (1, 1, 1) }\n");
    write("resources/lib/shapes.cfg", "Box = { size = [1, 1, 1] }; Ball = Base { radius = .5 }\n");
    lum::setDiagnosticHandler(&stopOnFatal);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    write("resources/input.cfg", reinterpret_cast<const char*>(data), size);
    try {
        lum::ResourceLoader resources("resources");
        const lum::Setting result =
            lum::loadFile(resources, "input.cfg", lum::Setting::newGroup(), 0);
        std::ostringstream out;
        result.streamTo(out);
        out << result.typeName() << result.hash() << result.equals(result);
        // The key check walks whatever the parser built, as the checker does.
        for (const lum::ConfigDocument document :
             {lum::ConfigDocument::Level, lum::ConfigDocument::SceneObject,
              lum::ConfigDocument::Prototypes, lum::ConfigDocument::Player}) {
            out << lum::checkAgainstSchema(document, result).size();
        }
    } catch (const lum::Exception&) {
    } catch (const FatalDiagnostic&) {
    }
    return 0;
}
