#ifndef GLIMMET_OPTIONSSCREEN_H
#define GLIMMET_OPTIONSSCREEN_H

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "flow/Menu.h"
#include "flow/Screen.h"
#include "lum/PlayerOptions.h"

namespace lum {

// The player's options over the picture of the screen it was reached from:
// the window, the sound, the mouse and the key of each action. Every change
// is made to the options at once and handed on to be put in force and kept;
// Back or Escape return to the screen before.
class OptionsScreen : public Screen {
public:
    // The rows of the first column; the actions' keys follow in the second.
    enum Row {
        Size,
        FullScreen,
        FrameRate,
        Music,
        Effects,
        Sensitivity,
        Invert,
        Reset,
        Back,
        FirstAction
    };

    // `drawBackground` draws the caller's picture; `defaults` are what
    // "Reset to defaults" goes back to; `apply` is called after each change
    // of `options`.
    OptionsScreen(std::function<void()> drawBackground, PlayerOptions& options,
                  const PlayerOptions& defaults, std::function<void()> apply);

    void enter(const InputFrame& input) override;
    ScreenOutcome update(const InputFrame& input) override;
    void draw() const override;

    // The rows as they read now.
    const std::vector<std::string>& rows() const;
    // What the screen tells the player: the key it waits for, or why a key
    // was refused; empty when nothing.
    const std::vector<std::string>& notes() const;

private:
    void change(int row, int step, bool wrap);
    void startBinding(action::Action action, const InputFrame& input);
    void awaitKey(const InputFrame& input);
    // A key pressed since the wait began, -1 when none is.
    int newlyPressed(const InputFrame& input);
    void bindTo(int code);
    void endBinding(const InputFrame& input);
    void refresh();

    std::function<void()> drawBackground;
    PlayerOptions& options;
    PlayerOptions defaults;
    std::function<void()> apply;
    std::vector<std::string> items;
    std::vector<std::string> note;
    Menu menu;
    // The action waiting for its key, action::Count when none is.
    action::Action binding;
    // Keys held since the wait began: they choose no key.
    std::array<bool, key::Last + 1> held;
    bool padBackHeld;
};

// The window sizes the options offer that fit in `screen`, smallest first.
std::vector<WindowSize> windowSizesWithin(WindowSize screen);

}  // namespace lum

#endif
