#include "flow/Menu.h"

#include <algorithm>

#include <glm/vec3.hpp>

#include "flow/TextPanel.h"
#include "lum/render/Renderer.h"

namespace lum {

const float menuTextSize = 0.035f;

namespace {

const glm::vec3 plain(1, 1, 1);
const glm::vec3 highlighted(1.0f, 0.85f, 0.2f);
// Rows apart, in glyph heights: room for the panels' margins between them.
const float rowSpacing = 2.2f;
// Every row shows unless a screen asks for fewer.
const int allRows = 1 << 20;
// A stick tilted this far is a press of the cross.
const float stickPress = 0.5f;
// The selected item's mark, and the room kept for it before every item.
const char* const mark = "> ";
const char* const noMark = "  ";

}  // namespace

const float menuRowStep = rowSpacing * menuTextSize * glyphAspect;

Menu::Menu(const std::vector<std::string>& items, float left, float top)
    : items(items),
      left(left),
      top(top),
      chosen(0),
      rows(allRows),
      first(0),
      lastCursor{-1, -1},
      latch(SlotCount) {}

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
    if (latch.pressedOnce(Choose, isDown(input, Choose))) {
        answer = {MenuAnswer::Chosen, chosen};
    } else if (latch.pressedOnce(Click, isDown(input, Click))) {
        const int under = itemAt(input.cursor, input.size);
        if (under >= 0) {
            select(under);
            answer = {MenuAnswer::Chosen, chosen};
        }
    } else if (latch.pressedOnce(Back, isDown(input, Back))) {
        answer.kind = MenuAnswer::Back;
    }
    return answer;
}

float Menu::rowTop(int item) const {
    return top - (item - first) * menuRowStep;
}

float Menu::widest() const {
    std::size_t most = 0;
    for (const std::string& item : items) {
        most = std::max(most, item.size());
    }
    return (most + std::string(mark).size()) * menuTextSize;
}

// Every item's panel is as wide as the widest, so the column reads as one.
void Menu::draw() const {
    for (int item = first; item < first + shownCount(); ++item) {
        const bool isChosen = item == chosen;
        std::string text = (isChosen ? mark : noMark) + items[item];
        text.resize(static_cast<std::size_t>(widest() / menuTextSize + 0.5f), ' ');
        drawTextOnPanel(text, left, rowTop(item), menuTextSize, isChosen ? highlighted : plain);
    }
}

int Menu::itemAt(CursorPosition at, WindowSize size) const {
    if (size.width <= 0 || size.height <= 0) {
        return -1;
    }
    const float x = 2.0f * at.x / size.width - 1.0f;
    const float y = 1.0f - 2.0f * at.y / size.height;
    const float height = menuTextSize * glyphAspect;
    const float halfGap = (rowSpacing - 1.0f) * height / 2.0f;
    if (x < left || x > left + widest()) {
        return -1;
    }
    for (int item = first; item < first + shownCount(); ++item) {
        if (y >= rowTop(item) - halfGap && y <= rowTop(item) + height + halfGap) {
            return item;
        }
    }
    return -1;
}

}  // namespace lum
