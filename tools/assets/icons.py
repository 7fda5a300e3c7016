#!/usr/bin/env python3
"""Draws the game's icon, Tobble the Glimmet, into the hicolor icon theme.

The creature is the player's ball with its own texture (textures/tobble.tga)
seen from the front and a little above, lit and cel-shaded the way the game
draws it (the ramp shaders/celShaderTex, a black outline), on a transparent
background. Each size is drawn directly with 4 x 4 samples a pixel, so
small icons stay crisp, and written as PNG by hand so that no dates or
names reach the files.

A scalable version draws the same face in the creature's colours with
plain SVG shapes.

    icons.py RESOURCES_DIRECTORY ICON_THEME_DIRECTORY
writes ICON_THEME_DIRECTORY/hicolor/NxN/apps/glimmet.png for each size and
ICON_THEME_DIRECTORY/hicolor/scalable/apps/glimmet.svg.
"""

import math
import os
import struct
import sys
import zlib

import magick
import tobble

SIZES = (48, 64, 128, 256)
SAMPLES = 4           # per pixel and axis
RADIUS = 0.9          # of the ball, in half icon widths; the outline fills the rest
OUTLINE = 0.06        # outline width, in half icon widths
TILT_DEGREES = -25    # seen from above
TURN_DEGREES = 12     # turned a little to show a side's spots
LIGHT = (-0.45, 0.6, 0.66)  # from the upper left, in front
TINT = (1.0, 1.0, 1.0)  # base mode's white material


def normalised(v):
    length = math.sqrt(sum(a * a for a in v))
    return tuple(a / length for a in v)


def rotated_x(v, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return (v[0], c * v[1] - s * v[2], s * v[1] + c * v[2])


def rotated_y(v, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return (c * v[0] + s * v[2], v[1], -s * v[0] + c * v[2])


class Texture:
    def __init__(self, path):
        self.image = magick.render([path])

    def at(self, d):
        """The texel the ball's direction d shows (the model's wrapping)."""
        latitude = math.asin(max(-1.0, min(1.0, d[1])))
        longitude = math.atan2(-d[0], -d[2]) % (2 * math.pi)
        u = longitude / (2 * math.pi)
        v = latitude / math.pi + 0.5
        x = min(int(u * self.image.width), self.image.width - 1)
        # convert hands the Targa's rows over bottom row first.
        y = min(int(v * self.image.height), self.image.height - 1)
        i = 3 * (y * self.image.width + x)
        return tuple(b / 255 for b in self.image.rgb[i:i + 3])


def read_ramp(path):
    with open(path) as f:
        return [float(line) for line in f if line.strip()]


def sample(x, y, texture, ramp, light):
    """RGBA (floats) at (x, y) in half icon widths, y up, centre 0."""
    r = math.hypot(x, y)
    if r > RADIUS + OUTLINE:
        return (0.0, 0.0, 0.0, 0.0)
    if r > RADIUS:
        return (0.0, 0.0, 0.0, 1.0)
    seen = (x / RADIUS, y / RADIUS, math.sqrt(max(0.0, 1 - (r / RADIUS) ** 2)))
    # Into the ball's own frame, where its face looks along +z.
    d = rotated_y(rotated_x(seen, TILT_DEGREES), TURN_DEGREES)
    diffuse = max(0.0, sum(a * b for a, b in zip(seen, light)))
    brightness = ramp[min(int(diffuse * len(ramp)), len(ramp) - 1)]
    halfway = normalised((light[0], light[1], light[2] + 1))
    highlight = 0.35 if sum(a * b for a, b in zip(seen, halfway)) > 0.97 else 0.0
    colour = texture.at(d)
    return tuple(min(1.0, c * t * (0.3 + brightness) + highlight) for c, t in zip(colour, TINT)) + (1.0,)


def draw(size, texture, ramp):
    light = normalised(LIGHT)
    pixels = bytearray()
    for row in range(size):
        pixels.append(0)  # PNG filter: none
        for column in range(size):
            total = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = ((column + (sx + 0.5) / SAMPLES) / size) * 2 - 1
                    y = 1 - ((row + (sy + 0.5) / SAMPLES) / size) * 2
                    r, g, b, a = sample(x, y, texture, ramp, light)
                    total = [total[0] + r * a, total[1] + g * a, total[2] + b * a, total[3] + a]
            alpha = total[3]
            rgb = [c / alpha if alpha else 0.0 for c in total[:3]]
            pixels += bytes(round(255 * c) for c in rgb) + bytes([round(255 * alpha / SAMPLES ** 2)])
    return bytes(pixels)


def png(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))


def hex_colour(c):
    return "#" + "".join(f"{round(255 * x):02x}" for x in c)


def svg():
    """The face on the ball as SVG shapes, on a 256 unit square."""
    fur, stripe, belly, cheek, ink = (hex_colour(c) for c in (tobble.FUR, tobble.STRIPE, tobble.BELLY,
                                                               tobble.CHEEK, tobble.INK))
    eyes = "".join(
        f'<ellipse cx="{x}" cy="118" rx="25" ry="30" fill="#ffffff" stroke="{ink}" stroke-width="5"/>'
        f'<ellipse cx="{x + 3 * side}" cy="122" rx="14" ry="17" fill="{ink}"/>'
        f'<circle cx="{x + 3 * side - 5}" cy="114" r="5" fill="#ffffff"/>'
        for x, side in ((98, 1), (158, -1)))
    cheeks = "".join(f'<ellipse cx="{x}" cy="160" rx="14" ry="9" fill="{cheek}"/>' for x in (68, 188))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n'
            '<defs><radialGradient id="light" cx="0.35" cy="0.3" r="0.75">'
            f'<stop offset="0" stop-color="#ffffff"/><stop offset="0.45" stop-color="{fur}"/>'
            f'<stop offset="1" stop-color="{stripe}"/></radialGradient></defs>\n'
            f'<circle cx="128" cy="128" r="115" fill="url(#light)" stroke="#000000" stroke-width="9"/>\n'
            f'<ellipse cx="128" cy="196" rx="70" ry="38" fill="{belly}" opacity="0.8"/>\n'
            f'{cheeks}\n{eyes}\n'
            f'<path d="M 110 164 Q 128 182 146 164" fill="none" stroke="{ink}" stroke-width="6" '
            'stroke-linecap="round"/>\n'
            '</svg>\n')


def main(argv):
    if len(argv) != 3:
        sys.exit("usage: icons.py RESOURCES_DIRECTORY ICON_THEME_DIRECTORY")
    texture = Texture(os.path.join(argv[1], "textures", "tobble.tga"))
    ramp = read_ramp(os.path.join(argv[1], "shaders", "celShaderTex"))
    for size in SIZES:
        directory = os.path.join(argv[2], "hicolor", f"{size}x{size}", "apps")
        os.makedirs(directory, exist_ok=True)
        with open(os.path.join(directory, "glimmet.png"), "wb") as f:
            f.write(png(size, draw(size, texture, ramp)))
    directory = os.path.join(argv[2], "hicolor", "scalable", "apps")
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, "glimmet.svg"), "w") as f:
        f.write(svg())


if __name__ == "__main__":
    main(sys.argv)
