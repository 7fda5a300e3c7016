#include "flow/TitleScreen.h"

#include "lum/render/Renderer.h"

namespace lum {

namespace {

// In the picture's left column, below the title and above the toy blocks,
// clear of the card with the keys.
const float menuLeft = -0.9f;
const float menuTop = 0.4f;

const std::vector<std::string> items = {"Play", "Levels", "Options", "Quit"};

ScreenOutcome outcome(ScreenOutcome::Kind kind, int level = 0) {
    ScreenOutcome result;
    result.kind = kind;
    result.level = level;
    return result;
}

}  // namespace

void drawPicture(const boost::shared_ptr<Texture>& picture) {
    Renderer::instance().drawImage(picture, -1, -1, 2, 2);
}

TitleScreen::TitleScreen(const boost::shared_ptr<Texture>& picture, int playLevel)
    : picture(picture), playLevel(playLevel), menu(items, menuLeft, menuTop) {}

void TitleScreen::enter(const InputFrame& input) {
    menu.ignoreHeld(input);
}

// Enter chooses before F2, and F2 before F3, as they did on the picture alone.
ScreenOutcome TitleScreen::update(const InputFrame& input) {
    const MenuAnswer answer = menu.update(input);
    if (answer.kind == MenuAnswer::Back) {
        return outcome(ScreenOutcome::Quit);
    }
    if (answer.kind == MenuAnswer::Chosen) {
        switch (answer.item) {
            case Play:
                return outcome(ScreenOutcome::Play, playLevel);
            case Levels:
                return outcome(ScreenOutcome::Levels);
            case Options:
                return outcome(ScreenOutcome::Options);
            default:
                return outcome(ScreenOutcome::Quit);
        }
    }
    if (input.isKeyDown(key::function(2))) {
        return outcome(ScreenOutcome::Play, 2);
    }
    if (input.isKeyDown(key::function(3))) {
        return outcome(ScreenOutcome::Play, 3);
    }
    return outcome(ScreenOutcome::Stay);
}

void TitleScreen::draw() const {
    drawPicture(picture);
    menu.draw();
}

}  // namespace lum
