#!/usr/bin/env python3
"""Writes the model "cube": a box from -1 to 1 on every axis, one frame.

Levels scale this cube into cubes, platforms and walls, and the scene loader
gives a model without a shape of its own a collision box of its extents, so
half extents of exactly 1 make a level's scale the box's half size.

Each face has its own four vertices so the loader's averaged normals stay flat
per face, and each face shows the whole skin, upright on the side faces.

    cube.py OUTPUT.md2
"""

import sys

import md2

# Corners of each face, clockwise as seen from outside, starting top left as
# seen by a viewer upright in front of the face (for the top and bottom faces:
# a viewer standing on the -z side looking across).
FACES = (
    ((-1, 1, 1), (1, 1, 1), (1, -1, 1), (-1, -1, 1)),        # +z
    ((1, 1, -1), (-1, 1, -1), (-1, -1, -1), (1, -1, -1)),    # -z
    ((1, 1, 1), (1, 1, -1), (1, -1, -1), (1, -1, 1)),        # +x
    ((-1, 1, -1), (-1, 1, 1), (-1, -1, 1), (-1, -1, -1)),    # -x
    ((-1, 1, -1), (1, 1, -1), (1, 1, 1), (-1, 1, 1)),        # +y
    ((-1, -1, 1), (1, -1, 1), (1, -1, -1), (-1, -1, -1)),    # -y
)
CORNER_UV = ((0, 1), (1, 1), (1, 0), (0, 0))
SKIN_SIZE = 128  # the size of the texture "cube"


def build():
    model = md2.Model(SKIN_SIZE, SKIN_SIZE, skins=["cube"])
    uv = [model.add_texcoord(u, v) for u, v in CORNER_UV]
    positions = []
    for corners in FACES:
        first = len(positions)
        positions.extend(corners)
        for a, b, c in ((0, 1, 2), (0, 2, 3)):
            model.add_triangle((first + a, first + b, first + c), (uv[a], uv[b], uv[c]))
    model.add_frame("cube", positions)
    return model


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: cube.py OUTPUT.md2")
    build().save(sys.argv[1])
