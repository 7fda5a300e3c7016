#ifndef GLIMMET_REPLAYINPUT_H
#define GLIMMET_REPLAYINPUT_H

#include <array>
#include <string>
#include <vector>

#include "lum/platform/Window.h"

namespace lum {

// A number written so that it reads back to the same bits (a hex float).
std::string exactText(double value);
// Reads exactText(), or any number strtod takes; false for anything else.
bool readExact(const std::string& word, double& value);
// The same for a float: false also for a finite number beyond a float's range.
bool readExact(const std::string& word, float& value);

// One part of an input frame: one key, one mouse button, or one of the
// frame's single values.
enum class InputField { Key, Button, Cursor, Wheel, Open, Size, Pad, Focus };

// Which part: the field, and which key or button.
struct InputQuery {
    InputField field;
    int index;
};

// A new value of one part of the input frame. Made from the frames the real
// window took; read back from a replay file's line.
struct InputChange {
    InputQuery query{InputField::Open, 0};
    int first = 0;
    int second = 0;
    GamepadState pad;

    static InputChange key(int code, bool down);
    static InputChange button(int button, bool down);
    static InputChange cursor(CursorPosition position);
    static InputChange wheel(int steps);
    static InputChange open(bool isOpen);
    static InputChange size(WindowSize size);
    static InputChange gamepad(const GamepadState& state);
    static InputChange focus(bool focused);

    void applyTo(InputFrame& frame) const;
    // The words of one change in a replay line ("key 87 1").
    std::string text() const;
    // Reads text(); false when `words` are not one.
    static bool parse(const std::string& words, InputChange& change);
};

// What changed from `before` to `after`, key by key and value by value;
// applied to `before` in turn, they give `after`.
std::vector<InputChange> changesBetween(const InputFrame& before, const InputFrame& after);

}  // namespace lum

#endif
