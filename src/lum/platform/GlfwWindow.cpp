#include "lum/platform/GlfwWindow.h"

#include <GLFW/glfw3.h>

#include <cctype>
#include <chrono>
#include <initializer_list>
#include <thread>

namespace lum {

namespace {

// The pad's buttons and axes are copied across by number.
static_assert(gamepad::ButtonCount == GLFW_GAMEPAD_BUTTON_LAST + 1, "one entry per GLFW button");
static_assert(gamepad::AxisCount == GLFW_GAMEPAD_AXIS_LAST + 1, "one entry per GLFW axis");
static_assert(gamepad::South == GLFW_GAMEPAD_BUTTON_A &&
                  gamepad::Back == GLFW_GAMEPAD_BUTTON_BACK &&
                  gamepad::Start == GLFW_GAMEPAD_BUTTON_START &&
                  gamepad::LeftShoulder == GLFW_GAMEPAD_BUTTON_LEFT_BUMPER &&
                  gamepad::RightShoulder == GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER,
              "buttons numbered as GLFW's gamepad mapping");
static_assert(gamepad::LeftY == GLFW_GAMEPAD_AXIS_LEFT_Y &&
                  gamepad::RightX == GLFW_GAMEPAD_AXIS_RIGHT_X,
              "axes numbered as GLFW's gamepad mapping");

int specialKeyCode(int glfwKey) {
    if (glfwKey >= GLFW_KEY_F1 && glfwKey <= GLFW_KEY_F25) {
        return key::F1 + (glfwKey - GLFW_KEY_F1);
    }
    switch (glfwKey) {
        case GLFW_KEY_ESCAPE:
            return key::Escape;
        case GLFW_KEY_ENTER:
            return key::Enter;
        case GLFW_KEY_KP_ENTER:
            return key::Enter;
        case GLFW_KEY_UP:
            return key::Up;
        case GLFW_KEY_DOWN:
            return key::Down;
        case GLFW_KEY_LEFT:
            return key::Left;
        case GLFW_KEY_RIGHT:
            return key::Right;
        case GLFW_KEY_SPACE:
            return key::Space;
        case GLFW_KEY_LEFT_ALT:
        case GLFW_KEY_RIGHT_ALT:
            return key::Alt;
        case GLFW_KEY_KP_ADD:
            return key::Plus;
        case GLFW_KEY_KP_SUBTRACT:
            return key::Minus;
        default:
            return -1;
    }
}

// Printable keys go by the character they type on the user's layout. The
// key that types "=" also counts as "+", which shares it on most layouts.
int printableKeyCode(int glfwKey, int scancode) {
    const char* name = glfwGetKeyName(glfwKey, scancode);
    int character = (name != nullptr && name[0] != '\0' && name[1] == '\0')
                        ? static_cast<unsigned char>(name[0])
                        : glfwKey;
    if (character == '=') {
        character = key::Plus;
    }
    if (character < key::Space || character >= key::Special) {
        return -1;
    }
    return std::toupper(character);
}

int gameKeyCode(int glfwKey, int scancode) {
    const int special = specialKeyCode(glfwKey);
    return special >= 0 ? special : printableKeyCode(glfwKey, scancode);
}

GlfwWindow& adapterOf(GLFWwindow* handle) {
    return *static_cast<GlfwWindow*>(glfwGetWindowUserPointer(handle));
}

// Windows and sessions that need GLFW now: it starts with the first and
// ends with the last.
int glfwUsers = 0;

bool holdGlfw() {
    if (glfwUsers == 0 && glfwInit() != GLFW_TRUE) {
        return false;
    }
    ++glfwUsers;
    return true;
}

void releaseGlfw() {
    if (--glfwUsers == 0) {
        glfwTerminate();
    }
}

// The pace's clock: it goes on whatever the game sets its own clock to.
double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

GlfwSession::GlfwSession() : holds(holdGlfw()) {}

GlfwSession::~GlfwSession() {
    if (holds) {
        releaseGlfw();
    }
}

bool GlfwSession::started() const {
    return holds;
}

GlfwWindow::GlfwWindow()
    : handle(nullptr),
      initialized(false),
      autoPoll(true),
      wheel(0),
      sizeCallback(nullptr),
      windowed(WindowMode().size),
      windowedAt{0, 0},
      pacer(),
      keys(),
      tapped(),
      tappedBefore() {}

GlfwWindow::~GlfwWindow() {
    terminate();
}

// A window's clock starts at its init, as with a library started afresh.
bool GlfwWindow::init() {
    if (initialized) {
        return true;
    }
    initialized = holdGlfw();
    if (initialized) {
        glfwSetTime(0);
    }
    return initialized;
}

void GlfwWindow::terminate() {
    if (handle != nullptr) {
        glfwDestroyWindow(handle);
    }
    if (initialized) {
        releaseGlfw();
    }
    initialized = false;
    handle = nullptr;
    keys.fill(false);
    tapped.fill(false);
    tappedBefore.fill(false);
    wheel = 0;
    setFrame(InputFrame());
}

bool GlfwWindow::openWindow(int width, int height, int depthBits) {
    windowed = WindowSize{width, height};
    return create(width, height, depthBits, nullptr);
}

// The monitor's current video mode, so that going full screen does not
// switch the display's resolution.
bool GlfwWindow::openFullScreen(int depthBits) {
    if (!initialized) {
        return false;
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr) {
        return Window::openFullScreen(depthBits);
    }
    return create(mode->width, mode->height, depthBits, monitor);
}

bool GlfwWindow::create(int width, int height, int depthBits, GLFWmonitor* monitor) {
    if (!initialized || handle != nullptr) {
        return false;
    }
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_DEPTH_BITS, depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    handle = glfwCreateWindow(width, height, "", monitor, nullptr);
    if (handle == nullptr) {
        return false;
    }
    glfwSetWindowUserPointer(handle, this);
    glfwSetKeyCallback(handle, &GlfwWindow::onKey);
    glfwSetScrollCallback(handle, &GlfwWindow::onScroll);
    glfwSetWindowSizeCallback(handle, &GlfwWindow::onResize);
    glfwMakeContextCurrent(handle);
    setFrame(takeFrame());
    return true;
}

void GlfwWindow::setTitle(const std::string& title) {
    if (handle != nullptr) {
        glfwSetWindowTitle(handle, title.c_str());
    }
}

bool GlfwWindow::isOpen() const {
    return handle != nullptr && !glfwWindowShouldClose(handle);
}

void GlfwWindow::swapBuffers() {
    if (handle == nullptr) {
        return;
    }
    // A software renderer draws the frame inside the swap: finished first,
    // the frame's whole work is behind it when the pacer measures, and the
    // picture shows as the wait ends instead of a varying time after it.
    if (pacer.paces()) {
        glFinish();
    }
    sleep(pacer.waitAt(steadySeconds()));
    glfwSwapBuffers(handle);
    if (autoPoll) {
        pollEvents();
    }
}

// GLFW takes a swap interval whether or not the driver honours it: only
// the extensions tell. Without one (the software renderer) the adapter
// keeps the pace itself.
void GlfwWindow::paceSwaps(int framerate) {
    if (handle == nullptr) {
        return;
    }
    for (const char* const extension : {"GLX_EXT_swap_control", "GLX_MESA_swap_control",
                                        "GLX_SGI_swap_control", "WGL_EXT_swap_control"}) {
        if (glfwExtensionSupported(extension) == GLFW_TRUE) {
            glfwSwapInterval(1);
            pacer = FramePacer();
            return;
        }
    }
    pacer = FramePacer(FramePacer::intervalFor(framerate));
}

void GlfwWindow::pollEvents() {
    if (initialized) {
        tappedBefore = tapped;
        tapped.fill(false);
        glfwPollEvents();
        setFrame(takeFrame());
    }
}

// A key pressed and released between two polls still counts as down until
// the second poll after it: a game pass polls twice (input at its start, the
// level events later), so every check of the pass sees a quick tap.
InputFrame GlfwWindow::takeFrame() const {
    InputFrame taken;
    for (int code = 0; code <= key::Last; ++code) {
        taken.keys[code] = keys[code] || tapped[code] || tappedBefore[code];
    }
    taken.open = isOpen();
    taken.wheel = static_cast<int>(wheel);
    taken.pad = readGamepad();
    if (handle == nullptr) {
        taken.focused = false;
        return taken;
    }
    for (int button = mouse::Left; button <= mouse::Right; ++button) {
        taken.buttons[button] = glfwGetMouseButton(handle, button) == GLFW_PRESS;
    }
    double x = 0;
    double y = 0;
    glfwGetCursorPos(handle, &x, &y);
    taken.cursor = CursorPosition{static_cast<int>(x), static_cast<int>(y)};
    glfwGetWindowSize(handle, &taken.size.width, &taken.size.height);
    taken.focused = glfwGetWindowAttrib(handle, GLFW_FOCUSED) == GLFW_TRUE;
    return taken;
}

// Read afresh at every poll: a pad plugged in shows up at the next poll,
// and one pulled out leaves nothing held behind.
GamepadState GlfwWindow::readGamepad() {
    GamepadState pad;
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick) {
        GLFWgamepadstate state;
        if (glfwJoystickIsGamepad(joystick) == GLFW_TRUE &&
            glfwGetGamepadState(joystick, &state) == GLFW_TRUE) {
            pad.connected = true;
            for (int button = 0; button < gamepad::ButtonCount; ++button) {
                pad.buttons[button] = state.buttons[button] == GLFW_PRESS;
            }
            for (int axis = 0; axis < gamepad::AxisCount; ++axis) {
                pad.axes[axis] = state.axes[axis];
            }
            return pad;
        }
    }
    return pad;
}

void GlfwWindow::setAutoPollEvents(bool enabled) {
    autoPoll = enabled;
}

void GlfwWindow::sleep(double seconds) {
    if (seconds > 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
}

double GlfwWindow::getTime() const {
    return initialized ? glfwGetTime() : 0.0;
}

void GlfwWindow::setTime(double seconds) {
    if (initialized) {
        glfwSetTime(seconds);
    }
}

void GlfwWindow::setCursorVisible(bool visible) {
    if (handle != nullptr) {
        glfwSetInputMode(handle, GLFW_CURSOR, visible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED);
    }
}

void GlfwWindow::setSizeCallback(SizeCallback callback) {
    sizeCallback = callback;
}

void GlfwWindow::setFullScreen(bool on) {
    if (handle == nullptr || on == isFullScreen()) {
        return;
    }
    if (!on) {
        glfwSetWindowMonitor(handle, nullptr, windowedAt.x, windowedAt.y, windowed.width,
                             windowed.height, GLFW_DONT_CARE);
        return;
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode != nullptr) {
        glfwGetWindowPos(handle, &windowedAt.x, &windowedAt.y);
        glfwSetWindowMonitor(handle, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    }
}

bool GlfwWindow::isFullScreen() const {
    return handle != nullptr && glfwGetWindowMonitor(handle) != nullptr;
}

void GlfwWindow::setWindowedSize(WindowSize size) {
    windowed = size;
    if (handle != nullptr && !isFullScreen()) {
        glfwSetWindowSize(handle, size.width, size.height);
    }
}

// Without a monitor GLFW knows of, any size the game allows may be asked.
WindowSize GlfwWindow::screenSize() const {
    GLFWmonitor* monitor = initialized ? glfwGetPrimaryMonitor() : nullptr;
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr) {
        return WindowSize{largestWindowSide, largestWindowSide};
    }
    return WindowSize{mode->width, mode->height};
}

void GlfwWindow::setKey(int code, bool down) {
    if (code >= 0 && code <= key::Last) {
        keys[code] = down;
        tapped[code] = tapped[code] || down;
    }
}

void GlfwWindow::onKey(GLFWwindow* handle, int glfwKey, int scancode, int action, int) {
    if (action == GLFW_REPEAT) {
        return;
    }
    adapterOf(handle).setKey(gameKeyCode(glfwKey, scancode), action == GLFW_PRESS);
}

void GlfwWindow::onScroll(GLFWwindow* handle, double, double yOffset) {
    adapterOf(handle).wheel += yOffset;
}

void GlfwWindow::onResize(GLFWwindow* handle, int width, int height) {
    const SizeCallback callback = adapterOf(handle).sizeCallback;
    if (callback != nullptr) {
        callback(width, height);
    }
}

}  // namespace lum
