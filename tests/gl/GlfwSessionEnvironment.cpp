#include <gtest/gtest.h>

#include <memory>

#include "lum/platform/GlfwWindow.h"

namespace {

// One start of GLFW for the whole test program: every test's renderer still
// opens and closes a window of its own, but the library's start (the display
// connection, the input method) is paid once rather than once a window.
class GlfwSessionEnvironment : public ::testing::Environment {
public:
    void SetUp() override { session.reset(new lum::GlfwSession()); }
    void TearDown() override { session.reset(); }

private:
    std::unique_ptr<lum::GlfwSession> session;
};

::testing::Environment* const glfwSession =
    ::testing::AddGlobalTestEnvironment(new GlfwSessionEnvironment);

}  // namespace
