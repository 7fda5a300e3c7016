#!/usr/bin/env python3
"""Writes the full-screen images "start", "loading", "pause" and "dead", and
the panel "textPanel" that end screens lay behind their text.

All four show the same toy room (cream wallpaper, a wooden floor, toy blocks
on the left, Tobble on the right) with a card in the middle; the death screen
dims the room and leaves Tobble dizzy. They are drawn at the window's
1024 x 768 so text stays sharp when the renderer stretches them over it.

    screens.py OUTPUT_DIRECTORY
"""

import math
import os
import re
import sys

import magick
import tga

WIDTH, HEIGHT = 1024, 768
INK = "#3b2616"
WALL, STRIPE = "#fcebd0", "#f7e0bc"
SKIRTING = "#e3ae6a"
FLOOR, PLANK_LINE = "#d89a5b", "#b57a40"
CARD, CARD_SHADOW, RULE = "#fff8ec", "#c98d55", "#e3c9a3"
KEY_FACE, KEY_SIDE = "#ffffff", "#d8c3a5"
RED, GREEN, BLUE, YELLOW = "#e8483b", "#5dbb63", "#3d7dd8", "#ffc93c"
TOBBLE, TOBBLE_LIGHT = "#b58cf0", "#dcc6ff"
DIM = "#1c1030a0"
PANEL_FIELD = "#2a1842"
# The end screens write white text of 36 characters at most, each 20 pixels
# wide and 43 high, over the last frame of the level, on this panel with a
# margin of 30 pixels all round: 1:1 behind the longest text, a little
# narrower behind shorter ones.
PANEL_WIDTH, PANEL_HEIGHT = 780, 104
FLOOR_TOP = 566
KEY_SIZE = 22
# The title's card, right of the column where the game draws its menu.
START_CARD_LEFT, START_CARD_RIGHT = 300, 1000
KEY_GAP = 8
TEXT_GAP = 12


def room(canvas):
    for x in range(0, WIDTH, 64):
        canvas.rectangle(x + 32, 0, x + 63, FLOOR_TOP, STRIPE)
    canvas.rectangle(-5, FLOOR_TOP, WIDTH + 5, HEIGHT + 5, FLOOR, INK, 4)
    for row, y in enumerate(range(FLOOR_TOP + 50, HEIGHT, 50)):
        canvas.line(0, y, WIDTH, y, PLANK_LINE, 3)
        for x in range(140 + 170 * (row % 2), WIDTH, 340):
            canvas.line(x, y - 50, x, y, PLANK_LINE, 3)
    canvas.rectangle(-5, FLOOR_TOP - 26, WIDTH + 5, FLOOR_TOP, SKIRTING, INK, 4)


def block(canvas, left, top, width, height, colour, label, size):
    canvas.rectangle(left, top, left + width, top + height, colour, INK, 5, radius=8)
    inset = min(width, height) // 7
    canvas.rectangle(left + inset, top + inset, left + width - inset, top + height - inset,
                     "none", "#ffffff80", 3, radius=6)
    canvas.text(left + width / 2, top + height / 2 + 1, label, size, "#ffffff",
                magick.SANS_BOLD, outline=INK, outline_width=4)


def star(canvas, x, y, radius):
    points = []
    for i in range(8):
        r = radius if i % 2 == 0 else radius * 0.38
        angle = math.pi / 4 * i - math.pi / 2
        points.append((x + r * math.cos(angle), y + r * math.sin(angle)))
    canvas.polygon(points, YELLOW, INK, 2)


def tobble(canvas, x, y, dizzy):
    canvas.ellipse(x, y + 64, 58, 12, "#00000030")
    canvas.circle(x, y, 62, TOBBLE, INK, 5)
    canvas.ellipse(x - 22, y - 30, 18, 11, TOBBLE_LIGHT)
    for eye in (x - 22, x + 22):
        if dizzy:
            canvas.line(eye - 9, y - 12, eye + 9, y + 6, INK, 5)
            canvas.line(eye - 9, y + 6, eye + 9, y - 12, INK, 5)
        else:
            canvas.ellipse(eye, y - 4, 13, 17, "#ffffff", INK, 4)
            canvas.circle(eye + 3, y, 6, INK)
    if dizzy:
        canvas.ellipse(x, y + 32, 12, 8, INK)
        for i in range(3):
            angle = math.pi / 2 + 2 * math.pi * i / 3
            star(canvas, x + 44 * math.cos(angle), y - 86 + 12 * math.sin(angle), 13)
    else:
        canvas.ellipse(x, y + 24, 20, 12, "none", INK, 5, 20, 160)
        star(canvas, x + 60, y - 70, 16)
        star(canvas, x - 66, y - 58, 10)


def scene(dizzy=False, tobble_x=930):
    """The toy room every screen is drawn on."""
    canvas = magick.Canvas(WIDTH, HEIGHT, WALL)
    room(canvas)
    block(canvas, 22, FLOOR_TOP + 40, 110, 110, RED, "T", 60)
    block(canvas, 34, FLOOR_TOP - 60, 100, 100, BLUE, "G", 55)
    tobble(canvas, tobble_x, 660, dizzy)
    if dizzy:
        canvas.rectangle(0, 0, WIDTH, HEIGHT, DIM)
    return canvas


def card(canvas, left, top, right, bottom):
    canvas.rectangle(left + 8, top + 10, right + 8, bottom + 10, CARD_SHADOW, radius=30)
    canvas.rectangle(left, top, right, bottom, CARD, INK, 5, radius=30)


def headline(canvas, y, text, size, colour):
    canvas.text(WIDTH / 2 + 4, y + 5, text, size, INK, magick.SANS_BOLD, outline=INK, outline_width=10)
    canvas.text(WIDTH / 2, y, text, size, colour, magick.SANS_BOLD, outline=INK, outline_width=10)


def key_width(label):
    return max(46, magick.text_width(label, magick.SANS_BOLD, KEY_SIZE) + 16)


def key(canvas, left, y, label):
    """A toy key cap with its left edge at left, centred on y."""
    right = left + key_width(label)
    canvas.rectangle(left, y - 20, right, y + 26, KEY_SIDE, INK, 3, radius=9)
    canvas.rectangle(left, y - 24, right, y + 18, KEY_FACE, INK, 3, radius=9)
    canvas.text((left + right) / 2, y - 3, label, KEY_SIZE, INK, magick.SANS_BOLD)


def parse_row(line):
    """The items of a row: "[W]" is a key cap, anything else text."""
    items = []
    for part in re.split(r"(\[[^\]]+\])", line):
        if part.startswith("["):
            items.append(("key", part[1:-1]))
        elif part.strip():
            items.append(("text", part.strip()))
    return items


def placed(items, size):
    """Each item of a row with its offset from the row's left end and its width."""
    x = 0
    for i, (kind, value) in enumerate(items):
        if i:
            x += KEY_GAP if kind == items[i - 1][0] == "key" else TEXT_GAP
        width = key_width(value) if kind == "key" else magick.text_width(value, magick.SANS, size)
        yield kind, value, x, width
        x += width


def row(canvas, y, line, left=None, size=24):
    """Draws key caps and words from left to right; centred when left is None."""
    items = list(placed(parse_row(line), size))
    if left is None:
        _, _, last_x, last_width = items[-1]
        left = WIDTH / 2 - (last_x + last_width) / 2
    for kind, value, x, _ in items:
        if kind == "key":
            key(canvas, left + x, y, value)
        else:
            canvas.text(left + x, y - 2, value, size, INK, magick.SANS, anchor="left")


def start():
    """The game draws its menu in the left column, above the blocks and
    Tobble; the card keeps to the right of it."""
    canvas = scene(tobble_x=215)
    headline(canvas, 78, "Tobble the Glimmet", 78, YELLOW)
    card(canvas, START_CARD_LEFT, 150, START_CARD_RIGHT, 712)
    middle = (START_CARD_LEFT + START_CARD_RIGHT) / 2

    canvas.text(middle, 190, "Choose a level", 30, RED, magick.SANS_BOLD)
    for x, colour, level, label in ((middle - 210, RED, 1, "Enter"), (middle, GREEN, 2, "F2"),
                                    (middle + 210, BLUE, 3, "F3")):
        block(canvas, x - 82, 216, 164, 56, colour, f"Level {level}", 28)
        key(canvas, x - key_width(label) / 2, 312, label)
    canvas.line(START_CARD_LEFT + 50, 356, START_CARD_RIGHT - 50, 356, RULE, 3)

    canvas.text(middle, 390, "How to play", 30, BLUE, magick.SANS_BOLD)
    rows = ("[W] [A] [S] [D] or [\u2190] [\u2191] [\u2193] [\u2192] roll",
            "[Mouse] look around, wheel zooms",
            "Modes: [Y] base [V] jump [X] spike [C] speed",
            "[Space] jump (in jump mode)",
            "[P] pause [Esc] quit")
    for i, line in enumerate(rows):
        row(canvas, 444 + i * 56, line, left=START_CARD_LEFT + 40)
    return canvas


def message(title, colour, lines, dizzy=False):
    canvas = scene(dizzy)
    first_row, spacing = 376, 62
    card(canvas, 212, 210, 812, first_row + spacing * (len(lines) - 1) + 64)
    headline(canvas, 282, title, 64, colour)
    for i, line in enumerate(lines):
        row(canvas, first_row + i * spacing, line, size=28)
    return canvas


def loading():
    canvas = scene()
    card(canvas, 262, 250, 762, 470)
    headline(canvas, 330, "Loading\u2026", 64, YELLOW)
    for i, colour in enumerate((RED, GREEN, BLUE)):
        canvas.rectangle(422 + i * 66, 392, 422 + i * 66 + 48, 440, colour, INK, 4, radius=6)
    return canvas


def pause():
    return message("Paused", BLUE, ["Press [P] to play on", "Press [Esc] to quit"])


def dead():
    return message("Ouch!", RED, ["Tobble took a tumble.", "Press [Enter] to try again"], dizzy=True)


def text_panel():
    """A dark card with a yellow frame: white text with its black rim reads
    on it whatever the level showed behind. No white in it, so the text is
    the only white on an end screen."""
    canvas = magick.Canvas(PANEL_WIDTH, PANEL_HEIGHT, INK)
    canvas.rectangle(4, 4, PANEL_WIDTH - 5, PANEL_HEIGHT - 5, YELLOW, radius=10)
    canvas.rectangle(12, 12, PANEL_WIDTH - 13, PANEL_HEIGHT - 13, PANEL_FIELD, INK, 3, radius=12)
    for x in (24, PANEL_WIDTH - 25):
        for y in (24, PANEL_HEIGHT - 25):
            canvas.circle(x, y, 3, CARD_SHADOW)
    return canvas


SCREENS = {"start": start, "loading": loading, "pause": pause, "dead": dead,
           "textPanel": text_panel}


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: screens.py OUTPUT_DIRECTORY")
    for name, make in SCREENS.items():
        tga.write(make().render(), os.path.join(sys.argv[1], name + ".tga"))
