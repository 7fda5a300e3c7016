#ifndef GLIMMET_TESTS_SCRIPTEDWINDOWFIXTURE_H
#define GLIMMET_TESTS_SCRIPTEDWINDOWFIXTURE_H

#include <gtest/gtest.h>

#include <memory>

#include "ScriptedWindow.h"
#include "lum/platform/Window.h"

// Installs a fresh scripted window for each test: keys, mouse and clock are
// the test's to set, and nothing needs a display.
class ScriptedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::unique_ptr<lum::ScriptedWindow> scripted(new lum::ScriptedWindow());
        script = scripted.get();
        lum::installWindow(std::move(scripted));
        script->init();
        script->openWindow(1024, 768, 24);
    }

    void TearDown() override { lum::installWindow(nullptr); }

    lum::ScriptedWindow* script = nullptr;
};

#endif
