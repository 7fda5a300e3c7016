#include "flow/PauseScreen.h"

#include "flow/Levels.h"

namespace lum {

namespace {

// Low on the left, clear of the picture's middle.
const float menuLeft = -0.9f;
const float menuTop = -0.2f;

const std::vector<std::string> items = {"Resume", "Restart level", "Options", "Quit to title",
                                        "Quit game"};

}  // namespace

PauseScreen::PauseScreen() : menu(items, menuLeft, menuTop) {}

// Each pause starts on Resume, with the key that paused not taken for a choice.
void PauseScreen::enter(const InputFrame& input) {
    menu.select(Resume);
    menu.ignoreHeld(input);
}

ScreenOutcome PauseScreen::update(const InputFrame& input) {
    const MenuAnswer answer = menu.update(input);
    ScreenOutcome outcome;
    if (answer.kind == MenuAnswer::Back) {
        outcome.kind = ScreenOutcome::Back;
    } else if (answer.kind == MenuAnswer::Chosen) {
        const ScreenOutcome::Kind kinds[] = {ScreenOutcome::Back, ScreenOutcome::Restart,
                                             ScreenOutcome::Options, ScreenOutcome::Title,
                                             ScreenOutcome::Quit};
        outcome.kind = kinds[answer.item];
    }
    return outcome;
}

void PauseScreen::draw() const {
    drawFullScreen("pause");
    menu.draw();
}

int PauseScreen::selected() const {
    return menu.selected();
}

}  // namespace lum
