#include "flow/OptionsScreen.h"

#include <algorithm>
#include <cmath>

#include <glm/vec3.hpp>

#include "flow/TextPanel.h"
#include "lum/platform/Window.h"

namespace lum {

namespace {

// Two columns of smaller text than the other menus': the window, the sound
// and the mouse on the left, the twelve actions' keys on the right.
const float optionsTextSize = 0.028f;
const float firstColumnLeft = -0.95f;
const float secondColumnLeft = 0.2f;
const float rowsTop = 0.62f;
const float headingTop = 0.82f;
// The notes under the first column, where its rows end.
const int firstNoteRow = 10;
const glm::vec3 headingColour(1, 1, 1);
const glm::vec3 noteColour(1.0f, 0.85f, 0.2f);

const std::size_t optionLabelWidth = 23;
const std::size_t actionLabelWidth = 13;
const int volumeStep = 10;
const int loudest = 100;
// The mouse's sensitivity goes in tenths, within what the options allow.
const int fewestTenths = 1;
const int mostTenths = 50;

const WindowSize offeredSizes[] = {{640, 480},   {800, 600},  {1024, 768}, {1280, 720},
                                   {1366, 768},  {1280, 960}, {1600, 900}, {1920, 1080},
                                   {2560, 1440}, {3840, 2160}};

const char* const labels[OptionsScreen::FirstAction] = {"Window size",
                                                        "Full screen",
                                                        "Show frame rate",
                                                        "Music volume",
                                                        "Effects volume",
                                                        "Mouse sensitivity",
                                                        "Invert vertical camera",
                                                        "Reset to defaults",
                                                        "Back"};

std::string padded(const std::string& label, std::size_t width) {
    std::string text = label;
    text.resize(std::max(width, label.size() + 1), ' ');
    return text;
}

std::string onOff(bool on) {
    return on ? "on" : "off";
}

std::string tenths(float value) {
    const long count = std::lround(value * 10);
    return std::to_string(count / 10) + "." + std::to_string(count % 10);
}

// `value` moved by `step`, within low and high: past an end it stays there,
// or with `wrap` starts again from the other.
int stepped(int value, int step, int low, int high, bool wrap) {
    const int moved = value + step;
    if (moved > high) {
        return wrap ? low : high;
    }
    if (moved < low) {
        return wrap ? high : low;
    }
    return moved;
}

long area(WindowSize size) {
    return static_cast<long>(size.width) * size.height;
}

// The offered size `step` places from `now`; a size not offered lies
// between the offered ones by its area.
WindowSize nextSize(WindowSize now, int step, WindowSize screen, bool wrap) {
    const std::vector<WindowSize> sizes = windowSizesWithin(screen);
    if (sizes.empty()) {
        return now;
    }
    const int count = static_cast<int>(sizes.size());
    const auto at =
        std::find_if(sizes.begin(), sizes.end(), [now](WindowSize size) { return size == now; });
    if (at != sizes.end()) {
        return sizes[stepped(static_cast<int>(at - sizes.begin()), step, 0, count - 1, wrap)];
    }
    const auto larger = std::find_if(sizes.begin(), sizes.end(),
                                     [now](WindowSize size) { return area(size) > area(now); });
    const int above = static_cast<int>(larger - sizes.begin());
    return sizes[stepped(step > 0 ? above - 1 : above, step, 0, count - 1, wrap)];
}

}  // namespace

std::vector<WindowSize> windowSizesWithin(WindowSize screen) {
    std::vector<WindowSize> sizes;
    for (const WindowSize size : offeredSizes) {
        if (size.width <= screen.width && size.height <= screen.height) {
            sizes.push_back(size);
        }
    }
    return sizes;
}

OptionsScreen::OptionsScreen(std::function<void()> drawBackground, PlayerOptions& options,
                             const PlayerOptions& defaults, std::function<void()> apply)
    : drawBackground(std::move(drawBackground)),
      options(options),
      defaults(defaults),
      apply(std::move(apply)),
      menu({}, firstColumnLeft, rowsTop, optionsTextSize),
      binding(action::Count),
      held(),
      padBackHeld(false) {
    menu.splitAt(FirstAction, secondColumnLeft);
    refresh();
}

void OptionsScreen::enter(const InputFrame& input) {
    menu.ignoreHeld(input);
}

const std::vector<std::string>& OptionsScreen::rows() const {
    return items;
}

const std::vector<std::string>& OptionsScreen::notes() const {
    return note;
}

void OptionsScreen::refresh() {
    const std::string values[FirstAction] = {
        std::to_string(options.windowWidth) + " x " + std::to_string(options.windowHeight),
        onOff(options.fullScreen),
        onOff(options.showFrameRate),
        std::to_string(options.musicVolume) + " %",
        std::to_string(options.effectsVolume) + " %",
        tenths(options.mouseSensitivity),
        onOff(options.invertCamera),
        "",
        ""};
    items.clear();
    for (int row = 0; row < FirstAction; ++row) {
        items.push_back(values[row].empty() ? labels[row]
                                            : padded(labels[row], optionLabelWidth) + values[row]);
    }
    for (int each = 0; each < action::Count; ++each) {
        const action::Action one = static_cast<action::Action>(each);
        items.push_back(padded(KeyBindings::labelOf(one), actionLabelWidth) +
                        keyName(options.bindings.keyOf(one)));
    }
    menu.setItems(items);
}

// The rows are read afresh at each poll: Alt+Enter changes full screen
// behind the screen's back.
ScreenOutcome OptionsScreen::update(const InputFrame& input) {
    refresh();
    ScreenOutcome outcome;
    if (binding != action::Count) {
        awaitKey(input);
        return outcome;
    }
    const MenuAnswer answer = menu.update(input);
    switch (answer.kind) {
        case MenuAnswer::Back:
            outcome.kind = ScreenOutcome::Back;
            break;
        case MenuAnswer::Chosen:
            if (answer.item == Back) {
                outcome.kind = ScreenOutcome::Back;
            } else if (answer.item >= FirstAction) {
                startBinding(static_cast<action::Action>(answer.item - FirstAction), input);
            } else {
                change(answer.item, 1, true);
            }
            break;
        case MenuAnswer::Less:
            change(answer.item, -1, false);
            break;
        case MenuAnswer::More:
            change(answer.item, 1, false);
            break;
        default:
            break;
    }
    return outcome;
}

// Enter goes round each option's values; left and right stop at the ends.
void OptionsScreen::change(int row, int step, bool wrap) {
    switch (row) {
        case Size: {
            const WindowSize size = nextSize({options.windowWidth, options.windowHeight}, step,
                                             window().screenSize(), wrap);
            options.windowWidth = size.width;
            options.windowHeight = size.height;
            break;
        }
        case FullScreen:
            options.fullScreen = !options.fullScreen;
            break;
        case FrameRate:
            options.showFrameRate = !options.showFrameRate;
            break;
        case Music:
            options.musicVolume = stepped(options.musicVolume, step * volumeStep, 0, loudest, wrap);
            break;
        case Effects:
            options.effectsVolume =
                stepped(options.effectsVolume, step * volumeStep, 0, loudest, wrap);
            break;
        case Sensitivity: {
            const int now = static_cast<int>(std::lround(options.mouseSensitivity * 10));
            options.mouseSensitivity = stepped(now, step, fewestTenths, mostTenths, wrap) / 10.0f;
            break;
        }
        case Invert:
            options.invertCamera = !options.invertCamera;
            break;
        case Reset:
            // Only chosen: left or right on it must not undo everything.
            if (!wrap) {
                return;
            }
            options = defaults;
            break;
        default:
            return;
    }
    note.clear();
    refresh();
    apply();
}

// The key that chose the action is held as the wait begins: it is not the
// answer.
void OptionsScreen::startBinding(action::Action action, const InputFrame& input) {
    binding = action;
    held = input.keys;
    padBackHeld = input.pad.isDown(gamepad::East);
    note = {std::string("Press a key for ") + KeyBindings::labelOf(action),
            "Escape keeps " + keyName(options.bindings.keyOf(action))};
}

void OptionsScreen::awaitKey(const InputFrame& input) {
    const bool padBack = input.pad.isDown(gamepad::East);
    const bool cancelled = padBack && !padBackHeld;
    padBackHeld = padBack;
    const int code = newlyPressed(input);
    if (cancelled || code == key::Escape) {
        note.clear();
        endBinding(input);
    } else if (code >= 0) {
        bindTo(code);
        endBinding(input);
    }
}

// Alt alone is no choice, and Enter with it switches full screen.
int OptionsScreen::newlyPressed(const InputFrame& input) {
    int pressed = -1;
    for (int code = 0; code <= key::Last; ++code) {
        const bool down = input.keys[code];
        if (down && !held[code] && pressed < 0 && code != key::Alt &&
            !(code == key::Enter && input.isKeyDown(key::Alt))) {
            pressed = code;
        }
        held[code] = down;
    }
    return pressed;
}

void OptionsScreen::bindTo(int code) {
    const action::Action holder = options.bindings.actionOn(code);
    if (KeyBindings::isGamesOwn(code)) {
        note = {keyName(code) + " is kept by the game"};
    } else if (holder != action::Count && holder != binding) {
        note = {keyName(code) + " is bound to " + KeyBindings::labelOf(holder)};
    } else {
        options.bindings.bind(binding, code);
        note.clear();
        refresh();
        apply();
    }
}

// The key that answered acts on the menu only when pressed anew.
void OptionsScreen::endBinding(const InputFrame& input) {
    binding = action::Count;
    menu.ignoreHeld(input);
}

void OptionsScreen::draw() const {
    drawBackground();
    drawTextOnPanel("Options", firstColumnLeft, headingTop, menuTextSize, headingColour);
    menu.draw();
    const float rowHeight = menuRowSpacing * optionsTextSize * glyphAspect;
    for (std::size_t line = 0; line < note.size(); ++line) {
        drawTextOnPanel(note[line], firstColumnLeft,
                        rowsTop - (firstNoteRow + static_cast<float>(line)) * rowHeight,
                        optionsTextSize, noteColour);
    }
}

}  // namespace lum
