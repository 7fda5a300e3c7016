#ifndef LUM_KEYBINDINGS_H
#define LUM_KEYBINDINGS_H

#include <array>
#include <string>

namespace lum {

// What the player can do with a key of his choice.
namespace action {
enum Action : int {
    RollForward,
    RollBack,
    RollLeft,
    RollRight,
    Jump,
    BaseMode,
    JumpMode,
    SpikeMode,
    SpeedMode,
    Pause,
    Finish,
    CameraReset,
    Count
};
}  // namespace action

// The key of each action; no key serves two actions. Keys the game keeps for
// itself (Escape, Enter, Alt, the arrows, + and -, F2 to F25) serve no action.
class KeyBindings {
public:
    static constexpr int unbound = -1;

    // Every action on its usual key.
    KeyBindings();

    int keyOf(action::Action action) const;
    // The action on `code`, or action::Count when none is.
    action::Action actionOn(int code) const;
    // Puts `action` on `code`. Refused (false, nothing changes) when the key
    // is the game's own or serves another action.
    bool bind(action::Action action, int code);
    // Binds each action in `wanted` that names a bindable key not taken by
    // an earlier one; the others keep their usual key where it is free.
    void takeFrom(const std::array<int, action::Count>& wanted);

    // "rollForward": the action's key in the settings files.
    static const char* nameOf(action::Action action);
    // "Roll forward": the action as the options screen shows it.
    static const char* labelOf(action::Action action);
    static int usualKeyOf(action::Action action);
    static bool isGamesOwn(int code);

    bool operator==(const KeyBindings& other) const { return keys == other.keys; }

private:
    std::array<int, action::Count> keys;
};

// A key as the settings file and the options screen name it: "W", "Space",
// "F1", "Up"; "key 200" for a key without a name of its own.
std::string keyName(int code);
// The key of that name, or KeyBindings::unbound for a name of no key.
int keyCode(const std::string& name);

}  // namespace lum

#endif
