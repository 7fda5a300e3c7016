#include "lum/PlayerOptions.h"

#include <algorithm>
#include <array>

#include "lum/config/Setting.h"
#include "lum/platform/Window.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const int loudest = 100;
const float leastSensitivity = 0.1f;
const float mostSensitivity = 5.0f;

// Each action's key by name; a name of no key, or two actions on one key,
// leave the action on its key of before where that is free.
void readKeys(const Setting& named, KeyBindings& bindings) {
    if (!named.isGroup()) {
        return;
    }
    std::array<int, action::Count> wanted;
    for (int each = 0; each < action::Count; ++each) {
        const action::Action one = static_cast<action::Action>(each);
        const Setting value = named(KeyBindings::nameOf(one));
        const int code = value.isString() ? keyCode(value.asString()) : KeyBindings::unbound;
        wanted[each] = code != KeyBindings::unbound ? code : bindings.keyOf(one);
    }
    bindings.takeFrom(wanted);
}

}  // namespace

float PlayerOptions::share(int percent) {
    return static_cast<float>(std::clamp(percent, 0, loudest)) / loudest;
}

void PlayerOptions::readOver(const Setting& keys) {
    LUM_TRACE_BEGIN
    if (!keys.isGroup()) {
        return;
    }
    windowWidth =
        std::clamp(keys("windowWidth").intOr(windowWidth), smallestWindow.width, largestWindowSide);
    windowHeight = std::clamp(keys("windowHeight").intOr(windowHeight), smallestWindow.height,
                              largestWindowSide);
    fullScreen = keys("fullScreen").boolOr(fullScreen);
    showFrameRate = keys("showframerate").boolOr(showFrameRate);
    musicVolume = std::clamp(keys("musicVolume").intOr(musicVolume), 0, loudest);
    effectsVolume = std::clamp(keys("effectsVolume").intOr(effectsVolume), 0, loudest);
    mouseSensitivity =
        std::clamp(static_cast<float>(keys("mouseSensitivity").doubleOr(mouseSensitivity)),
                   leastSensitivity, mostSensitivity);
    invertCamera = keys("invertCamera").boolOr(invertCamera);
    readKeys(keys("keys"), bindings);
    LUM_TRACE_END
}

}  // namespace lum
