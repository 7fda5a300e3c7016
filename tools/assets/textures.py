#!/usr/bin/env python3
"""Writes the model textures: "cube" (a toy block's face), "crate" (a heavy
crate's side), "spikeSpot" (the pad where spike mode is learnt) and "none"
(plain white).

The cube's face is light so that a material's colour tints it: the same
texture makes red, green and blue blocks. The crate's side, boards behind a
frame and a cross brace with a weight stamped on it, and the spike pad, a
spiky ball in rings, are light for the same reason. "none" is the texture a
model gets when its description names none; white leaves the material's
colours as they are.

    textures.py OUTPUT_DIRECTORY
"""

import math
import os
import sys

import magick
import tga

CUBE_SIZE = 128  # the cube model's skin size
NONE_SIZE = 8
CRATE_SIZE = 128
SPOT_SIZE = 128
SPIKES = 12


def cube():
    canvas = magick.Canvas(CUBE_SIZE, CUBE_SIZE, "#f3e4c8")
    canvas.rectangle(10, 10, CUBE_SIZE - 11, CUBE_SIZE - 11, "#fff8ec", "#d9c09a", 4, radius=12)
    canvas.rectangle(24, 24, CUBE_SIZE - 25, CUBE_SIZE - 25, "none", "#efdcbc", 3, radius=8)
    centre = CUBE_SIZE / 2
    canvas.circle(centre, centre, 18, "#f3e4c8", "#e2cca6", 3)
    return canvas.render()


def crate():
    canvas = magick.Canvas(CRATE_SIZE, CRATE_SIZE, "#e9d3ae")
    for board in range(1, 4):
        y = board * CRATE_SIZE / 4
        canvas.line(0, y, CRATE_SIZE, y, "#b89466", 3)
    far = CRATE_SIZE - 1
    canvas.rectangle(0, 0, far, far, "none", "#8a6a42", 18)
    canvas.line(10, far - 10, far - 10, 10, "#8a6a42", 14)
    # A weight: a trapezoid with a handle, dark on the brace's middle.
    centre = CRATE_SIZE / 2
    canvas.circle(centre, centre - 14, 9, "none", "#3b2616", 5)
    canvas.polygon([(centre - 16, centre - 6), (centre + 16, centre - 6),
                    (centre + 24, centre + 22), (centre - 24, centre + 22)], "#3b2616")
    canvas.text(centre, centre + 9, "kg", 16, "#e9d3ae", magick.SANS_BOLD)
    return canvas.render()


def spike_spot():
    canvas = magick.Canvas(SPOT_SIZE, SPOT_SIZE, "#f4f4f4")
    centre = SPOT_SIZE / 2
    canvas.circle(centre, centre, 60, "none", "#c8c8c8", 4)
    canvas.circle(centre, centre, 50, "none", "#dcdcdc", 3)
    points = []
    for i in range(2 * SPIKES):
        radius = 40 if i % 2 == 0 else 22
        angle = math.pi / SPIKES * i
        points.append((centre + radius * math.cos(angle), centre + radius * math.sin(angle)))
    canvas.polygon(points, "#9a9a9a", "#6e6e6e", 3)
    canvas.circle(centre, centre, 16, "#ffffff", "#6e6e6e", 3)
    return canvas.render()


def none():
    return magick.Canvas(NONE_SIZE, NONE_SIZE, "#ffffff").render()


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: textures.py OUTPUT_DIRECTORY")
    tga.write(cube(), os.path.join(sys.argv[1], "cube.tga"))
    tga.write(crate(), os.path.join(sys.argv[1], "crate.tga"))
    tga.write(spike_spot(), os.path.join(sys.argv[1], "spikeSpot.tga"))
    tga.write(none(), os.path.join(sys.argv[1], "none.tga"))
