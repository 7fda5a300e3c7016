#ifndef GLIMMET_CHOICESCREEN_H
#define GLIMMET_CHOICESCREEN_H

#include <string>
#include <vector>

#include "flow/Menu.h"
#include "flow/Screen.h"

namespace lum {

// A screen that waits between attempts or between levels: its text on a
// panel, its choices in a menu and, beside them, the keys that make them.
// Enter (also held from before), the pad's A or Start, or a click choose (the
// first choice unless another is selected); Escape and the pad's B quit, as Escape does
// everywhere in the game.
class ChoiceScreen : public Screen {
public:
    struct Choice {
        std::string item;
        ScreenOutcome::Kind kind;
    };

    // `picture`: the texture drawn over the whole window first; empty to draw
    // over what the window shows. The text's first line stands at
    // `textTop`, the menu's first item at `menuTop`.
    ChoiceScreen(const std::string& picture, const std::vector<std::string>& text, float textTop,
                 const std::vector<Choice>& choices, float menuTop);

    // Each time it shows, the first choice is selected; what is held acts
    // only when pressed anew, but for Enter, which chooses at once.
    void enter(const InputFrame& input) override;
    ScreenOutcome update(const InputFrame& input) override;
    void draw() const override;
    int selected() const;
    // The lines that name the keys, beside the menu.
    const std::vector<std::string>& keyLines() const;
    // Where the menu's first item stands.
    float menuTop() const;

private:
    std::string picture;
    std::vector<std::string> text;
    float textTop;
    std::vector<Choice> choices;
    std::vector<std::string> keys;
    Menu menu;
};

// Over the death picture: Try again, Title, Quit.
ChoiceScreen deathScreen();

// A level's end: its text and the lines about the run, then Next level,
// Title and Quit; after the last level (`last`) only Title and Quit.
ChoiceScreen endScreen(const std::string& text, const std::vector<std::string>& results, bool last);

}  // namespace lum

#endif
