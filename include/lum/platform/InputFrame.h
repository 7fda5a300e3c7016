#ifndef LUM_PLATFORM_INPUTFRAME_H
#define LUM_PLATFORM_INPUTFRAME_H

#include <array>

#include "lum/platform/Gamepad.h"

namespace lum {

// Key codes as the game knows them: printable keys by their upper-case
// character, special keys from 256 on.
namespace key {
enum Code : int {
    Space = 32,
    Plus = 43,
    Minus = 45,
    Special = 256,
    Escape = Special + 1,
    F1 = Special + 2,  // F1 ... F25 follow in order
    Up = Special + 27,
    Down = Special + 28,
    Left = Special + 29,
    Right = Special + 30,
    Alt = Special + 35,  // either Alt key
    Enter = Special + 38,
    Last = Special + 70
};
constexpr int function(int n) {
    return F1 + n - 1;
}
}  // namespace key

namespace mouse {
enum Button : int { Left = 0, Right = 1 };
}

struct CursorPosition {
    int x;
    int y;
};

struct WindowSize {
    int width;
    int height;

    bool operator==(const WindowSize& other) const {
        return width == other.width && height == other.height;
    }
    bool operator!=(const WindowSize& other) const { return !(*this == other); }
};

// Everything the game reads of its input devices and window, as taken at
// one poll of events: the game asks the frame, never the devices.
struct InputFrame {
    std::array<bool, key::Last + 1> keys{};
    std::array<bool, mouse::Right + 1> buttons{};
    CursorPosition cursor{0, 0};
    int wheel = 0;
    bool open = false;
    WindowSize size{0, 0};
    bool focused = true;
    GamepadState pad;

    bool isKeyDown(int code) const { return code >= 0 && code <= key::Last && keys[code]; }
    // Enter as a choice: with Alt held it switches full screen instead.
    bool choosesWithEnter() const { return isKeyDown(key::Enter) && !isKeyDown(key::Alt); }
    bool isButtonDown(int button) const {
        return button >= mouse::Left && button <= mouse::Right && buttons[button];
    }
};

}  // namespace lum

#endif
