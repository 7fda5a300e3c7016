#!/usr/bin/env python3
"""Writes the door: models/door.md2 and textures/door.tga.

A slab 2 wide (x), 3 tall (y) and 0.3 thick (z), centred on the origin, one
frame. Both broad faces show a panelled wooden door with a brass knob on the
+x side (the back face shows the picture mirrored, so the knob is on the same
edge from both sides); the narrow faces show plain wood.

Texture (256 x 256): the door's face on the left, plain upright wood on the
right.

    door.py RESOURCES_DIRECTORY
"""

import math
import os
import sys

import boxes
import mesh
import paint
import tga

SKIN = 256
HALF_WIDTH, HALF_HEIGHT, HALF_THICKNESS = 1.0, 1.5, 0.15
FACE_WIDTH, FACE_HEIGHT = 168, 248  # texels, about the door's 2 : 3

BEVEL_DARK = paint.colour("#a86d33")
BEVEL_LIGHT = paint.colour("#f7d9a8")
BRASS = paint.colour("#e7bf55")
BRASS_DARK = paint.colour("#a57e22")
INK = paint.colour("#3b2616")

NOISE = paint.Noise(8, 37)
# Recessed panels as (left, bottom, right, top) in parts of the face.
PANELS = ((0.14, 0.47, 0.46, 0.9), (0.54, 0.47, 0.86, 0.9), (0.14, 0.1, 0.46, 0.38), (0.54, 0.1, 0.86, 0.38))
KNOB = (0.88, 0.45)


def upright_wood(s, t):
    """Wood with its grain running up."""
    return boxes.wood(NOISE, t * 4, s * 3, 1.6, boxes.WOOD)


def face(s, t):
    c = upright_wood(s, t)
    x, y = s * FACE_WIDTH, t * FACE_HEIGHT  # texels
    for left, bottom, right, top in PANELS:
        half_w, half_h = (right - left) * FACE_WIDTH / 2, (top - bottom) * FACE_HEIGHT / 2
        cx, cy = (left + right) * FACE_WIDTH / 2, (bottom + top) * FACE_HEIGHT / 2
        outer = paint.box_distance(x - cx, y - cy, half_w, half_h, 3)
        # The bevel is dark where it faces down and left, light where it faces up and right.
        bevel = BEVEL_LIGHT if (x - cx) / half_w + (y - cy) / half_h > 0 else BEVEL_DARK
        c = paint.layer(c, bevel, outer, 1.0)
        c = paint.layer(c, upright_wood(s + 0.3, t), outer + 5, 1.0)
        c = paint.layer(c, paint.scale(BEVEL_DARK, 0.8), abs(outer + 5) - 0.6, 1.0)
    kx, ky = KNOB[0] * FACE_WIDTH, KNOB[1] * FACE_HEIGHT
    knob = math.hypot(x - kx, y - ky) - 9
    c = paint.layer(c, INK, knob - 1.5, 1.0)
    c = paint.layer(c, BRASS_DARK, knob, 1.0)
    c = paint.layer(c, BRASS, math.hypot(x - kx + 2, y - ky - 2) - 6, 1.5)
    keyhole = min(math.hypot(x - kx, y - ky + 20) - 2.5,
                  paint.box_distance(x - kx, y - ky + 25, 1.2, 4))
    return paint.layer(c, INK, keyhole, 1.0)


ATLAS = paint.Atlas(SKIN, SKIN, boxes.WOOD)
FACE = ATLAS.region(4, 4, 4 + FACE_WIDTH, 4 + FACE_HEIGHT, face)
EDGE = ATLAS.region(180, 4, 252, 252, upright_wood)


def build():
    u0, v0, u1, v1 = FACE
    regions = {name: EDGE for name in mesh.BOX_FACES}
    regions["front"] = FACE
    regions["back"] = (u1, v0, u0, v1)  # mirrored: the knob stays at +x
    return mesh.box((-HALF_WIDTH, -HALF_HEIGHT, -HALF_THICKNESS), (HALF_WIDTH, HALF_HEIGHT, HALF_THICKNESS), regions)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: door.py RESOURCES_DIRECTORY")
    mesh.save_model(os.path.join(sys.argv[1], "models", "door.md2"), "door", (SKIN, SKIN), [("door", build())])
    tga.write(ATLAS.paint(), os.path.join(sys.argv[1], "textures", "door.tga"))
