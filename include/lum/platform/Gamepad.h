#ifndef LUM_PLATFORM_GAMEPAD_H
#define LUM_PLATFORM_GAMEPAD_H

#include <array>

namespace lum {

// A gamepad in the standard layout (an Xbox-style pad): buttons and axes are
// numbered as GLFW's gamepad mapping numbers them, so the adapter copies them
// across unchanged.
namespace gamepad {
enum Button : int {
    South = 0,  // A
    East = 1,   // B
    West = 2,   // X
    North = 3,  // Y
    LeftShoulder = 4,
    RightShoulder = 5,
    Back = 6,
    Start = 7,
    Guide = 8,
    LeftThumb = 9,
    RightThumb = 10,
    DpadUp = 11,
    DpadRight = 12,
    DpadDown = 13,
    DpadLeft = 14,
    ButtonCount = 15
};

// Sticks run from -1 to 1, right and down positive; triggers from -1
// (released) to 1.
enum Axis : int {
    LeftX = 0,
    LeftY = 1,
    RightX = 2,
    RightY = 3,
    LeftTrigger = 4,
    RightTrigger = 5,
    AxisCount = 6
};
}  // namespace gamepad

// What one gamepad holds at one moment. A pad that is not plugged in holds
// nothing: no button down, every axis at rest.
struct GamepadState {
    bool connected = false;
    std::array<bool, gamepad::ButtonCount> buttons{};
    std::array<float, gamepad::AxisCount> axes{};

    bool isDown(gamepad::Button button) const { return connected && buttons[button]; }
    float axis(gamepad::Axis which) const { return connected ? axes[which] : 0.0f; }
    bool operator==(const GamepadState& other) const {
        return connected == other.connected && buttons == other.buttons && axes == other.axes;
    }
};

}  // namespace lum

#endif
