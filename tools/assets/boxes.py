#!/usr/bin/env python3
"""Writes the level's building boxes and their textures.

Each model is a box from -1 to 1 on every axis, like "cube", so a level's
scale is the box's half size; they differ in how their faces hold the
texture:

- "plank" (texture "plank"): a walkway board. Every face shows the whole
  texture once, upright; on the top face the boards run along x, so stretch
  a plank along x.
- "floor" (texture "floor", wooden parquet, or "playMat", foam puzzle
  tiles): the top and bottom faces repeat the texture 8 x 8 times, the sides
  8 times along and once up, so a floor scaled to 20 to 60 keeps tiles of a
  few units.
- "wall" (texture "wall", striped wallpaper with stars): the four upright
  faces repeat the texture 8 times along and 4 times up, the top and bottom
  8 x 1.

    boxes.py RESOURCES_DIRECTORY
"""

import math
import os
import sys

import mesh
import paint
import tga

SKIN = 256
UPRIGHT_FACES = ("front", "back", "right", "left")

WOOD_LIGHT = paint.colour("#f0c98f")
WOOD = paint.colour("#dfa866")
WOOD_DARK = paint.colour("#b97a3c")
GAP = paint.colour("#7a4f28")
NAIL = paint.colour("#8f8a86")
WALL = paint.colour("#fcebd0")
WALL_STRIPE = paint.colour("#f6dcb4")
WALL_LINE = paint.colour("#eac9a0")
STAR = paint.colour("#f9c45e")
MAT_COLOURS = (paint.colour("#ffc7a8"), paint.colour("#bfe8c4"), paint.colour("#bcdcff"), paint.colour("#fff1a6"))
MAT_SEAM = paint.colour("#8c7d70")


def repeated(side_along, side_up, top_along, top_up):
    """Box face regions repeating the texture: on the upright faces along and up, on the top and bottom along x and z."""
    regions = {name: (0.0, 0.0, side_along, side_up) for name in UPRIGHT_FACES}
    regions["top"] = regions["bottom"] = (0.0, 0.0, top_along, top_up)
    return regions


def wood(noise, x, y, lines, tint):
    """Wood of colour tint with its grain along x (x and y in noise lattice units)."""
    g = paint.grain(noise, x, y, lines)
    return paint.mix(paint.mix(tint, WOOD_LIGHT, 0.3 * noise(x * 2, y * 6)), WOOD_DARK, 0.55 * g)


PLANK_NOISE = paint.Noise(8, 11)
BOARDS = 4


def plank(s, t):
    """Four boards along s, parted by dark gaps, nailed at both ends."""
    board = min(BOARDS - 1, int(t * BOARDS))
    across = t * BOARDS - board  # 0 to 1 across this board
    tint = paint.mix(WOOD, WOOD_LIGHT, (board * 0.37) % 0.6)
    c = wood(PLANK_NOISE, s * 8, t * 8 + board * 3.1, 1.2, tint)
    edge = min(across, 1 - across) * SKIN / BOARDS  # texels to the board's edge
    c = paint.layer(c, GAP, edge - 1.5, 1.0)
    for nail_s in (0.04, 0.96):
        for nail_t in (0.3, 0.7):
            distance = math.hypot((s - nail_s) * SKIN, (across - nail_t) * SKIN / BOARDS) - 3.5
            c = paint.layer(c, NAIL, distance, 1.0)
    return c


PARQUET_NOISE = paint.Noise(8, 23)
STRIPS = 3  # per block; the texture holds 2 x 2 blocks


def parquet(s, t):
    """Basket-weave parquet: 2 x 2 blocks of three strips, turned a quarter from block to block."""
    bx, by = int(s * 2) % 2, int(t * 2) % 2
    x, y = (s * 2) % 1, (t * 2) % 1
    if (bx + by) % 2:
        x, y = y, x  # strips run up this block
    strip = min(STRIPS - 1, int(y * STRIPS))
    across = y * STRIPS - strip
    tint = paint.mix(WOOD, WOOD_LIGHT, ((strip + 2 * bx + 3 * by) * 0.29) % 0.5)
    c = wood(PARQUET_NOISE, x * 4, across + strip * 2.3 + bx * 5 + by * 7, 1.5, tint)
    edge = min(across, 1 - across) * SKIN / 2 / STRIPS  # texels to the strip's side
    block_edge = min(x, 1 - x) * SKIN / 2               # texels to the block's end
    return paint.layer(c, GAP, min(edge, block_edge) - 1.0, 1.0)


TAB_CENTRE, TAB_RADIUS = 0.06, 0.1  # of a tile: a round tab with a narrower neck


def mat_tile(s, t):
    """The tile of the 2 x 2 that owns (s, t): its square, less the tabs of its left and lower neighbours."""
    x, y = s * 2, t * 2
    tx, ty = math.floor(x), math.floor(y)
    fx, fy = x - tx, y - ty
    if math.hypot(fx - TAB_CENTRE, fy - 0.5) < TAB_RADIUS:
        tx -= 1
    elif math.hypot(fx - 0.5, fy - TAB_CENTRE) < TAB_RADIUS:
        ty -= 1
    return tx % 2, ty % 2


def play_mat(s, t):
    """Foam puzzle tiles in four colours, 2 x 2 to the texture, locked by round tabs."""
    tile = mat_tile(s, t)
    reach = 1.2 / SKIN
    around = [mat_tile(s + reach * math.cos(a * math.pi / 4), t + reach * math.sin(a * math.pi / 4))
              for a in range(8)]
    seam = sum(other != tile for other in around) / 4
    return paint.mix(MAT_COLOURS[tile[0] + 2 * tile[1]], MAT_SEAM, paint.clamp(seam))


def wallpaper(s, t):
    """Cream wallpaper: broad stripes, a fine line between them and staggered stars on the stripes."""
    column = (s * 4) % 1
    c = WALL_STRIPE if column < 0.5 else WALL
    c = paint.layer(c, WALL_LINE, abs(column - 0.75) * SKIN / 4 - 0.8, 1.0)
    stripe = int(s * 4) % 4
    if column < 0.5:
        star_y = ((t * 2) + stripe * 0.5) % 1
        x, y = (column - 0.25) * SKIN / 4, (star_y - 0.5) * SKIN / 2
        angle = math.atan2(y, x)
        radius = 11 * (0.6 + 0.4 * math.cos(5 * (angle - math.pi / 2)))
        c = paint.layer(c, STAR, math.hypot(x, y) - radius, 1.2)
    return c


def write(resources, name, regions, texture_name, shade):
    mesh.save_model(os.path.join(resources, "models", name + ".md2"), texture_name, (SKIN, SKIN),
                    [(name, mesh.box((-1, -1, -1), (1, 1, 1), regions))])
    tga.write(paint.paint(SKIN, SKIN, shade), os.path.join(resources, "textures", texture_name + ".tga"))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: boxes.py RESOURCES_DIRECTORY")
    resources = sys.argv[1]
    write(resources, "plank", None, "plank", plank)
    write(resources, "floor", repeated(8, 1, 8, 8), "floor", parquet)
    tga.write(paint.paint(SKIN, SKIN, play_mat), os.path.join(resources, "textures", "playMat.tga"))
    write(resources, "wall", repeated(8, 4, 8, 1), "wall", wallpaper)
