#!/usr/bin/env python3
"""Writes the corn cob the player touches: models/corn.md2 and textures/corn.tga.

The cob stands upright, centred on the origin (y from -0.6 to 0.6), a stub of
stalk at the bottom and three husk leaves peeling away from its lower half.
Its animation "turn" (frames turn01 to turn08) turns it once round the y
axis in steps of 45 degrees, so it loops without a jump.

Texture (256 x 256): the left three quarters are rows of kernels, wrapped
once round the cob; the right quarter is a husk leaf, with the stalk's
colour at its bottom.

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
KERNEL_REGION = (0.0, 0.0, 0.75, 1.0)
LEAF_REGION = (0.77, 0.02, 0.98, 0.98)
STALK = mesh.point(0.875, 0.005)
KERNEL_COLUMNS = 12  # round the cob; the region is 192 texels wide, so 16 each
KERNEL_ROWS = 16

KERNEL = paint.colour("#ffd53d")
KERNEL_LIGHT = paint.colour("#fff0a0")
KERNEL_GAP = paint.colour("#c98a16")
LEAF = paint.colour("#a6d96a")
LEAF_VEIN = paint.colour("#7bb748")
STALK_COLOUR = paint.colour("#9b7a3c")

# The cob's outline from its bottom pole to its top pole: (radius, y).
COB_PROFILE = [(0.0, -0.52), (0.11, -0.5), (0.17, -0.44), (0.19, -0.3), (0.19, -0.1), (0.18, 0.1),
               (0.165, 0.28), (0.145, 0.42), (0.11, 0.52), (0.06, 0.58), (0.0, 0.6)]
LEAF_ANGLES = (0.0, 120.0, 240.0)


def leaf(angle):
    """A husk leaf wrapped round the cob at angle (degrees, from -z towards -x), peeling outwards."""
    def surface(s, t):
        width = 1.5 * (1 - 0.85 * t)
        theta = math.radians(angle) + (s - 0.5) * width
        radius = 0.2 + 0.08 * t * t
        return (-radius * math.sin(theta), -0.56 + 0.72 * t, -radius * math.cos(theta))
    return mesh.slab(surface, 4, 6, 0.02, mesh.point(0.8, 0.5)).mapped(LEAF_REGION)


def build(frame):
    stalk = mesh.lathe([(0.07, -0.6), (0.08, -0.5)], 8).mapped(STALK)
    cob = mesh.lathe(COB_PROFILE, SEGMENTS).mapped(KERNEL_REGION)
    corn = mesh.merged(stalk, cob, *(leaf(a) for a in LEAF_ANGLES))
    return corn.transformed(mesh.rotation("y", 360.0 * frame / FRAMES))


def kernels(u, v):
    """Rows of rounded kernels, tiling KERNEL_COLUMNS x KERNEL_ROWS over the region."""
    x = (u * KERNEL_COLUMNS) % 1 - 0.5
    y = (v * KERNEL_ROWS) % 1 - 0.5
    distance = paint.box_distance(x, y, 0.4, 0.4, 0.2)
    light = paint.clamp(1 - math.hypot(x + 0.12, y - 0.12) * 2.2)
    kernel = paint.mix(KERNEL, KERNEL_LIGHT, light * 0.8)
    return paint.layer(KERNEL_GAP, kernel, distance, 0.08)


def husk(s, t):
    """Pale green with veins running up the leaf; the stalk's colour under it."""
    if t < 0:
        return STALK_COLOUR
    vein = abs((s * 5) % 1 - 0.5) - 0.42
    return paint.layer(LEAF, LEAF_VEIN, -vein, 0.1)


def shade(u, v):
    k_u0, _, k_u1, _ = KERNEL_REGION
    if u < k_u1:
        return kernels((u - k_u0) / (k_u1 - k_u0), v)
    l_u0, l_v0, l_u1, l_v1 = LEAF_REGION
    if not l_u0 <= u <= l_u1:
        return KERNEL_GAP  # the cob's seam at u = 0 and 0.75 filters into these texels
    return husk((u - l_u0) / (l_u1 - l_u0), (v - l_v0) / (l_v1 - l_v0))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: corn.py RESOURCES_DIRECTORY")
    frames = [(f"turn{f + 1:02d}", build(f)) for f in range(FRAMES)]
    mesh.save_model(os.path.join(sys.argv[1], "models", "corn.md2"), "corn", (SKIN, SKIN), frames)
    tga.write(paint.paint(SKIN, SKIN, shade), os.path.join(sys.argv[1], "textures", "corn.tga"))
