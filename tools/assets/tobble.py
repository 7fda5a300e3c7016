#!/usr/bin/env python3
"""Writes the player creature "Tobble the Glimmet": models/tobble.md2 and textures/tobble.tga.

The model is a ball of radius 1 centred on the origin, the size of the
player's collision sphere, with one frame. Its texture is wrapped round it
by longitude (u, starting at -z and turning through -x, so u = 0.5 faces
+z) and latitude (v = 0 at the bottom pole, 1 at the top).

The creature faces +z: big eyes and a smile, a pale belly under them, rosy
cheeks, and stripes down its back and spots on its sides so that its rolling
shows from every side. Its fur is a pale lavender because the player's modes
tint it with the material's colour (white, red, blue, grey).

    tobble.py RESOURCES_DIRECTORY
"""

import math
import os
import sys

import mesh
import paint
import tga

SEGMENTS = 24  # round the equator
RINGS = 12     # pole to pole; 24 x 12 gives 528 triangles
SKIN = 256

FUR = paint.colour("#e6d9ff")
STRIPE = paint.colour("#b89cf2")
SPOT = paint.colour("#cdb8fb")
BELLY = paint.colour("#fff6e6")
CHEEK = paint.colour("#ffb7cb")
EYE_WHITE = paint.colour("#ffffff")
INK = paint.colour("#2e1d10")

# Softening of shape edges, in radians of the ball: about one texel.
EDGE = math.pi / SKIN


def build():
    return mesh.ellipsoid((1.0, 1.0, 1.0), SEGMENTS, RINGS)


def direction(u, v):
    """The point of the unit ball that texture coordinate (u, v) lands on."""
    longitude, latitude = 2 * math.pi * u, math.pi * (v - 0.5)
    return (-math.cos(latitude) * math.sin(longitude), math.sin(latitude),
            -math.cos(latitude) * math.cos(longitude))


class Spot:
    """Local flat coordinates round a point of the ball, in radians.

    x runs towards +x as seen from outside facing the point, y towards the
    top pole; the angle from the front (+z) and the latitude place it.
    """

    def __init__(self, degrees_from_front, degrees_latitude):
        longitude = math.pi + math.radians(degrees_from_front)
        latitude = math.radians(degrees_latitude)
        self.centre = direction(longitude / (2 * math.pi), latitude / math.pi + 0.5)
        self.east = (-math.cos(longitude), 0.0, math.sin(longitude))
        self.north = (math.sin(latitude) * math.sin(longitude), math.cos(latitude),
                      math.sin(latitude) * math.cos(longitude))

    def local(self, d):
        """(x, y) of direction d near the spot, or None on the far half of the ball."""
        if sum(a * b for a, b in zip(d, self.centre)) <= 0.2:
            return None
        return (sum(a * b for a, b in zip(d, self.east)), sum(a * b for a, b in zip(d, self.north)))


BELLY_SPOT = Spot(0, -50)
EYES = (Spot(-21, 16), Spot(21, 16))
CHEEKS = (Spot(-40, -6), Spot(40, -6))
MOUTH = Spot(0, -6)
SIDE_SPOTS = ((Spot(80, 20), 0.16), (Spot(100, -25), 0.12), (Spot(65, -50), 0.1),
              (Spot(-80, 20), 0.16), (Spot(-100, -25), 0.12), (Spot(-65, -50), 0.1),
              (Spot(0, 58), 0.12))
STRIPE_LONGITUDES = (-36, 0, 36)  # degrees from the middle of the back


def stripes(d, colour_so_far):
    """Three stripes down the back, narrowing towards the poles."""
    latitude = math.asin(max(-1.0, min(1.0, d[1])))
    back_angle = math.degrees(math.atan2(-d[0], -d[2]))  # 0 at -z, positive towards -x
    for centre in STRIPE_LONGITUDES:
        half_width = 0.16 * math.cos(latitude) ** 0.5
        sideways = math.radians(back_angle - centre) * math.cos(latitude)
        along = max(0.0, abs(latitude - math.radians(5)) - math.radians(55))
        distance = math.hypot(max(abs(sideways) - half_width, 0.0), along) + min(abs(sideways) - half_width, 0.0)
        colour_so_far = paint.layer(colour_so_far, STRIPE, distance, EDGE * 2)
    return colour_so_far


def eye(d, spot, colour_so_far):
    at = spot.local(d)
    if at is None:
        return colour_so_far
    x, y = at
    rim = paint.ellipse_distance(x, y, 0.25, 0.31)
    colour_so_far = paint.layer(colour_so_far, INK, rim, EDGE)
    colour_so_far = paint.layer(colour_so_far, EYE_WHITE, rim + 0.03, EDGE)
    towards_nose = -0.03 if spot.centre[0] > 0 else 0.03
    colour_so_far = paint.layer(colour_so_far, INK, paint.ellipse_distance(x - towards_nose, y + 0.04, 0.14, 0.18), EDGE)
    return paint.layer(colour_so_far, EYE_WHITE, math.hypot(x - towards_nose + 0.05, y - 0.03) - 0.05, EDGE)


def mouth(d, colour_so_far):
    at = MOUTH.local(d)
    if at is None:
        return colour_so_far
    x, y = at
    # The lower part of a circle round a point above the mouth: a smile.
    ring = abs(math.hypot(x, y - 0.1) - 0.17) - 0.025
    lower = max(ring, y - 0.02)
    return paint.layer(colour_so_far, INK, lower, EDGE)


def shade(u, v):
    d = direction(u, v)
    c = stripes(d, FUR)
    for spot, radius in SIDE_SPOTS:
        at = spot.local(d)
        if at is not None:
            c = paint.layer(c, SPOT, math.hypot(*at) - radius, EDGE)
    at = BELLY_SPOT.local(d)
    if at is not None:
        c = paint.layer(c, BELLY, paint.ellipse_distance(at[0], at[1], 0.62, 0.45), EDGE * 3)
    for cheek in CHEEKS:
        at = cheek.local(d)
        if at is not None:
            c = paint.layer(c, CHEEK, paint.ellipse_distance(at[0], at[1], 0.11, 0.07), EDGE * 3)
    for spot in EYES:
        c = eye(d, spot, c)
    return mouth(d, c)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: tobble.py RESOURCES_DIRECTORY")
    mesh.save_model(os.path.join(sys.argv[1], "models", "tobble.md2"), "tobble", (SKIN, SKIN),
                    [("tobble", build())])
    tga.write(paint.paint(SKIN, SKIN, shade), os.path.join(sys.argv[1], "textures", "tobble.tga"))
