#!/usr/bin/env python3
"""Writes the model textures: "cube" (a toy block's face) and "none" (plain white).

The cube's face is light so that a material's colour tints it: the same
texture makes red, green and blue blocks. "none" is the texture a model gets
when its description names none; white leaves the material's colours as they
are.

    textures.py OUTPUT_DIRECTORY
"""

import os
import sys

import magick
import tga

CUBE_SIZE = 128  # the cube model's skin size
NONE_SIZE = 8


def cube():
    canvas = magick.Canvas(CUBE_SIZE, CUBE_SIZE, "#f3e4c8")
    canvas.rectangle(10, 10, CUBE_SIZE - 11, CUBE_SIZE - 11, "#fff8ec", "#d9c09a", 4, radius=12)
    canvas.rectangle(24, 24, CUBE_SIZE - 25, CUBE_SIZE - 25, "none", "#efdcbc", 3, radius=8)
    centre = CUBE_SIZE / 2
    canvas.circle(centre, centre, 18, "#f3e4c8", "#e2cca6", 3)
    return canvas.render()


def none():
    return magick.Canvas(NONE_SIZE, NONE_SIZE, "#ffffff").render()


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: textures.py OUTPUT_DIRECTORY")
    tga.write(cube(), os.path.join(sys.argv[1], "cube.tga"))
    tga.write(none(), os.path.join(sys.argv[1], "none.tga"))
