#!/usr/bin/env python3
"""Writes the wind-up toy mouse: models/toyMouse.md2 and textures/toyMouse.tga.

A felt mouse about 1.5 long (nose at +z, tail curling up behind at -z) on
four little feet, with a brass key in its back. Its animation "turn" (frames
turn01 to turn08) winds the key once round while the mouse waddles: it rocks
from side to side, lifts its feet in turn and swings its tail, one cycle over
the eight frames. The box round all frames is centred on the origin.

Texture (256 x 256): the body's felt wrapped round it (belly along the
seam), the ears, and swatches of pink, black, brass and white.

    toyMouse.py RESOURCES_DIRECTORY
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

FELT = paint.colour("#d9d6de")
FELT_DARK = paint.colour("#b9b4c2")
BELLY = paint.colour("#f6f1ea")
STITCH = paint.colour("#8d8598")
PINK = paint.colour("#ffadc0")
INNER_EAR = paint.colour("#ff93ad")
BLACK = paint.colour("#241c1c")
BRASS = paint.colour("#e7bf55")
WHITE = paint.colour("#ffffff")

# The body runs along z from its tail end to its nose: (z, radius).
BODY_PROFILE = [(-0.5, 0.0), (-0.47, 0.16), (-0.38, 0.27), (-0.22, 0.33), (-0.05, 0.34), (0.1, 0.31),
                (0.25, 0.25), (0.38, 0.17), (0.5, 0.09), (0.6, 0.035), (0.64, 0.0)]
BODY_FLATTEN = 0.85  # the body is lower than wide
FLOOR_GAP = 0.05     # between the body's underside and the floor


def body_radius(z):
    """The body's radius at z (before flattening), by straight lines between profile points."""
    for (z0, r0), (z1, r1) in zip(BODY_PROFILE, BODY_PROFILE[1:]):
        if z0 <= z <= z1:
            return r0 + (r1 - r0) * (z - z0) / (z1 - z0)
    return 0.0


def felt(s, t):
    """The body's cover: s goes round from the belly, t from the tail end to the nose."""
    round_angle = abs(s - 0.5) * 2  # 0 on the back, 1 under the belly
    c = paint.mix(FELT, BELLY, paint.smoothstep(0.55, 0.7, round_angle))
    tuft = abs(math.sin(t * math.pi * 14) * math.sin(s * math.pi * 18))
    c = paint.mix(c, FELT_DARK, 0.25 * paint.smoothstep(0.7, 1.0, tuft) * (1 - round_angle))
    stitch = abs(s - 0.5) * 80 - 1 + paint.smoothstep(0.4, 0.5, abs((t * 24) % 1 - 0.5))
    return paint.layer(c, STITCH, stitch, 1.2) if 0.12 < t < 0.8 else c


def ear(s, t):
    """An ear seen from the front: a pink inside in a felt rim (s round the ear, t up)."""
    distance = paint.ellipse_distance((s - 0.5) * 2, (t - 0.5) * 2, 0.42, 0.62)
    return paint.layer(FELT, INNER_EAR, distance, 0.08)


ATLAS = paint.Atlas(SKIN, SKIN, FELT)
BODY = ATLAS.region(4, 4, 172, 252, felt)
EAR = ATLAS.region(180, 132, 252, 252, ear)
PINK_REGION = ATLAS.swatch(184, 100, PINK)
BLACK_REGION = ATLAS.swatch(196, 100, BLACK)
BRASS_REGION = ATLAS.swatch(208, 100, BRASS)
WHITE_REGION = ATLAS.swatch(220, 100, WHITE)


def body():
    centres = [(0.0, 0.0, z) for z, _ in BODY_PROFILE]
    shape = mesh.sweep(centres, [r for _, r in BODY_PROFILE], SEGMENTS)
    return shape.transformed(mesh.scaling(1.0, BODY_FLATTEN, 1.0)).mapped(BODY)


def head_parts():
    """Ears, eyes with a glint, and the nose, placed on the body's surface."""
    parts = []
    for side in (-1, 1):
        ear_shape = mesh.ellipsoid((0.13, 0.15, 0.035), 12, 8).mapped(EAR)
        parts.append(ear_shape.transformed(mesh.translation(side * 0.15, 0.3, 0.12), mesh.rotation("y", -side * 20),
                                           mesh.rotation("z", -side * 25), mesh.rotation("x", -15)))
        eye_z = 0.36
        eye_y = body_radius(eye_z) * BODY_FLATTEN * 0.55
        eye_x = side * body_radius(eye_z) * 0.72
        parts.append(mesh.ellipsoid((0.055, 0.065, 0.055), 8, 6).mapped(BLACK_REGION)
                     .transformed(mesh.translation(eye_x, eye_y, eye_z)))
        parts.append(mesh.ellipsoid((0.018, 0.018, 0.018), 6, 4).mapped(WHITE_REGION)
                     .transformed(mesh.translation(eye_x * 1.1, eye_y + 0.03, eye_z + 0.042)))
    parts.append(mesh.ellipsoid((0.055, 0.05, 0.05), 8, 6).mapped(PINK_REGION)
                 .transformed(mesh.translation(0.0, 0.0, BODY_PROFILE[-1][0])))
    return parts


def tail(swing):
    """A tail curling up behind the mouse, swung sideways by swing degrees."""
    path = [(0.0, -0.02, -0.42), (0.0, -0.04, -0.56), (0.03, 0.0, -0.68), (0.07, 0.09, -0.74),
            (0.1, 0.19, -0.72), (0.1, 0.26, -0.64), (0.07, 0.28, -0.57)]
    radii = [0.035, 0.032, 0.028, 0.024, 0.02, 0.015, 0.0]
    shape = mesh.sweep(path, radii, 8).mapped(PINK_REGION)
    return shape.transformed(mesh.translation(0.0, 0.0, -0.42), mesh.rotation("y", swing),
                             mesh.translation(0.0, 0.0, 0.42))


def key(turn):
    """The brass wind-up key standing in the back, turned by turn degrees about its shaft."""
    shaft = mesh.lathe([(0.025, 0.0), (0.025, 0.2)], 8)
    bow = [mesh.ellipsoid((0.1, 0.08, 0.022), 10, 6).transformed(mesh.translation(side * 0.095, 0.26, 0.0))
           for side in (-1, 1)]
    hub = mesh.ellipsoid((0.04, 0.04, 0.035), 8, 6).transformed(mesh.translation(0.0, 0.22, 0.0))
    top = body_radius(-0.15) * BODY_FLATTEN
    return mesh.merged(shaft, hub, *bow).mapped(BRASS_REGION).transformed(
        mesh.translation(0.0, top - 0.03, -0.15), mesh.rotation("y", turn))


SOLE = -body_radius(0.0) * BODY_FLATTEN - FLOOR_GAP  # the floor under the mouse


def foot(x, z, lift):
    """A foot reaching from the floor (or lift above it) up into the body."""
    return mesh.ellipsoid((0.07, 0.075, 0.1), 8, 6).mapped(PINK_REGION).transformed(
        mesh.translation(x, SOLE + 0.075 + lift, z))


def build(frame):
    phase = 2 * math.pi * frame / FRAMES
    rock = 6 * math.sin(phase)
    upper = mesh.merged(body(), *head_parts(), tail(15 * math.sin(phase)), key(360.0 * frame / FRAMES))
    # The body rocks about the line where its soles meet the floor.
    upper = upper.transformed(mesh.translation(0, SOLE, 0), mesh.rotation("z", rock), mesh.translation(0, -SOLE, 0))
    lift_a, lift_b = max(0.0, math.sin(phase)) * 0.05, max(0.0, -math.sin(phase)) * 0.05
    feet = [foot(-0.17, 0.22, lift_a), foot(0.17, -0.22, lift_a), foot(0.17, 0.22, lift_b), foot(-0.17, -0.22, lift_b)]
    return mesh.merged(upper, *feet)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: toyMouse.py RESOURCES_DIRECTORY")
    meshes = mesh.centred([build(f) for f in range(FRAMES)])
    frames = [(f"turn{f + 1:02d}", m) for f, m in enumerate(meshes)]
    mesh.save_model(os.path.join(sys.argv[1], "models", "toyMouse.md2"), "toyMouse", (SKIN, SKIN), frames)
    tga.write(ATLAS.paint(), os.path.join(sys.argv[1], "textures", "toyMouse.tga"))
