// libFuzzer entry for a whole level: each input is a level's configuration
// file, built as the game builds one (the scene loader fills the scene and
// the physics world, the camera and the player join it), then stepped a
// few times and passed through each level's events. The game's own data
// serves the models, shaders, textures and sounds the level names; OpenGL
// is the stand-in of GlStandIn.cpp and the window a scripted one.
//
// A level the game refuses ends with one message. The configuration language's fatal
// diagnostics (which end the game with status 1) become exceptions here, as
// in the configuration fuzzer. Anything else (a crash, a sanitizer report, a
// stall or a balloon) is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include <boost/filesystem/operations.hpp>

#include "FuzzScratch.h"
#include "PixelReadingStandIn.h"
#include "ScriptedWindow.h"
#include "flow/Levels.h"
#include "lum/config/Diagnostics.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/render/Renderer.h"
#include "lum/resource/TextureLoader.h"
#include "lum/scene/Node.h"
#include "lum/scene/Scene.h"
#include "lum/util/Exception.h"

namespace {

namespace fs = boost::filesystem;

const char* const levelName = "fuzzed";
const char* const levelFile = "fuzzed.cfg";
const int stepsPerLevel = 10;
const double step = 1.0 / 60.0;
// The number the fuzzed level plays under; its events are its file's own.
const int fuzzedLevel = 3;

class Refused : public lum::Exception {
public:
    using Exception::Exception;
};

void refuseOnFatal(const lum::Diagnostic& diagnostic) {
    if (diagnostic.kind == lum::DiagnosticKind::Fatal) {
        throw Refused(diagnostic.message);
    }
}

// The game's data without its levels, in the scratch directory, which
// becomes the working directory as the game's data directory is.
void copyGameData(const fs::path& from, const fs::path& to) {
    for (fs::recursive_directory_iterator each(from), end; each != end; ++each) {
        const fs::path relative = fs::relative(each->path(), from);
        if (*relative.begin() == "levels") {
            continue;
        }
        if (fs::is_directory(each->path())) {
            fs::create_directories(to / relative);
        } else {
            fs::copy_file(each->path(), to / relative, fs::copy_option::overwrite_if_exists);
        }
    }
    fs::create_directories(to / "levels");
}

// A refusal says what is wrong.
void requireMessage(const std::string& message) {
    if (message.empty()) {
        std::cerr.clear();
        std::cerr << "a refusal without a message\n";
        std::abort();
    }
}

std::unique_ptr<lum::Levels>& levels() {
    static std::unique_ptr<lum::Levels> kept;
    return kept;
}

// Whether a rule of the level can finish it: its end screen waits for a key
// that no input here presses.
bool canFinish(const lum::LevelScript& script) {
    for (const lum::Rule& rule : script.events) {
        for (const lum::Action& action : rule.actions) {
            if (action.kind == lum::ActionKind::Finish) {
                return true;
            }
        }
    }
    return false;
}

// The level's events, with the names they look for missing or not.
void runTheLevelsEvents() {
    if (canFinish(levels()->getScript())) {
        return;
    }
    try {
        levels()->runEvents();
    } catch (const lum::Exception&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const fs::path gameData = fs::current_path() / "resources";
    fuzz::makeScratch();
    copyGameData(gameData, fuzz::scratch() / "resources");
    fs::current_path(fuzz::scratch());
    setenv("ALSOFT_DRIVERS", "null", 1);
    // The loaders tell of every object they build.
    std::cout.setstate(std::ios::badbit);
    std::cerr.setstate(std::ios::badbit);
    lum::setDiagnosticHandler(&refuseOnFatal);
    lum::TextureLoader::setPixelUpload(&readPixelsLikeOpenGL);
    lum::installWindow(std::unique_ptr<lum::Window>(new lum::ScriptedWindow()));
    new lum::Renderer(lum::WindowMode());
    levels().reset(new lum::Levels());
    // The player, the shaders and the caches are made once, before the first
    // input: each input then has its level built within the time limit.
    const char* const firstLevel = "scene = ( Light { } );";
    fuzz::writeInput(std::string("resources/levels/") + levelFile,
                     reinterpret_cast<const std::uint8_t*>(firstLevel), std::strlen(firstLevel));
    levels()->setCurrentLevel(fuzzedLevel);
    levels()->setupScene(levelName);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeInput(std::string("resources/levels/") + levelFile, data, size);
    levels()->setCurrentLevel(fuzzedLevel);
    try {
        levels()->resetScene(levelName);
    } catch (const lum::Exception& e) {
        requireMessage(e.getMessage());
        lum::Scene::global().getRoot()->removeAllChildren();
        return 0;
    }
    for (int i = 0; i < stepsPerLevel; ++i) {
        lum::Scene::global().update(step);
        lum::PhysicsSystem::instance().step(step);
    }
    runTheLevelsEvents();
    lum::Scene::global().getRoot()->removeAllChildren();
    return 0;
}
