#ifndef GLIMMET_SCREEN_H
#define GLIMMET_SCREEN_H

#include "lum/platform/InputFrame.h"

namespace lum {

// What a screen asks of the game's flow.
struct ScreenOutcome {
    enum Kind {
        Stay,     // the screen goes on
        Play,     // `level`
        Levels,   // the list of levels
        Options,  // the options
        Back,     // to the screen before; from the pause, back to play
        Restart,  // the level from its start
        Title,    // the level left for the title
        Quit,     // the game ends
        Closed    // the window was closed: the game ends the usual way
    };
    Kind kind = Stay;
    int level = 0;
};

// One screen that waits for the player (a menu, a picture with keys): it
// answers each poll of input and draws itself; the flow acts on its answers.
class Screen {
public:
    virtual ~Screen();

    // Just before the screen shows (again): input held now belongs to the
    // screen before.
    virtual void enter(const InputFrame& input);
    virtual ScreenOutcome update(const InputFrame& input) = 0;
    virtual void draw() const = 0;
};

// Shows `screen` until it answers anything but Stay, or the window closes.
ScreenOutcome showScreen(Screen& screen);

}  // namespace lum

#endif
