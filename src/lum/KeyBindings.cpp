#include "lum/KeyBindings.h"

#include <cctype>

#include "lum/platform/InputFrame.h"

namespace lum {

namespace {

struct ActionInfo {
    const char* name;
    const char* label;
    int usualKey;
};

const ActionInfo actions[action::Count] = {
    {"rollForward", "Roll forward", 'W'}, {"rollBack", "Roll back", 'S'},
    {"rollLeft", "Roll left", 'A'},       {"rollRight", "Roll right", 'D'},
    {"jump", "Jump", key::Space},         {"baseMode", "Base mode", 'Y'},
    {"jumpMode", "Jump mode", 'V'},       {"spikeMode", "Spike mode", 'X'},
    {"speedMode", "Speed mode", 'C'},     {"pause", "Pause", 'P'},
    {"finish", "Finish level", key::F1},  {"cameraReset", "Camera reset", 'R'},
};

struct NamedKey {
    int code;
    const char* name;
};

const NamedKey namedKeys[] = {
    {key::Space, "Space"}, {key::Escape, "Escape"}, {key::Enter, "Enter"}, {key::Up, "Up"},
    {key::Down, "Down"},   {key::Left, "Left"},     {key::Right, "Right"}, {key::Alt, "Alt"},
};

const int functionKeys = 25;
const char* const unnamedPrefix = "key ";

// Characters the settings file could not hold plainly in quotes go by
// number; letters are upper case, as the window reports them.
bool namedByCharacter(int code) {
    return code > key::Space && code < 127 && code != '"' && code != '\\' && !std::islower(code);
}

bool isFunctionKey(int code) {
    return code >= key::F1 && code < key::F1 + functionKeys;
}

}  // namespace

KeyBindings::KeyBindings() {
    for (int each = 0; each < action::Count; ++each) {
        keys[each] = actions[each].usualKey;
    }
}

int KeyBindings::keyOf(action::Action action) const {
    return keys[action];
}

action::Action KeyBindings::actionOn(int code) const {
    for (int each = 0; each < action::Count; ++each) {
        if (keys[each] == code && code != unbound) {
            return static_cast<action::Action>(each);
        }
    }
    return action::Count;
}

bool KeyBindings::bind(action::Action action, int code) {
    const action::Action holder = actionOn(code);
    if (isGamesOwn(code) || (holder != action::Count && holder != action)) {
        return false;
    }
    keys[action] = code;
    return true;
}

void KeyBindings::takeFrom(const std::array<int, action::Count>& wanted) {
    keys.fill(unbound);
    for (int each = 0; each < action::Count; ++each) {
        bind(static_cast<action::Action>(each), wanted[each]);
    }
    for (int each = 0; each < action::Count; ++each) {
        if (keys[each] == unbound) {
            bind(static_cast<action::Action>(each), actions[each].usualKey);
        }
    }
}

const char* KeyBindings::nameOf(action::Action action) {
    return actions[action].name;
}

const char* KeyBindings::labelOf(action::Action action) {
    return actions[action].label;
}

int KeyBindings::usualKeyOf(action::Action action) {
    return actions[action].usualKey;
}

// F1 finishes a level by default and may move; F2 on toggle the game's options.
bool KeyBindings::isGamesOwn(int code) {
    return code < key::Space || code > key::Last || code == key::Escape || code == key::Enter ||
           code == key::Up || code == key::Down || code == key::Left || code == key::Right ||
           code == key::Alt || code == key::Plus || code == key::Minus ||
           (isFunctionKey(code) && code != key::F1);
}

std::string keyName(int code) {
    for (const NamedKey& named : namedKeys) {
        if (named.code == code) {
            return named.name;
        }
    }
    if (isFunctionKey(code)) {
        return "F" + std::to_string(code - key::F1 + 1);
    }
    if (namedByCharacter(code)) {
        return std::string(1, static_cast<char>(code));
    }
    return unnamedPrefix + std::to_string(code);
}

int keyCode(const std::string& written) {
    std::string name = written;
    if (name.size() == 1) {
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    for (int code = 0; code <= key::Last; ++code) {
        if (keyName(code) == name) {
            return code;
        }
    }
    return KeyBindings::unbound;
}

}  // namespace lum
