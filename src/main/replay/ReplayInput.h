#ifndef GLIMMET_REPLAYINPUT_H
#define GLIMMET_REPLAYINPUT_H

#include <array>
#include <map>
#include <string>
#include <utility>

#include "lum/platform/Window.h"

namespace lum {

// A number written so that it reads back to the same bits (a hex float).
std::string exactText(double value);
// Reads exactText(), or any number strtod takes; false for anything else.
bool readExact(const std::string& word, double& value);
// The same for a float: false also for a finite number beyond a float's range.
bool readExact(const std::string& word, float& value);

// What the game asks its window about input: one key, one mouse button, or
// one of the window's single answers.
enum class InputField { Key, Button, Cursor, Wheel, Open, Size, Pad };

// One question the game asks: the field, and which key or button.
struct InputQuery {
    InputField field;
    int index;

    bool operator<(const InputQuery& other) const {
        return std::make_pair(field, index) < std::make_pair(other.field, other.index);
    }
};

// Every answer a replay gives, as they stand at one moment.
struct InputState {
    std::array<bool, key::Last + 1> keys{};
    std::array<bool, mouse::Right + 1> buttons{};
    CursorPosition cursor{0, 0};
    int wheel = 0;
    // The game asks only once its window is open.
    bool open = true;
    WindowSize size{0, 0};
    GamepadState pad;
};

// A new answer to one question. Made from what the real window answered;
// read back from a replay file's line.
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

    // Whether `state` already gives this answer.
    bool holdsIn(const InputState& state) const;
    void applyTo(InputState& state) const;
    // The words of a replay line after the query count ("key 87 1").
    std::string text() const;
    // Reads text(); false when `words` are not one.
    static bool parse(const std::string& words, InputChange& change);
};

// Counts the questions about each field since the last line of a replay, so
// that a changed answer is given at the same question on replay as when it
// was recorded, however often the game asks about anything else.
class QueryCounter {
public:
    // The number of this question about `query` since the last line.
    int count(const InputQuery& query);
    int asked(const InputQuery& query) const;
    // A line was written or read: counting starts again.
    void restart();

private:
    std::map<InputQuery, int> counts;
};

}  // namespace lum

#endif
