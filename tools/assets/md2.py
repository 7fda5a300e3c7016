#!/usr/bin/env python3
"""Writes key-frame models in the MD2 format the game's model loader reads.

Build a model in code:

    model = md2.Model(skin_width=256, skin_height=256, skins=["tobble"])
    t0 = model.add_texcoord(0.0, 0.0)          # u right, v up from the image's bottom row
    model.add_triangle((0, 1, 2), (t0, t1, t2))  # clockwise seen from outside
    model.add_frame("turn01", positions)       # one (x, y, z) per vertex
    model.save("resources/models/thing.md2")

Conventions the game relies on:
- A triangle is a front face when its corners run clockwise as seen from
  outside (the renderer sets glFrontFace(GL_CW) and culls back faces). The
  loader's smooth normals then point outwards.
- The loader averages normals per vertex index, so vertices shared by faces
  meeting at a hard edge must be separate vertices when the edge should stay
  sharp.
- Texture coordinates are divided by the skin size without flipping, and the
  game's Targa files store their bottom row first, so v = 0 is the bottom row
  of the image.
- Every frame has the same vertex count; an animation is a run of frames,
  named for example "turn01" to "turn08".

Vertices are stored per frame as bytes on a grid (scale and translate per
axis); the writer picks the grid so that each frame's extreme coordinates come
back exactly when the loader multiplies and adds in 32-bit floats.

As a program:
    md2.py build DESCRIPTION.json OUTPUT.md2   (see build_from_description)
    md2.py info MODEL.md2                      (header, frames, decoded extents)
"""

import argparse
import json
import math
import struct
import sys

IDENT = 844121161  # "IDP2" read as a little-endian integer
VERSION = 8
HEADER = struct.Struct("<17i")
SKIN_NAME_SIZE = 64
TEXCOORD = struct.Struct("<2h")
TRIANGLE = struct.Struct("<6h")
FRAME_HEAD = struct.Struct("<3f3f16s")
FRAME_NAME_SIZE = 16
INT16_MAX = 0x7FFF


def _f32(value):
    return struct.unpack("<f", struct.pack("<f", value))[0]


def _decode(byte, scale, translate):
    """What the loader computes for one stored coordinate, in 32-bit floats."""
    return _f32(_f32(byte * scale) + translate)


def _grid(lo, hi):
    """Scale and translate (as 32-bit floats) of a 256-step grid from lo to hi."""
    translate = _f32(lo)
    if hi <= lo:
        return 1.0, translate
    scale = _f32((hi - lo) / 255.0)
    # Nudge the scale by a few units in the last place until the top of the
    # grid decodes to hi exactly, so extents and flat faces come out clean.
    for step in range(8):
        for candidate in (scale * (1 + step * 2.0 ** -23), scale * (1 - step * 2.0 ** -23)):
            candidate = _f32(candidate)
            if _decode(255, candidate, translate) == _f32(hi):
                return candidate, translate
    return scale, translate


def _quantise(value, scale, translate):
    return min(255, max(0, int(round((value - translate) / scale))))


class Frame:
    def __init__(self, name, positions):
        encoded = name.encode("ascii")
        if len(encoded) >= FRAME_NAME_SIZE:
            raise ValueError(f"frame name {name!r} is longer than {FRAME_NAME_SIZE - 1} characters")
        self.name = name
        self.positions = [tuple(float(c) for c in p) for p in positions]
        for p in self.positions:
            if len(p) != 3 or not all(math.isfinite(c) for c in p):
                raise ValueError(f"frame {name!r}: vertex {p} is not three finite numbers")

    def encode(self):
        grids = [_grid(min(p[axis] for p in self.positions), max(p[axis] for p in self.positions))
                 for axis in range(3)]
        out = bytearray(FRAME_HEAD.pack(*(g[0] for g in grids), *(g[1] for g in grids),
                                         self.name.encode("ascii")))
        for p in self.positions:
            out += bytes(_quantise(p[axis], *grids[axis]) for axis in range(3))
            out.append(0)  # normal index: the game computes its own normals
        return bytes(out)


class Model:
    """An MD2 model under construction: skins, texture coordinates, triangles, frames."""

    def __init__(self, skin_width, skin_height, skins=("skin",)):
        if not (0 < skin_width <= INT16_MAX and 0 < skin_height <= INT16_MAX):
            raise ValueError(f"skin size {skin_width}x{skin_height} is out of range")
        if not skins:
            raise ValueError("an MD2 model needs at least one skin name")
        for skin in skins:
            if len(skin.encode("ascii")) >= SKIN_NAME_SIZE:
                raise ValueError(f"skin name {skin!r} is too long")
        self.skin_width = skin_width
        self.skin_height = skin_height
        self.skins = list(skins)
        self.texcoords = []
        self.triangles = []
        self.frames = []

    def add_texel(self, s, t):
        """Index of the texture coordinate (s, t) in texels; equal ones are shared."""
        st = (int(s), int(t))
        if not all(-INT16_MAX <= c <= INT16_MAX for c in st):
            raise ValueError(f"texture coordinate {st} does not fit 16 bits")
        if st in self.texcoords:
            return self.texcoords.index(st)
        self.texcoords.append(st)
        return len(self.texcoords) - 1

    def add_texcoord(self, u, v):
        """Index of the texture coordinate (u, v), in units of the skin size, v = 0 at the bottom."""
        return self.add_texel(round(u * self.skin_width), round(v * self.skin_height))

    def add_triangle(self, vertices, texcoords):
        """Adds a triangle: three vertex indices, clockwise seen from its front, and three texcoord indices."""
        vertices, texcoords = tuple(vertices), tuple(texcoords)
        if len(vertices) != 3 or len(texcoords) != 3:
            raise ValueError("a triangle has three vertices and three texture coordinates")
        self.triangles.append((vertices, texcoords))

    def add_frame(self, name, positions):
        """Adds a key frame: one position per vertex, the same count in every frame."""
        frame = Frame(name, positions)
        if self.frames and len(frame.positions) != self.vertex_count():
            raise ValueError(f"frame {name!r} has {len(frame.positions)} vertices, "
                             f"the first frame has {self.vertex_count()}")
        if any(f.name == name for f in self.frames):
            raise ValueError(f"frame name {name!r} is used twice")
        self.frames.append(frame)

    def vertex_count(self):
        return len(self.frames[0].positions) if self.frames else 0

    def _check(self):
        if not self.texcoords or not self.triangles or not self.frames:
            raise ValueError("an MD2 model needs texture coordinates, triangles and frames")
        if self.vertex_count() > INT16_MAX or len(self.triangles) > INT16_MAX:
            raise ValueError("too many vertices or triangles for 16-bit indices")
        for number, (vertices, texcoords) in enumerate(self.triangles):
            if not all(0 <= v < self.vertex_count() for v in vertices):
                raise ValueError(f"triangle {number} uses vertex indices {vertices}, "
                                 f"the model has {self.vertex_count()} vertices")
            if not all(0 <= t < len(self.texcoords) for t in texcoords):
                raise ValueError(f"triangle {number} uses texture coordinates {texcoords}, "
                                 f"the model has {len(self.texcoords)}")

    def to_bytes(self):
        self._check()
        frame_size = FRAME_HEAD.size + 4 * self.vertex_count()
        offset_skins = HEADER.size
        offset_texcoords = offset_skins + SKIN_NAME_SIZE * len(self.skins)
        offset_triangles = offset_texcoords + TEXCOORD.size * len(self.texcoords)
        offset_frames = offset_triangles + TRIANGLE.size * len(self.triangles)
        offset_end = offset_frames + frame_size * len(self.frames)
        header = HEADER.pack(IDENT, VERSION, self.skin_width, self.skin_height, frame_size,
                             len(self.skins), self.vertex_count(), len(self.texcoords),
                             len(self.triangles), 0, len(self.frames),
                             offset_skins, offset_texcoords, offset_triangles, offset_frames,
                             offset_end, offset_end)
        parts = [header]
        parts += [skin.encode("ascii").ljust(SKIN_NAME_SIZE, b"\0") for skin in self.skins]
        parts += [TEXCOORD.pack(*st) for st in self.texcoords]
        parts += [TRIANGLE.pack(*v, *t) for v, t in self.triangles]
        parts += [frame.encode() for frame in self.frames]
        data = b"".join(parts)
        assert len(data) == offset_end
        return data

    def save(self, path):
        with open(path, "wb") as out:
            out.write(self.to_bytes())


def build_from_description(description):
    """A Model from a JSON-style description:

    {"skinWidth": 64, "skinHeight": 64, "skins": ["cube"],
     "texcoords": [[u, v], ...],                      # units of the skin size, v up
     "triangles": [[[a, b, c], [ta, tb, tc]], ...],   # clockwise seen from outside
     "frames": [{"name": "frame01", "vertices": [[x, y, z], ...]}, ...]}
    """
    model = Model(description["skinWidth"], description["skinHeight"],
                  description.get("skins", ["skin"]))
    texcoord_index = [model.add_texcoord(u, v) for u, v in description["texcoords"]]
    for vertices, texcoords in description["triangles"]:
        model.add_triangle(vertices, [texcoord_index[t] for t in texcoords])
    for frame in description["frames"]:
        model.add_frame(frame["name"], frame["vertices"])
    return model


def describe(data):
    """A readable summary of an MD2 file: header fields, frame names, decoded extents."""
    if len(data) < HEADER.size:
        raise ValueError("file is shorter than an MD2 header")
    fields = HEADER.unpack_from(data)
    names = ("ident", "version", "skinWidth", "skinHeight", "frameSize", "numSkins",
             "numVertices", "numTexCoords", "numTriangles", "numGlCommands", "numFrames",
             "offsetSkins", "offsetTexCoords", "offsetTriangles", "offsetFrames",
             "offsetGlCommands", "offsetEnd")
    header = dict(zip(names, fields))
    if header["ident"] != IDENT or header["version"] != VERSION:
        raise ValueError(f"not an MD2 version {VERSION} file (ident {header['ident']}, "
                         f"version {header['version']})")
    lines = [f"{name} = {value}" for name, value in header.items()]
    if min(header["numFrames"], header["numVertices"], header["offsetFrames"]) < 0:
        return "\n".join(lines + ["negative frame or vertex count or offset"])
    if header["frameSize"] < FRAME_HEAD.size + 4 * header["numVertices"]:
        return "\n".join(lines + ["frameSize is too small for numVertices"])
    if header["offsetFrames"] + header["frameSize"] * header["numFrames"] > len(data):
        return "\n".join(lines + ["frames run past the end of the file"])
    extents = [0.0, 0.0, 0.0]
    for f in range(header["numFrames"]):
        at = header["offsetFrames"] + f * header["frameSize"]
        *grid, name = FRAME_HEAD.unpack_from(data, at)
        name = name.split(b"\0")[0].decode("ascii", "replace")
        lines.append(f"frame {f}: {name}")
        at += FRAME_HEAD.size
        for j in range(header["numVertices"]):
            for axis in range(3):
                value = _decode(data[at + 4 * j + axis], grid[axis], grid[axis + 3])
                extents[axis] = max(extents[axis], abs(value))
    lines.append("extents = " + " ".join(f"{e:g}" for e in extents + [max(extents)]))
    return "\n".join(lines)


def main(argv):
    parser = argparse.ArgumentParser(description="Write or inspect MD2 models.")
    commands = parser.add_subparsers(dest="command", required=True)
    build = commands.add_parser("build", help="write an MD2 file from a JSON description")
    build.add_argument("description")
    build.add_argument("output")
    info = commands.add_parser("info", help="print an MD2 file's header, frames and extents")
    info.add_argument("model")
    args = parser.parse_args(argv)
    source = args.description if args.command == "build" else args.model
    try:
        if args.command == "build":
            with open(source, encoding="utf-8") as text:
                build_from_description(json.load(text)).save(args.output)
        else:
            with open(source, "rb") as data:
                print(describe(data.read()))
    except (OSError, ValueError, KeyError, TypeError) as error:
        # json's decode error is a ValueError; a missing key names itself.
        sys.exit(f"md2.py: {source}: {error!s}" if not isinstance(error, KeyError)
                 else f"md2.py: {source}: missing key {error}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
