#!/usr/bin/env python3
"""Writes the tin toy robot: models/toyRobot.md2 and textures/toyRobot.tga.

A boxy wind-up robot about 2.5 tall, facing +z: glowing eyes, a chest of
dials and lamps, claw hands, an antenna and a brass key in its back. Two
animations of eight frames each:

- "turn" (frames turn01 to turn08, numbers 0 to 7): the robot turns once
  round the y axis, arms hanging, key winding;
- "armsEvil" (frames armsEvil01 to armsEvil08, numbers 8 to 15): facing +z,
  it holds its arms up, waves its forearms, snaps its claws and wags its
  head.

The box round all sixteen frames is centred on the origin.

    toyRobot.py RESOURCES_DIRECTORY
"""

import math
import os
import sys

import mesh
import paint
import tga

SKIN = 256
FRAMES = 8  # per animation

TIN = paint.colour("#cfdbe9")
TIN_DARK = paint.colour("#9fb0c6")
JOINT = paint.colour("#5d6675")
RED = paint.colour("#e5483b")
YELLOW = paint.colour("#ffd23f")
GREEN = paint.colour("#62c46b")
GLOW = paint.colour("#ff6a2a")
GLOW_CORE = paint.colour("#fff1a8")
BRASS = paint.colour("#e7bf55")
INK = paint.colour("#2a2630")
WHITE = paint.colour("#ffffff")


def rivets(c, s, t, inset=0.09, radius=0.035):
    for x in (inset, 1 - inset):
        for y in (inset, 1 - inset):
            c = paint.layer(c, TIN_DARK, math.hypot(s - x, t - y) - radius, 0.02)
    return c


def plate(s, t):
    """Tin sheet with a pressed border and a rivet in each corner."""
    border = paint.box_distance(s - 0.5, t - 0.5, 0.4, 0.4, 0.06)
    c = paint.layer(TIN, TIN_DARK, abs(border) - 0.012, 0.02)
    return rivets(c, s, t, 0.05, 0.025)


def dial(c, s, t, x, y, radius, angle):
    distance = math.hypot(s - x, t - y)
    c = paint.layer(c, INK, distance - radius, 0.015)
    c = paint.layer(c, WHITE, distance - radius + 0.015, 0.015)
    # The needle: a thick line from the centre at angle.
    dx, dy = math.cos(angle), math.sin(angle)
    along = (s - x) * dx + (t - y) * dy
    across = abs(-(s - x) * dy + (t - y) * dx)
    return paint.layer(c, RED, max(across - 0.012, -along, along - radius * 0.8), 0.012)


def chest(s, t):
    """The torso's front: two dials, three lamps and a speaker grille on a riveted plate."""
    c = plate(s, t)
    c = dial(c, s, t, 0.3, 0.68, 0.13, 2.2)
    c = dial(c, s, t, 0.7, 0.68, 0.13, 0.7)
    for x, lamp in ((0.3, RED), (0.5, YELLOW), (0.7, GREEN)):
        distance = math.hypot(s - x, t - 0.42) - 0.055
        c = paint.layer(c, INK, distance, 0.015)
        c = paint.layer(c, paint.mix(lamp, WHITE, 0.5 * paint.cover(math.hypot(s - x + 0.015, t - 0.435) - 0.015, 0.02)),
                        distance + 0.012, 0.015)
    grille = paint.box_distance(s - 0.5, t - 0.18, 0.25, 0.08, 0.03)
    c = paint.layer(c, INK, grille, 0.015)
    slots = max(grille + 0.02, abs((t - 0.18) * 25 % 1 - 0.5) - 0.22)
    return paint.layer(c, TIN_DARK, slots, 0.02)


def face(s, t):
    """The head's front: round glowing eyes and a grille mouth."""
    c = plate(s, t)
    for x in (0.3, 0.7):
        distance = math.hypot(s - x, t - 0.6) - 0.15
        c = paint.layer(c, INK, distance, 0.015)
        c = paint.layer(c, GLOW, distance + 0.035, 0.015)
        c = paint.layer(c, GLOW_CORE, math.hypot(s - x, t - 0.6) - 0.06, 0.04)
    mouth = paint.box_distance(s - 0.5, t - 0.22, 0.26, 0.08, 0.03)
    c = paint.layer(c, INK, mouth, 0.015)
    teeth = max(mouth + 0.025, abs((s - 0.5) * 10 % 1 - 0.5) - 0.3)
    return paint.layer(c, WHITE, teeth, 0.02)


ATLAS = paint.Atlas(SKIN, SKIN, TIN)
CHEST = ATLAS.region(4, 132, 124, 252, chest)
FACE = ATLAS.region(132, 156, 252, 252, face)
PLATE = ATLAS.region(4, 4, 84, 84, plate)
TIN_REGION = ATLAS.swatch(100, 20, TIN)
JOINT_REGION = ATLAS.swatch(112, 20, JOINT)
RED_REGION = ATLAS.swatch(124, 20, RED)
BRASS_REGION = ATLAS.swatch(136, 20, BRASS)

SHOULDER = (0.53, 1.5, 0.0)  # the right shoulder's pivot, standing on y = 0
UPPER_ARM = 0.38
FOREARM = 0.3


def plated_box(low, high, front=PLATE):
    """A box with the plate on every side and front on its +z face."""
    regions = {name: PLATE for name in mesh.BOX_FACES}
    regions["front"] = front
    return mesh.box(low, high, regions)


def cylinder(radius, bottom, top, segments=10):
    """An upright cylinder on the y axis from bottom to top."""
    return mesh.lathe([(radius, bottom), (radius, top)], segments)


def claw(opening):
    """A claw hanging from the wrist at the origin: a palm and two fingers opened by opening degrees."""
    palm = mesh.box((-0.07, -0.1, -0.06), (0.07, 0.0, 0.06)).mapped(JOINT_REGION)
    fingers = []
    for side in (-1, 1):
        finger = mesh.box((-0.025, -0.16, -0.045), (0.025, 0.0, 0.045)).mapped(RED_REGION)
        fingers.append(finger.transformed(mesh.translation(side * 0.05, -0.09, 0.0),
                                          mesh.rotation("z", side * opening)))
    return mesh.merged(palm, *fingers)


def arm(side, raise_degrees, spread_degrees, elbow_degrees, opening):
    """An arm hanging from its shoulder, bent at the elbow, spread outward, then raised forward."""
    shoulder = mesh.ellipsoid((0.13, 0.13, 0.13), 10, 6).mapped(RED_REGION)
    upper = cylinder(0.085, -UPPER_ARM, 0.0).mapped(TIN_REGION)
    elbow = mesh.ellipsoid((0.09, 0.09, 0.09), 8, 6).mapped(JOINT_REGION)
    forearm = mesh.merged(cylinder(0.075, -FOREARM, 0.0).mapped(TIN_REGION),
                          claw(opening).transformed(mesh.translation(0.0, -FOREARM, 0.0)))
    lower = mesh.merged(elbow, forearm.transformed(mesh.rotation("z", side * elbow_degrees)))
    whole = mesh.merged(shoulder, upper, lower.transformed(mesh.translation(0.0, -UPPER_ARM, 0.0)))
    return whole.transformed(mesh.translation(side * SHOULDER[0], SHOULDER[1], SHOULDER[2]),
                             mesh.rotation("x", -raise_degrees), mesh.rotation("z", side * spread_degrees))


def key(turn):
    """The brass key sticking out of the back, turned by turn degrees about its shaft."""
    shaft = cylinder(0.035, 0.0, 0.2, 8)
    hub = mesh.ellipsoid((0.06, 0.05, 0.05), 8, 6).transformed(mesh.translation(0.0, 0.2, 0.0))
    bow = [mesh.ellipsoid((0.14, 0.11, 0.03), 10, 6).transformed(mesh.translation(side * 0.13, 0.25, 0.0))
           for side in (-1, 1)]
    return mesh.merged(shaft, hub, *bow).mapped(BRASS_REGION).transformed(
        mesh.translation(0.0, 1.2, -0.26), mesh.rotation("z", turn), mesh.rotation("x", -90))


def body(head_tilt, key_turn):
    """Everything but the arms, standing on y = 0."""
    feet = [mesh.box((x - 0.17, 0.0, -0.22), (x + 0.17, 0.16, 0.28)).mapped(RED_REGION) for x in (-0.22, 0.22)]
    legs = [plated_box((x - 0.12, 0.16, -0.13), (x + 0.12, 0.68, 0.13)) for x in (-0.22, 0.22)]
    hips = mesh.box((-0.36, 0.66, -0.2), (0.36, 0.8, 0.2)).mapped(JOINT_REGION)
    torso = plated_box((-0.45, 0.8, -0.27), (0.45, 1.65, 0.27), CHEST)
    neck = cylinder(0.1, 1.6, 1.8).mapped(JOINT_REGION)
    head = plated_box((-0.32, 1.76, -0.25), (0.32, 2.26, 0.25), FACE)
    bolts = [cylinder(0.08, 0.0, 0.06, 8).mapped(RED_REGION).transformed(
        mesh.translation(side * 0.32, 2.0, 0.0), mesh.rotation("z", -side * 90)) for side in (-1, 1)]
    antenna = mesh.merged(cylinder(0.025, 2.2, 2.45, 6).mapped(JOINT_REGION),
                          mesh.ellipsoid((0.065, 0.065, 0.065), 8, 6).mapped(RED_REGION)
                          .transformed(mesh.translation(0.0, 2.48, 0.0)))
    # The head wags about the top of the neck.
    head_parts = mesh.merged(head, *bolts, antenna).transformed(
        mesh.translation(0.0, 1.76, 0.0), mesh.rotation("z", head_tilt), mesh.translation(0.0, -1.76, 0.0))
    return mesh.merged(*feet, *legs, hips, torso, neck, head_parts, key(key_turn))


def turning(frame):
    """Frame of "turn": arms down, the whole robot turned by 45 degrees a frame."""
    robot = mesh.merged(body(0.0, 45.0 * frame),
                        *(arm(side, 0.0, 6.0, 5.0, 15.0) for side in (-1, 1)))
    return robot.transformed(mesh.rotation("y", 45.0 * frame))


def arms_evil(frame):
    """Frame of "armsEvil": arms up, forearms waving in turn, claws snapping, head wagging."""
    phase = 2 * math.pi * frame / FRAMES
    arms = [arm(side, 165.0, 6.0, 15.0 + 20.0 * math.sin(phase + side * math.pi / 2),
                20.0 + 15.0 * math.sin(2 * phase)) for side in (-1, 1)]
    return mesh.merged(body(8.0 * math.sin(phase), 45.0 * frame), *arms)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: toyRobot.py RESOURCES_DIRECTORY")
    names = [f"turn{f + 1:02d}" for f in range(FRAMES)] + [f"armsEvil{f + 1:02d}" for f in range(FRAMES)]
    meshes = mesh.centred([turning(f) for f in range(FRAMES)] + [arms_evil(f) for f in range(FRAMES)])
    mesh.save_model(os.path.join(sys.argv[1], "models", "toyRobot.md2"), "toyRobot", (SKIN, SKIN),
                    list(zip(names, meshes)))
    tga.write(ATLAS.paint(), os.path.join(sys.argv[1], "textures", "toyRobot.tga"))
