#include "replay/ReplayInput.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace lum {

namespace {

const char* const fieldNames[] = {"key",  "button", "cursor", "wheel",
                                  "open", "size",   "pad",    "focus"};
const int fieldCount = sizeof fieldNames / sizeof fieldNames[0];

bool readField(const std::string& word, InputField& field) {
    for (int each = 0; each < fieldCount; ++each) {
        if (word == fieldNames[each]) {
            field = static_cast<InputField>(each);
            return true;
        }
    }
    return false;
}

bool isFlag(int value) {
    return value == 0 || value == 1;
}

bool inRange(int value, int low, int high) {
    return low <= value && value <= high;
}

std::string padText(const GamepadState& pad) {
    if (!pad.connected) {
        return "0";
    }
    std::string text = "1 ";
    for (const bool down : pad.buttons) {
        text += down ? '1' : '0';
    }
    for (const float axis : pad.axes) {
        text += ' ' + exactText(axis);
    }
    return text;
}

bool readPad(std::istream& in, GamepadState& pad) {
    int connected = -1;
    if (!(in >> connected) || !isFlag(connected)) {
        return false;
    }
    pad = GamepadState();
    if (connected == 0) {
        return true;
    }
    pad.connected = true;
    std::string buttons;
    if (!(in >> buttons) || buttons.size() != pad.buttons.size() ||
        buttons.find_first_not_of("01") != std::string::npos) {
        return false;
    }
    for (std::size_t each = 0; each < buttons.size(); ++each) {
        pad.buttons[each] = buttons[each] == '1';
    }
    for (float& axis : pad.axes) {
        std::string word;
        if (!(in >> word) || !readExact(word, axis)) {
            return false;
        }
    }
    return true;
}

InputChange changeOf(InputField field, int index, int first, int second = 0) {
    InputChange change;
    change.query = {field, index};
    change.first = first;
    change.second = second;
    return change;
}

}  // namespace

std::string exactText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

bool readExact(const std::string& word, double& value) {
    if (word.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return end == word.c_str() + word.size();
}

bool readExact(const std::string& word, float& value) {
    double wide = 0;
    if (!readExact(word, wide) ||
        (std::isfinite(wide) && std::abs(wide) > std::numeric_limits<float>::max())) {
        return false;
    }
    value = static_cast<float>(wide);
    return true;
}

InputChange InputChange::key(int code, bool down) {
    return changeOf(InputField::Key, code, down);
}

InputChange InputChange::button(int button, bool down) {
    return changeOf(InputField::Button, button, down);
}

InputChange InputChange::cursor(CursorPosition position) {
    return changeOf(InputField::Cursor, 0, position.x, position.y);
}

InputChange InputChange::wheel(int steps) {
    return changeOf(InputField::Wheel, 0, steps);
}

InputChange InputChange::open(bool isOpen) {
    return changeOf(InputField::Open, 0, isOpen);
}

InputChange InputChange::size(WindowSize size) {
    return changeOf(InputField::Size, 0, size.width, size.height);
}

InputChange InputChange::focus(bool focused) {
    return changeOf(InputField::Focus, 0, focused);
}

InputChange InputChange::gamepad(const GamepadState& state) {
    InputChange change = changeOf(InputField::Pad, 0, 0);
    change.pad = state;
    return change;
}

void InputChange::applyTo(InputFrame& state) const {
    switch (query.field) {
        case InputField::Key:
            state.keys[query.index] = first != 0;
            break;
        case InputField::Button:
            state.buttons[query.index] = first != 0;
            break;
        case InputField::Cursor:
            state.cursor = CursorPosition{first, second};
            break;
        case InputField::Wheel:
            state.wheel = first;
            break;
        case InputField::Open:
            state.open = first != 0;
            break;
        case InputField::Size:
            state.size = WindowSize{first, second};
            break;
        case InputField::Pad:
            state.pad = pad;
            break;
        case InputField::Focus:
            state.focused = first != 0;
            break;
    }
}

std::string InputChange::text() const {
    std::ostringstream out;
    out << fieldNames[static_cast<int>(query.field)];
    switch (query.field) {
        case InputField::Key:
        case InputField::Button:
            out << ' ' << query.index << ' ' << first;
            break;
        case InputField::Cursor:
        case InputField::Size:
            out << ' ' << first << ' ' << second;
            break;
        case InputField::Wheel:
        case InputField::Open:
        case InputField::Focus:
            out << ' ' << first;
            break;
        case InputField::Pad:
            out << ' ' << padText(pad);
            break;
    }
    return out.str();
}

bool InputChange::parse(const std::string& words, InputChange& change) {
    std::istringstream in(words);
    std::string name;
    change = InputChange();
    if (!(in >> name) || !readField(name, change.query.field)) {
        return false;
    }
    bool read = false;
    switch (change.query.field) {
        case InputField::Key:
            read = in >> change.query.index >> change.first &&
                   inRange(change.query.index, 0, key::Last) && isFlag(change.first);
            break;
        case InputField::Button:
            read = in >> change.query.index >> change.first &&
                   inRange(change.query.index, 0, mouse::Right) && isFlag(change.first);
            break;
        case InputField::Cursor:
            read = static_cast<bool>(in >> change.first >> change.second);
            break;
        case InputField::Size:
            read = in >> change.first >> change.second && change.first >= 0 && change.second >= 0;
            break;
        case InputField::Wheel:
            read = static_cast<bool>(in >> change.first);
            break;
        case InputField::Open:
        case InputField::Focus:
            read = in >> change.first && isFlag(change.first);
            break;
        case InputField::Pad:
            read = readPad(in, change.pad);
            break;
    }
    std::string rest;
    return read && !(in >> rest);
}

std::vector<InputChange> changesBetween(const InputFrame& before, const InputFrame& after) {
    std::vector<InputChange> changes;
    for (int code = 0; code <= key::Last; ++code) {
        if (before.keys[code] != after.keys[code]) {
            changes.push_back(InputChange::key(code, after.keys[code]));
        }
    }
    for (int button = mouse::Left; button <= mouse::Right; ++button) {
        if (before.buttons[button] != after.buttons[button]) {
            changes.push_back(InputChange::button(button, after.buttons[button]));
        }
    }
    if (before.cursor.x != after.cursor.x || before.cursor.y != after.cursor.y) {
        changes.push_back(InputChange::cursor(after.cursor));
    }
    if (before.wheel != after.wheel) {
        changes.push_back(InputChange::wheel(after.wheel));
    }
    if (before.open != after.open) {
        changes.push_back(InputChange::open(after.open));
    }
    if (before.size.width != after.size.width || before.size.height != after.size.height) {
        changes.push_back(InputChange::size(after.size));
    }
    if (!(before.pad == after.pad)) {
        changes.push_back(InputChange::gamepad(after.pad));
    }
    if (before.focused != after.focused) {
        changes.push_back(InputChange::focus(after.focused));
    }
    return changes;
}

}  // namespace lum
