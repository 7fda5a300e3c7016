#include "flow/ChoiceScreen.h"

#include <algorithm>
#include <cctype>

#include <glm/vec3.hpp>

#include "flow/Levels.h"
#include "flow/TextPanel.h"

namespace lum {

namespace {

const glm::vec3 white(1, 1, 1);
const float textSize = 0.04f;
// An end text wider than this many characters goes on several lines, so
// its panel stays clear of the window's edges.
const std::size_t textWidth = 36;
// The first line of an end text stands where it always stood, in the
// middle of the window, unless the lines and the menu below need more room.
const float usualTextTop = 0.0f;
const float lowestMenuRow = -0.8f;
// The menu stands left of the middle, the keys that work it to its right.
const float menuLeft = -0.6f;
const float keysLeft = 0.05f;
// Below the text's panel, with room for the menu's and the text's margins.
const float menuGap = 0.25f;
// Below the card of the death picture.
const float deathMenuTop = -0.5f;

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::vector<std::string> itemsOf(const std::vector<ChoiceScreen::Choice>& choices) {
    std::vector<std::string> items;
    for (const ChoiceScreen::Choice& choice : choices) {
        items.push_back(choice.item);
    }
    return items;
}

float centredLeft(const std::vector<std::string>& lines, float size) {
    return -0.5f * widestLine(lines) * size;
}

}  // namespace

ChoiceScreen::ChoiceScreen(const std::string& picture, const std::vector<std::string>& text,
                           float textTop, const std::vector<Choice>& choices, float menuTop)
    : picture(picture),
      text(text),
      textTop(textTop),
      choices(choices),
      keys({"Enter: " + lowerCase(choices.front().item), "Escape: quit"}),
      menu(itemsOf(choices), menuLeft, menuTop) {}

// Enter held as the screen opens goes on at once, as it always did; a pad
// button held from play (A for a jump into the fall) must be pressed anew.
void ChoiceScreen::enter(const InputFrame& input) {
    InputFrame held = input;
    held.keys[key::Enter] = false;
    menu.select(0);
    menu.ignoreHeld(held);
}

ScreenOutcome ChoiceScreen::update(const InputFrame& input) {
    const MenuAnswer answer = menu.update(input);
    ScreenOutcome outcome;
    if (answer.kind == MenuAnswer::Back) {
        outcome.kind = ScreenOutcome::Quit;
    } else if (answer.kind == MenuAnswer::Chosen) {
        outcome.kind = choices[answer.item].kind;
    }
    return outcome;
}

void ChoiceScreen::draw() const {
    if (!picture.empty()) {
        drawFullScreen(picture.c_str());
    }
    drawLinesOnPanel(text, centredLeft(text, textSize), textTop, textSize, white);
    menu.draw();
    drawLinesOnPanel(keys, keysLeft, menu.rowTop(0), menuTextSize, white);
}

int ChoiceScreen::selected() const {
    return menu.selected();
}

const std::vector<std::string>& ChoiceScreen::keyLines() const {
    return keys;
}

float ChoiceScreen::menuTop() const {
    return menu.rowTop(0);
}

ChoiceScreen deathScreen() {
    return ChoiceScreen("dead", {}, usualTextTop,
                        {{"Try again", ScreenOutcome::Restart},
                         {"Title", ScreenOutcome::Title},
                         {"Quit", ScreenOutcome::Quit}},
                        deathMenuTop);
}

ChoiceScreen endScreen(const std::string& text, const std::vector<std::string>& results,
                       bool last) {
    std::vector<std::string> lines = wrapText(text, textWidth);
    lines.insert(lines.end(), results.begin(), results.end());
    std::vector<ChoiceScreen::Choice> choices;
    if (!last) {
        choices.push_back({"Next level", ScreenOutcome::Play});
    }
    choices.push_back({"Title", ScreenOutcome::Title});
    choices.push_back({"Quit", ScreenOutcome::Quit});
    const float textHeight = linePitch(textSize) * (std::max<std::size_t>(lines.size(), 1) - 1);
    const float menuHeight = menuGap + menuRowStep * (choices.size() - 1);
    const float textTop = std::max(usualTextTop, lowestMenuRow + menuHeight + textHeight);
    return ChoiceScreen("", lines, textTop, choices, textTop - textHeight - menuGap);
}

}  // namespace lum
