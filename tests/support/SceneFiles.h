#ifndef GLIMMET_TESTS_SCENEFILES_H
#define GLIMMET_TESTS_SCENEFILES_H

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <functional>
#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "lum/util/Exception.h"

// A temporary working directory for the scene loader: "prototypes.cfg" with
// the kinds the tests instantiate, an empty "settings.cfg", and whatever
// levels and object files a test writes below "resources/".
class SceneFiles : public lum::test::TempResources {
public:
    SceneFiles() {
        writeResource(
            "prototypes.cfg",
            "Model = { material = { ambient = (0.1, 0.2, 0.3, 1); diffuse = (0.4, 0.5, 0.6, 1);"
            " specular = (0.7, 0.8, 0.9, 1); shininess = 16 } };\n"
            "redcube = Model { };\n"
            "Box = { size = (1, 1, 1) };\n"
            "Node = { };\n"
            "Light = { };\n"
            "Physics = { };\n");
        writeResource("settings.cfg", "");
    }

    // Makes the game's own shaders, textures and models, found below
    // `gameResources`, available here too.
    void linkGameAssets(const boost::filesystem::path& gameResources) const {
        for (const char* const kind : {"shaders", "textures", "models"}) {
            boost::filesystem::create_directory_symlink(
                gameResources / kind, boost::filesystem::path("resources") / kind);
        }
    }

    // A level "level" whose scene list holds `objects`.
    void writeLevel(const std::string& objects) const {
        writeResource("level.cfg", "scene = (" + objects + ");\n");
    }
};

// What a load wrote to standard output and standard error, and the message
// of the game's exception that ended it (empty when it succeeded).
struct LoadReport {
    std::string out;
    std::string err;
    std::string failure;
};

inline LoadReport reportOf(const std::function<void()>& load) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    LoadReport report;
    try {
        load();
    } catch (const lum::Exception& e) {
        report.failure = e.getMessage();
    }
    report.out = ::testing::internal::GetCapturedStdout();
    report.err = ::testing::internal::GetCapturedStderr();
    return report;
}

#endif
