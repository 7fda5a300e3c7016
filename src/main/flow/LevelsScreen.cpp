#include "flow/LevelsScreen.h"

#include "flow/TextPanel.h"
#include "flow/TitleScreen.h"

namespace lum {

namespace {

const float menuLeft = -0.9f;
const float menuTop = 0.6f;
const char* const backItem = "Back";
// As many rows as stand between the top and the window's foot; a longer
// list scrolls.
const int visibleRows = 9;
// Why a level cannot be played, below the list.
const float refusalLeft = -0.9f;
const float refusalTop = -0.72f;
const float refusalSize = 0.025f;
const std::size_t refusalWidth = 68;
const glm::vec3 refusalColour(1.0f, 0.85f, 0.3f);

std::vector<std::string> itemsOf(const std::vector<LevelEntry>& levels, const Records* records) {
    std::vector<std::string> items;
    for (const LevelEntry& level : levels) {
        items.push_back(recordLine(level, records));
    }
    items.push_back(backItem);
    return items;
}

}  // namespace

LevelsScreen::LevelsScreen(const boost::shared_ptr<Texture>& picture,
                           const std::vector<LevelEntry>& levels, const Records* records)
    : picture(picture), levels(levels), menu(itemsOf(levels, records), menuLeft, menuTop) {
    menu.showAtMost(visibleRows);
}

void LevelsScreen::enter(const InputFrame& input) {
    menu.ignoreHeld(input);
}

ScreenOutcome LevelsScreen::update(const InputFrame& input) {
    const MenuAnswer answer = menu.update(input);
    ScreenOutcome outcome;
    if (answer.kind == MenuAnswer::Back ||
        (answer.kind == MenuAnswer::Chosen && answer.item == static_cast<int>(levels.size()))) {
        outcome.kind = ScreenOutcome::Back;
    } else if (answer.kind == MenuAnswer::Chosen) {
        outcome.kind = ScreenOutcome::Play;
        outcome.level = levels[answer.item].number;
    }
    return outcome;
}

void LevelsScreen::draw() const {
    drawPicture(picture);
    menu.draw();
    drawLinesOnPanel(refusal, refusalLeft, refusalTop, refusalSize, refusalColour);
}

void LevelsScreen::refuse(const std::string& problem) {
    refusal = wrapText(problem, refusalWidth);
}

}  // namespace lum
