#!/usr/bin/env python3
"""Writes the rooms the levels stand in, seen from far off: for the nursery
"roomWall", "roomSideWall", "roomFloor" and "roomCeiling", the textures of
the backdrop box round a level, and the same four for the playroom
("playroomWall", ...), where the race track of the last level lies.

The walls carry the cream striped wallpaper of the title pictures with a
skirting board, a tall window with curtains and the sky outside, and giant
furniture standing against them in muted wood: a wardrobe and a chest of
drawers with a lamp on "roomWall", a bookshelf on "roomSideWall". Each is
twice as wide as high and repeats along a wall, its left and right edges
meeting. The floor is a green carpet with a round rug;
the ceiling a plain warm white. The playroom is the same room in other
colours: sky-blue wallpaper with white stripes, yellow curtains, a blue-grey
carpet and a grey rug ringed in white like a roundabout.

    room.py RESOURCES_DIRECTORY
"""

import os
import sys

import magick
import tga

INK = "#3b2616"
SKY, SKY_LOW, CLOUD = "#9fd3f2", "#c8e8f8", "#f4fbff"
FRAME = "#fff3df"
# Furniture far off against the light wall: darker, low-contrast shapes.
FURNITURE, FURNITURE_EDGE, KNOB = "#b98f6a", "#a37a57", "#e0b77f"
BOOKS = ("#c46a5a", "#6d9bc8", "#86b26c", "#e0b457")
LAMP_SHADE = "#f6c76c"
# Each room's own colours. The nursery's carpet is a soft green, so the
# wooden toys and shelves stand out against it.
NURSERY = {"wall": "#f4dfc0", "stripe": "#eed3ab", "skirting": "#d9a563",
           "curtain": "#e98a7a", "curtainFold": "#d06f60",
           "carpet": "#a7c09a", "carpetDot": "#98b38c", "rug": "#e9a07c", "rugRing": "#f6dca0",
           "ceiling": "#fbf1e2"}
PLAYROOM = {"wall": "#cfe6f2", "stripe": "#e6f3fa", "skirting": "#8fb3c9",
            "curtain": "#f2cf5b", "curtainFold": "#d9b140",
            "carpet": "#9fb0bd", "carpetDot": "#92a3b0", "rug": "#8c8c8c", "rugRing": "#f4f4f4",
            "ceiling": "#f4f8fb"}

WALL_WIDTH, WALL_HEIGHT = 1024, 512
SKIRTING_TOP = 470


def wallpaper(canvas, room):
    for x in range(0, WALL_WIDTH, 32):
        canvas.rectangle(x + 16, 0, x + 31, SKIRTING_TOP, room["stripe"])
    canvas.rectangle(-2, SKIRTING_TOP, WALL_WIDTH + 2, WALL_HEIGHT + 2, room["skirting"], INK, 3)


def window(canvas, room, left, top, right, bottom):
    canvas.rectangle(left - 10, top - 10, right + 10, bottom + 10, FRAME, INK, 3)
    canvas.rectangle(left, top, right, bottom, SKY)
    canvas.rectangle(left, (top + bottom) // 2, right, bottom, SKY_LOW)
    for cx, cy, r in ((left + 50, top + 60, 22), (left + 80, top + 52, 28), (left + 112, top + 62, 20)):
        canvas.circle(cx, cy, r, CLOUD)
    middle = (left + right) // 2
    canvas.line(middle, top, middle, bottom, FRAME, 8)
    canvas.line(left, (top + bottom) // 2, right, (top + bottom) // 2, FRAME, 8)
    for side, sign in ((left - 10, -1), (right + 10, 1)):
        outer = side + sign * 46
        canvas.polygon([(side, top - 24), (outer, top - 24), (outer + sign * 8, bottom + 40),
                        (side + sign * 4, bottom + 40)], room["curtain"], INK, 2)
        for fold in (0.35, 0.7):
            x = side + sign * 46 * fold
            canvas.line(x, top - 20, x + sign * 3, bottom + 36, room["curtainFold"], 3)
    canvas.rectangle(left - 70, top - 34, right + 70, top - 22, FURNITURE_EDGE)


def wardrobe(canvas, left, top, right):
    canvas.rectangle(left, top, right, SKIRTING_TOP + 6, FURNITURE, FURNITURE_EDGE, 4, radius=6)
    middle = (left + right) // 2
    canvas.line(middle, top + 14, middle, SKIRTING_TOP - 10, FURNITURE_EDGE, 4)
    for x in (middle - 14, middle + 14):
        canvas.circle(x, (top + SKIRTING_TOP) // 2, 5, KNOB)
    canvas.rectangle(left - 8, top - 12, right + 8, top, FURNITURE_EDGE)


def drawers(canvas, left, top, right):
    canvas.rectangle(left, top, right, SKIRTING_TOP + 6, FURNITURE, FURNITURE_EDGE, 4, radius=4)
    rows = 3
    height = (SKIRTING_TOP - top) / rows
    for i in range(rows):
        y0 = top + 10 + i * height
        canvas.rectangle(left + 12, y0, right - 12, y0 + height - 16, FURNITURE, FURNITURE_EDGE, 3, radius=4)
        canvas.circle((left + right) // 2, y0 + (height - 16) / 2, 5, KNOB)
    # A lamp on top.
    lamp = (left + right) // 2 + 30
    canvas.rectangle(lamp - 4, top - 60, lamp + 4, top, FURNITURE_EDGE)
    canvas.polygon([(lamp - 34, top - 56), (lamp + 34, top - 56), (lamp + 22, top - 100),
                    (lamp - 22, top - 100)], LAMP_SHADE, FURNITURE_EDGE, 3)


def bookshelf(canvas, left, top, right):
    canvas.rectangle(left, top, right, SKIRTING_TOP + 6, FURNITURE, FURNITURE_EDGE, 4)
    shelves = 4
    height = (SKIRTING_TOP - top) / shelves
    for i in range(shelves):
        y0 = top + 8 + i * height
        x = left + 10
        k = i
        while x < right - 24:
            w = 10 + (k * 7) % 9
            h = height - 14 - (k * 5) % 14
            canvas.rectangle(x, y0 + height - 10 - h, x + w, y0 + height - 10, BOOKS[k % len(BOOKS)])
            x += w + 2
            k += 1
        canvas.line(left, y0 + height - 8, right, y0 + height - 8, FURNITURE_EDGE, 5)


def wall(room):
    canvas = magick.Canvas(WALL_WIDTH, WALL_HEIGHT, room["wall"])
    wallpaper(canvas, room)
    wardrobe(canvas, 60, 150, 300)
    window(canvas, room, 440, 90, 640, 330)
    drawers(canvas, 760, 300, 960)
    return canvas


def bookshelf_wall(room):
    canvas = magick.Canvas(WALL_WIDTH, WALL_HEIGHT, room["wall"])
    wallpaper(canvas, room)
    bookshelf(canvas, 120, 170, 420)
    window(canvas, room, 620, 90, 820, 330)
    return canvas


def floor(room):
    size = 512
    canvas = magick.Canvas(size, size, room["carpet"])
    for row, y in enumerate(range(16, size, 32)):
        for x in range(16 + (row % 2) * 16, size, 32):
            canvas.polygon([(x, y - 5), (x + 5, y), (x, y + 5), (x - 5, y)], room["carpetDot"])
    canvas.ellipse(size // 2, size // 2, 150, 150, room["rug"], INK, 3)
    canvas.ellipse(size // 2, size // 2, 120, 120, "none", room["rugRing"], 10)
    canvas.ellipse(size // 2, size // 2, 60, 60, "none", room["rugRing"], 6)
    return canvas


def ceiling(room):
    return magick.Canvas(64, 64, room["ceiling"])


ROOMS = {"room": NURSERY, "playroom": PLAYROOM}
SURFACES = {"Wall": wall, "SideWall": bookshelf_wall, "Floor": floor, "Ceiling": ceiling}


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: room.py RESOURCES_DIRECTORY")
    for prefix, room in ROOMS.items():
        for surface, make in SURFACES.items():
            tga.write(make(room).render(), os.path.join(sys.argv[1], "textures", prefix + surface + ".tga"))
