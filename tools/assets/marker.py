#!/usr/bin/env python3
"""Writes the marker, a flag on a pole standing on a round pad: models/marker.md2
and the textures "marker", "markerJump", "markerSpeed" and "markerF1".

The pad is 2.6 across and 0.12 high, the pole stands in its middle on the y
axis, and the flag flies towards +x, as long as the pad's radius, from 1.85
to 2.8 above the pad's underside; the whole is 3 tall and centred on the
origin (the pad's underside at y = -1.5).
Its animation "turn" (frames turn01 to turn08) makes the flag flutter, one
wave along it over the eight frames.

The three textures share one layout and differ only in the flag's picture:
"marker" a yellow star on green (a goal), "markerJump" an arrow up and the
word JUMP on blue (where the jump is learnt), "markerSpeed" two chevrons and
the word SPEED on sky blue (where speed mode is learnt), "markerF1" the key F1 on orange
(the end of a level, where F1 leads on). The pad shows a gold and cream
target.

    marker.py RESOURCES_DIRECTORY
"""

import math
import os
import sys

import magick
import mesh
import paint
import tga

SKIN = 256
FRAMES = 8
FLAG_SIZE = (160, 120)  # texels; the flag is 1.26 by 0.95
PAD_RADIUS, PAD_HEIGHT = 1.3, 0.12
POLE_RADIUS, POLE_TOP = 0.05, 2.85
BALL_RADIUS = 0.09
FLAG_LEFT, FLAG_RIGHT = 0.04, 1.3
FLAG_BOTTOM, FLAG_TOP = 1.85, 2.8

GOLD = paint.colour("#f3c846")
CREAM = paint.colour("#fff6dc")
POLE = paint.colour("#f4f1ea")
INK = "#3b2616"


PAD_TEXELS = 120
TARGET_RINGS = 5


def target(s, t):
    """Rings of gold and cream round a gold middle."""
    ring = math.hypot(s - 0.5, t - 0.5) * 2 * TARGET_RINGS  # ring widths from the middle
    from_even = abs(ring % 2 - 1)  # 1 on an even whole number of ring widths, 0 on an odd one
    ring_texels = PAD_TEXELS / 2 / TARGET_RINGS
    return paint.layer(CREAM, GOLD, (0.5 - from_even) * ring_texels, 1.0)


def star_points(x, y, radius):
    points = []
    for i in range(10):
        r = radius if i % 2 == 0 else radius * 0.45
        angle = math.pi / 5 * i - math.pi / 2
        points.append((x + r * math.cos(angle), y + r * math.sin(angle)))
    return points


def goal_flag():
    canvas = magick.Canvas(*FLAG_SIZE, "#5dbb63")
    canvas.polygon(star_points(80, 62, 46), "#ffd23f", INK, 5)
    return canvas.render()


def jump_flag():
    canvas = magick.Canvas(*FLAG_SIZE, "#3d7dd8")
    canvas.polygon([(80, 6), (118, 44), (96, 44), (96, 68), (64, 68), (64, 44), (42, 44)], "#ffffff", INK, 5)
    canvas.text(80, 94, "JUMP", 32, "#ffffff", magick.SANS_BOLD, outline=INK, outline_width=6)
    return canvas.render()


def chevron(left, top, width, height, thickness):
    """A chevron pointing right, its tip at (left + width, top + height / 2)."""
    middle = top + height / 2
    return [(left, top), (left + thickness, top), (left + width, middle),
            (left + thickness, top + height), (left, top + height), (left + width - thickness, middle)]


def speed_flag():
    canvas = magick.Canvas(*FLAG_SIZE, "#2fb4e6")
    for left in (36, 76):
        canvas.polygon(chevron(left, 8, 46, 60, 22), "#ffffff", INK, 5)
    canvas.text(80, 94, "SPEED", 30, "#ffffff", magick.SANS_BOLD, outline=INK, outline_width=6)
    return canvas.render()


def end_flag():
    canvas = magick.Canvas(*FLAG_SIZE, "#ff9a3c")
    canvas.rectangle(34, 22, 126, 104, "#d8c3a5", INK, 5, radius=14)
    canvas.rectangle(34, 16, 126, 94, "#ffffff", INK, 5, radius=14)
    canvas.text(80, 55, "F1", 48, INK, magick.SANS_BOLD)
    return canvas.render()


FLAGS = {"marker": goal_flag, "markerJump": jump_flag, "markerSpeed": speed_flag, "markerF1": end_flag}


def atlas(flag_picture):
    """The texture for one flag picture, and its regions (the same for every picture)."""
    layout = paint.Atlas(SKIN, SKIN, GOLD)
    regions = {
        "flag": layout.region(4, 132, 4 + FLAG_SIZE[0], 132 + FLAG_SIZE[1], paint.picture(flag_picture)),
        "pad": layout.region(4, 4, 4 + PAD_TEXELS, 4 + PAD_TEXELS, target),
        "gold": layout.swatch(140, 20, GOLD),
        "pole": layout.swatch(152, 20, POLE),
    }
    return layout, regions


def flag_surface(phase):
    """The flag's surface: fixed at the pole, waving more towards its free end."""
    def surface(s, t):
        wave = 0.1 * s * math.sin(2 * math.pi * 0.9 * s - phase)
        return (FLAG_LEFT + (FLAG_RIGHT - FLAG_LEFT) * s, FLAG_BOTTOM + (FLAG_TOP - FLAG_BOTTOM) * t, wave)
    return surface


def build(frame, regions):
    gold = regions["gold"]
    pad = mesh.lathe([(PAD_RADIUS, 0.0), (PAD_RADIUS, PAD_HEIGHT * 0.5), (PAD_RADIUS - 0.1, PAD_HEIGHT)], 32,
                     gold, (gold, regions["pad"]))
    pole = mesh.lathe([(POLE_RADIUS, PAD_HEIGHT - 0.02), (POLE_RADIUS, POLE_TOP)], 8, regions["pole"])
    ball = mesh.ellipsoid((BALL_RADIUS,) * 3, 10, 6).mapped(gold).transformed(
        mesh.translation(0.0, POLE_TOP + BALL_RADIUS * 0.7, 0.0))
    flag = mesh.slab(flag_surface(2 * math.pi * frame / FRAMES), 10, 3, 0.02, mesh.point(0.5, 0.5))
    return mesh.merged(pad, pole, ball, flag.mapped(regions["flag"]))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: marker.py RESOURCES_DIRECTORY")
    for name, picture in FLAGS.items():
        layout, regions = atlas(picture())
        tga.write(layout.paint(), os.path.join(sys.argv[1], "textures", name + ".tga"))
    meshes = mesh.centred([build(f, regions) for f in range(FRAMES)])
    mesh.save_model(os.path.join(sys.argv[1], "models", "marker.md2"), "marker", (SKIN, SKIN),
                    [(f"turn{f + 1:02d}", m) for f, m in enumerate(meshes)])
