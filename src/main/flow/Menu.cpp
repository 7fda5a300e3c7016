#include "flow/Menu.h"

#include <algorithm>
#include <limits>

#include <glm/vec3.hpp>

#include "flow/TextPanel.h"
#include "lum/render/Renderer.h"

namespace lum {

const float menuTextSize = 0.035f;
// Rows apart, in glyph heights: room for the panels' margins between them.
const float menuRowSpacing = 2.2f;
const float menuRowStep = menuRowSpacing * menuTextSize * glyphAspect;

namespace {

const glm::vec3 plain(1, 1, 1);
const glm::vec3 highlighted(1.0f, 0.85f, 0.2f);
// Every row shows unless a screen asks for fewer.
const int allRows = 1 << 20;
// A stick tilted this far is a press of the cross.
const float stickPress = 0.5f;
// The selected item's mark, and the room kept for it before every item.
const char* const mark = "> ";
const char* const noMark = "  ";

}  // namespace

Menu::Menu(const std::vector<std::string>& items, float left, float top, float textSize)
    : items(items),
      left(left),
      top(top),
      textSize(textSize),
      split(std::numeric_limits<int>::max()),
      splitLeft(left),
      chosen(0),
      rows(allRows),
      first(0),
      lastCursor{-1, -1},
      latch(SlotCount) {}

void Menu::splitAt(int item, float secondLeft) {
    split = item;
    splitLeft = secondLeft;
}

void Menu::setItems(const std::vector<std::string>& replacement) {
    items = replacement;
    chosen = std::min(chosen, static_cast<int>(items.size()) - 1);
    scrollToSelected();
}

const std::vector<std::string>& Menu::getItems() const {
    return items;
}

int Menu::selected() const {
    return chosen;
}

void Menu::select(int item) {
    if (item >= 0 && item < static_cast<int>(items.size())) {
        chosen = item;
        scrollToSelected();
    }
}

void Menu::showAtMost(int count) {
    rows = std::max(1, count);
    scrollToSelected();
}

int Menu::firstShown() const {
    return first;
}

int Menu::shownCount() const {
    return std::min(rows, static_cast<int>(items.size()) - first);
}

void Menu::scrollToSelected() {
    first = std::min(first, std::max(chosen, 0));
    first = std::max(first, chosen - rows + 1);
    first = std::max(0, std::min(first, static_cast<int>(items.size()) - rows));
}

bool Menu::isDown(const InputFrame& input, int slot) {
    const GamepadState& pad = input.pad;
    switch (slot) {
        case Up:
            return input.isKeyDown(key::Up) || input.isKeyDown('W') ||
                   pad.isDown(gamepad::DpadUp) || pad.axis(gamepad::LeftY) < -stickPress;
        case Down:
            return input.isKeyDown(key::Down) || input.isKeyDown('S') ||
                   pad.isDown(gamepad::DpadDown) || pad.axis(gamepad::LeftY) > stickPress;
        case Choose:
            return input.isKeyDown(key::Enter) || pad.isDown(gamepad::South) ||
                   pad.isDown(gamepad::Start);
        case Back:
            return input.isKeyDown(key::Escape) || pad.isDown(gamepad::East);
        case Click:
            return input.isButtonDown(mouse::Left);
        case Less:
            return input.isKeyDown(key::Left) || input.isKeyDown('A') ||
                   pad.isDown(gamepad::DpadLeft) || pad.axis(gamepad::LeftX) < -stickPress;
        case More:
            return input.isKeyDown(key::Right) || input.isKeyDown('D') ||
                   pad.isDown(gamepad::DpadRight) || pad.axis(gamepad::LeftX) > stickPress;
        default:
            return false;
    }
}

// A press that ended while the menu was not shown is over too.
void Menu::ignoreHeld(const InputFrame& input) {
    const auto down = [&input](int slot) { return isDown(input, slot); };
    latch.releaseUp(down);
    latch.takeHeld(down);
    lastCursor = input.cursor;
}

// Only a pointer that moves selects: one resting over an item must not undo
// what the keys chose.
void Menu::followPointer(const InputFrame& input) {
    if (input.cursor.x == lastCursor.x && input.cursor.y == lastCursor.y) {
        return;
    }
    lastCursor = input.cursor;
    select(itemAt(input.cursor, input.size));
}

MenuAnswer Menu::update(const InputFrame& input) {
    latch.releaseUp([&input](int slot) { return isDown(input, slot); });
    MenuAnswer answer;
    if (items.empty()) {
        return answer;
    }
    followPointer(input);
    const int count = static_cast<int>(items.size());
    if (latch.pressedOnce(Up, isDown(input, Up))) {
        select((chosen + count - 1) % count);
    }
    if (latch.pressedOnce(Down, isDown(input, Down))) {
        select((chosen + 1) % count);
    }
    // Enter with Alt is taken all the same: letting go of Alt first must
    // not turn it into a choice.
    if (latch.pressedOnce(Choose, isDown(input, Choose))) {
        if (!input.isKeyDown(key::Alt)) {
            answer = {MenuAnswer::Chosen, chosen};
        }
    } else if (latch.pressedOnce(Click, isDown(input, Click))) {
        const int under = itemAt(input.cursor, input.size);
        if (under >= 0) {
            select(under);
            answer = {MenuAnswer::Chosen, chosen};
        }
    } else if (latch.pressedOnce(Back, isDown(input, Back))) {
        answer.kind = MenuAnswer::Back;
    } else if (latch.pressedOnce(Less, isDown(input, Less))) {
        answer = {MenuAnswer::Less, chosen};
    } else if (latch.pressedOnce(More, isDown(input, More))) {
        answer = {MenuAnswer::More, chosen};
    }
    return answer;
}

float Menu::rowTop(int item) const {
    const int row = (item < split ? item : item - split) - first;
    return top - row * menuRowSpacing * textSize * glyphAspect;
}

float Menu::leftOf(int item) const {
    return item < split ? left : splitLeft;
}

float Menu::widest(int item) const {
    const bool first = item < split;
    const std::size_t from = first ? 0 : split;
    const std::size_t to = first ? std::min<std::size_t>(split, items.size()) : items.size();
    std::size_t most = 0;
    for (std::size_t each = from; each < to; ++each) {
        most = std::max(most, items[each].size());
    }
    return (most + std::string(mark).size()) * textSize;
}

// Every item's panel is as wide as the widest of its column, so the column
// reads as one.
void Menu::draw() const {
    for (int item = first; item < first + shownCount(); ++item) {
        const bool isChosen = item == chosen;
        std::string text = (isChosen ? mark : noMark) + items[item];
        text.resize(static_cast<std::size_t>(widest(item) / textSize + 0.5f), ' ');
        drawTextOnPanel(text, leftOf(item), rowTop(item), textSize, isChosen ? highlighted : plain);
    }
}

int Menu::itemAt(CursorPosition at, WindowSize size) const {
    if (size.width <= 0 || size.height <= 0) {
        return -1;
    }
    const float x = 2.0f * at.x / size.width - 1.0f;
    const float y = 1.0f - 2.0f * at.y / size.height;
    const float height = textSize * glyphAspect;
    const float halfGap = (menuRowSpacing - 1.0f) * height / 2.0f;
    for (int item = first; item < first + shownCount(); ++item) {
        const bool across = x >= leftOf(item) && x <= leftOf(item) + widest(item);
        if (across && y >= rowTop(item) - halfGap && y <= rowTop(item) + height + halfGap) {
            return item;
        }
    }
    return -1;
}

}  // namespace lum
