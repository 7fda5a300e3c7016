#ifndef GLIMMET_PAUSESCREEN_H
#define GLIMMET_PAUSESCREEN_H

#include "flow/Menu.h"
#include "flow/Screen.h"

namespace lum {

// The pause over the pause picture: Resume, Restart level, Options, Quit to
// title and Quit game. The pad's B resumes as Resume does.
class PauseScreen : public Screen {
public:
    enum Item { Resume, Restart, Options, QuitToTitle, QuitGame };

    PauseScreen();

    void enter(const InputFrame& input) override;
    ScreenOutcome update(const InputFrame& input) override;
    void draw() const override;
    // The item selected: the pause redraws itself only when it changes.
    int selected() const;

private:
    Menu menu;
};

}  // namespace lum

#endif
