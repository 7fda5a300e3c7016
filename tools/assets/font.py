#!/usr/bin/env python3
"""Writes the texture "font": one row of 30 x 64 texel glyph cells, codes 32 to 127.

Cell g (from the left edge) holds the character of code 32 + g, upright, with
its baseline 16 texels above the cell's bottom edge. Code 127 has no glyph of
its own; its cell holds a hollow box, which the renderer shows for every
character it cannot draw.

Channels: red and blue hold the glyph's coverage, green the glyph grown by an
outline of about two texels. The shader "font" keeps texels whose green is at
least one half and colours them by red, so text has a black rim.

    font.py OUTPUT.tga

Glyphs are rendered with ImageMagick from DejaVu Sans Mono Bold (Debian's
fonts-dejavu-core).
"""

import sys

import magick
import tga

FIRST_CODE = 32
LAST_CODE = 127
CELL_WIDTH = 30
CELL_HEIGHT = 64
POINT_SIZE = 40
BASELINE = CELL_HEIGHT - 16  # in rows from the top
ADVANCE = POINT_SIZE * 1233 / 2048  # DejaVu Sans Mono's advance width
OUTLINE_RADIUS = 2.3
REPLACEMENT_BOX = (8, BASELINE - 28, CELL_WIDTH - 9, BASELINE - 1)  # left, top, right, bottom


def render_coverage():
    """Glyph coverage of the whole strip, 0 to 255, rows top to bottom."""
    count = LAST_CODE - FIRST_CODE + 1
    x = (CELL_WIDTH - ADVANCE) / 2
    args = ["-size", f"{CELL_WIDTH * count}x{CELL_HEIGHT}", "xc:black",
            "-font", magick.MONO_BOLD, "-pointsize", str(POINT_SIZE), "-fill", "white"]
    for code in range(FIRST_CODE, LAST_CODE):
        cell = (code - FIRST_CODE) * CELL_WIDTH
        args += ["-annotate", f"+{cell + x:.2f}+{BASELINE}", magick.annotate_text(chr(code))]
    left, top, right, bottom = REPLACEMENT_BOX
    cell = (LAST_CODE - FIRST_CODE) * CELL_WIDTH
    args += ["-fill", "none", "-stroke", "white", "-strokewidth", "3",
             "-draw", f"rectangle {cell + left},{top} {cell + right},{bottom}"]
    image = magick.render(args)
    return image.width, image.height, image.rgb[0::3]


def _disk(radius):
    reach = int(radius)
    return [(dx, dy) for dy in range(-reach, reach + 1) for dx in range(-reach, reach + 1)
            if dx * dx + dy * dy <= radius * radius]


def grow(coverage, width, height, radius):
    """Grey-level dilation of coverage by a disk.

    The result stays off the first and last column of every cell, so a
    linearly filtered lookup at a cell's edge never picks up its neighbour.
    """
    disk = _disk(radius)
    grown = bytearray(len(coverage))
    for y in range(height):
        for x in range(width):
            value = coverage[y * width + x]
            if not value:
                continue
            cell_left = x - x % CELL_WIDTH
            for dx, dy in disk:
                nx, ny = x + dx, y + dy
                if cell_left < nx < cell_left + CELL_WIDTH - 1 and 0 <= ny < height:
                    at = ny * width + nx
                    if grown[at] < value:
                        grown[at] = value
    return grown


def build():
    width, height, fill = render_coverage()
    rim = grow(fill, width, height, OUTLINE_RADIUS)
    rgb = bytearray(width * height * 3)
    rgb[0::3] = fill
    rgb[1::3] = rim
    rgb[2::3] = fill
    return tga.Image(width, height, rgb)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: font.py OUTPUT.tga")
    tga.write(build(), sys.argv[1])
