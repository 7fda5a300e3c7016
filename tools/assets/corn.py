#!/usr/bin/env python3
"""Writes the corn cob the player touches: models/corn.md2 and textures/corn.tga.

The cob stands upright, centred on the origin (y from -0.6 to 0.6), a stub of
stalk at the bottom and three husk leaves peeling away from its lower half.
Its animation "turn" (frames turn01 to turn08) turns it once round the y
axis in steps of 45 degrees, so it loops without a jump.

Texture (256 x 256): the left three quarters are rows of kernels, wrapped
once round the cob; the right quarter is a husk leaf and the stalk's colour.

    corn.py RESOURCES_DIRECTORY
"""

import math
import os
import sys

import mesh
import paint
import tga

SKIN = 256
FRAMES = 8
SEGMENTS = 16
KERNEL_COLUMNS = 12  # round the cob, 16 texels each
KERNEL_ROWS = 16

KERNEL = paint.colour("#ffd53d")
KERNEL_LIGHT = paint.colour("#fff0a0")
KERNEL_GAP = paint.colour("#c98a16")
LEAF = paint.colour("#a6d96a")
LEAF_VEIN = paint.colour("#7bb748")
STALK = paint.colour("#9b7a3c")

# The cob's outline from its bottom pole to its top pole: (radius, y).
COB_PROFILE = [(0.0, -0.52), (0.11, -0.5), (0.17, -0.44), (0.19, -0.3), (0.19, -0.1), (0.18, 0.1),
               (0.165, 0.28), (0.145, 0.42), (0.11, 0.52), (0.06, 0.58), (0.0, 0.6)]
LEAF_ANGLES = (0.0, 120.0, 240.0)


def kernels(s, t):
    """Rows of rounded kernels, KERNEL_COLUMNS x KERNEL_ROWS of them."""
    x = (s * KERNEL_COLUMNS) % 1 - 0.5
    y = (t * KERNEL_ROWS) % 1 - 0.5
    distance = paint.box_distance(x, y, 0.4, 0.4, 0.2)
    light = paint.clamp(1 - math.hypot(x + 0.12, y - 0.12) * 2.2)
    kernel = paint.mix(KERNEL, KERNEL_LIGHT, light * 0.8)
    return paint.layer(KERNEL_GAP, kernel, distance, 0.08)


def husk(s, t):
    """Pale green with veins running up the leaf."""
    vein = abs((s * 5) % 1 - 0.5) - 0.42
    return paint.layer(LEAF, LEAF_VEIN, -vein, 0.1)


ATLAS = paint.Atlas(SKIN, SKIN, KERNEL_GAP)
KERNEL_REGION = ATLAS.region(4, 4, 196, 252, kernels)
LEAF_REGION = ATLAS.region(204, 12, 252, 252, husk)
STALK_REGION = ATLAS.swatch(220, 4, STALK)


def leaf(angle):
    """A husk leaf wrapped round the cob at angle (degrees, from -z towards -x), peeling outwards."""
    def surface(s, t):
        width = 1.5 * (1 - 0.85 * t)
        theta = math.radians(angle) + (s - 0.5) * width
        radius = 0.2 + 0.08 * t * t
        return (-radius * math.sin(theta), -0.56 + 0.72 * t, -radius * math.cos(theta))
    return mesh.slab(surface, 4, 6, 0.02, mesh.point(0.8, 0.5)).mapped(LEAF_REGION)


def build(frame):
    stalk = mesh.lathe([(0.07, -0.6), (0.08, -0.5)], 8).mapped(STALK_REGION)
    cob = mesh.lathe(COB_PROFILE, SEGMENTS).mapped(KERNEL_REGION)
    corn = mesh.merged(stalk, cob, *(leaf(a) for a in LEAF_ANGLES))
    return corn.transformed(mesh.rotation("y", 360.0 * frame / FRAMES))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: corn.py RESOURCES_DIRECTORY")
    frames = [(f"turn{f + 1:02d}", build(f)) for f in range(FRAMES)]
    mesh.save_model(os.path.join(sys.argv[1], "models", "corn.md2"), "corn", (SKIN, SKIN), frames)
    tga.write(ATLAS.paint(), os.path.join(sys.argv[1], "textures", "corn.tga"))
