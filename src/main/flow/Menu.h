#ifndef GLIMMET_MENU_H
#define GLIMMET_MENU_H

#include <string>
#include <vector>

#include "lum/platform/InputFrame.h"
#include "lum/platform/PressLatch.h"

namespace lum {

// The texts' size in the window's coordinates: large enough to read in a
// window of 640 x 480, small enough for a dozen rows.
extern const float menuTextSize;
// Rows apart, in glyph heights.
extern const float menuRowSpacing;
// From one row's foot to the next one's, at menuTextSize.
extern const float menuRowStep;

// What the player did to a menu at one poll.
struct MenuAnswer {
    // Less and More: left or right on the selected `item`.
    enum Kind { None, Chosen, Back, Less, More };
    Kind kind = None;
    int item = -1;
};

// A column of items on panels, one of them selected. The arrows, W and S,
// the pad's cross and left stick move the selection, the pointer selects
// what it moves over; Enter, the pad's A or Start, or a click on an item
// choose; left and right (A and D too) ask for less or more of it; Escape
// or the pad's B go back. Each key or button acts once per press; Enter
// with Alt held switches full screen and chooses nothing.
class Menu {
public:
    // The first item's lower left corner at (left, top), in the window's
    // -1 to 1 coordinates; the others below it.
    Menu(const std::vector<std::string>& items, float left, float top,
         float textSize = menuTextSize);

    // The items from `item` on stand in a second column, its left edge at
    // `left`, its first row level with the first column's.
    void splitAt(int item, float left);
    void setItems(const std::vector<std::string>& items);
    const std::vector<std::string>& getItems() const;
    int selected() const;
    void select(int item);
    // Keys and buttons held now act only when pressed anew: a screen shown
    // by a press does not take that press as its own.
    void ignoreHeld(const InputFrame& input);
    // This poll's answer.
    MenuAnswer update(const InputFrame& input);
    void draw() const;
    // The item under the window pixel `at`, -1 when none is.
    int itemAt(CursorPosition at, WindowSize size) const;
    // Where the row showing `item` stands (its text's foot).
    float rowTop(int item) const;
    // A longer list shows `rows` items at a time, scrolled so that the
    // selected one shows.
    void showAtMost(int rows);
    // The first item shown.
    int firstShown() const;

private:
    enum Slot { Up, Down, Choose, Back, Click, Less, More, SlotCount };
    static bool isDown(const InputFrame& input, int slot);
    float leftOf(int item) const;
    // The widest panel of the column that holds `item`.
    float widest(int item) const;
    void followPointer(const InputFrame& input);
    void scrollToSelected();
    int shownCount() const;

    std::vector<std::string> items;
    float left;
    float top;
    float textSize;
    int split;
    float splitLeft;
    int chosen;
    int rows;
    int first;
    CursorPosition lastCursor;
    PressLatch latch;
};

}  // namespace lum

#endif
