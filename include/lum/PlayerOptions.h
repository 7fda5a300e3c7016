#ifndef LUM_PLAYEROPTIONS_H
#define LUM_PLAYEROPTIONS_H

#include "lum/KeyBindings.h"

namespace lum {

class Setting;

// What the player sets in the game's options: the window, the sound and
// the controls. The game ships them in "settings"; the player's own choices
// are read over those.
struct PlayerOptions {
    int windowWidth = 1024;
    int windowHeight = 768;
    bool fullScreen = false;
    bool showFrameRate = false;
    int musicVolume = 100;          // per cent; 0 mutes
    int effectsVolume = 100;        // per cent; 0 mutes
    float mouseSensitivity = 1.0f;  // times the camera's usual turn
    bool invertCamera = false;
    KeyBindings bindings;

    // The options `keys` holds, over the present ones: a key that is
    // missing or of the wrong kind leaves its option as it is, and a value
    // out of range is taken to the nearest it allows.
    void readOver(const Setting& keys);

    // A volume in per cent as a share of the full loudness, 0 to 1.
    static float share(int percent);
};

}  // namespace lum

#endif
