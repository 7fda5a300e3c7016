#!/usr/bin/env python3
"""Writes Targa images the game's texture loader (DevIL) reads.

Every texture leaves here as a 24-bit true-colour Targa with its origin at the
bottom left: rows are stored bottom row first, which is also the row order
glTexImage2D expects, so an image shows upright whether or not the loader
honours the origin flag. Nothing else goes into the file (no image ID, no
extension area, no footer, no date), so the same pixels always give the same
bytes.

Pixels come in as a binary PPM (P6) or PGM (P5) with a maximum value of 255,
which is what ImageMagick writes for "ppm:-" or "pgm:-" at depth 8.

As a program:
    tga.py [--raw] INPUT.ppm OUTPUT.tga
"""

import argparse
import sys

HEADER_SIZE = 18
TYPE_RAW = 2
TYPE_RLE = 10
MAX_PACKET = 128


class Image:
    """An 8-bit RGB image; rows run top to bottom, pixels left to right."""

    def __init__(self, width, height, rgb):
        if width <= 0 or height <= 0 or width > 0xFFFF or height > 0xFFFF:
            raise ValueError(f"image size {width}x{height} does not fit a Targa header")
        if len(rgb) != width * height * 3:
            raise ValueError(f"{len(rgb)} bytes of pixels for a {width}x{height} RGB image")
        self.width = width
        self.height = height
        self.rgb = bytes(rgb)

    def row(self, y):
        start = y * self.width * 3
        return self.rgb[start:start + self.width * 3]


def _pnm_tokens(data, count):
    """The first count header tokens of a PNM file and the offset of its pixels."""
    tokens = []
    pos = 0
    while len(tokens) < count:
        while pos < len(data) and data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            while pos < len(data) and data[pos:pos + 1] not in (b"\n", b"\r"):
                pos += 1
            continue
        start = pos
        while pos < len(data) and not data[pos:pos + 1].isspace():
            pos += 1
        if start == pos:
            raise ValueError("PNM header is cut short")
        tokens.append(data[start:pos])
    return tokens, pos + 1  # a single whitespace byte ends the header


def read_pnm(data):
    """Decodes a binary PGM or PPM with 8-bit samples into an Image."""
    tokens, offset = _pnm_tokens(data, 4)
    magic = tokens[0]
    if magic not in (b"P5", b"P6"):
        raise ValueError(f"not a binary PGM or PPM (magic {magic!r})")
    width, height, maxval = (int(t) for t in tokens[1:])
    if maxval != 255:
        raise ValueError(f"PNM maximum value {maxval}, expected 255")
    channels = 3 if magic == b"P6" else 1
    pixels = data[offset:offset + width * height * channels]
    if len(pixels) != width * height * channels:
        raise ValueError("PNM pixel data is cut short")
    if channels == 1:
        pixels = bytes(v for v in pixels for _ in range(3))
    return Image(width, height, pixels)


def _bgr(row):
    out = bytearray(row)
    out[0::3], out[2::3] = row[2::3], row[0::3]
    return bytes(out)


def _rle_row(row):
    """Run-length packets for one row of BGR pixels; packets stay inside the row."""
    pixels = [row[i:i + 3] for i in range(0, len(row), 3)]
    out = bytearray()
    i = 0
    while i < len(pixels):
        run = 1
        while i + run < len(pixels) and run < MAX_PACKET and pixels[i + run] == pixels[i]:
            run += 1
        if run > 1:
            out.append(0x80 | (run - 1))
            out += pixels[i]
            i += run
            continue
        start = i
        while (i < len(pixels) and i - start < MAX_PACKET
               and not (i + 1 < len(pixels) and pixels[i + 1] == pixels[i])):
            i += 1
        out.append(i - start - 1)
        out += b"".join(pixels[start:i])
    return bytes(out)


def encode(image, rle=True):
    """The Targa file for image: type 10 (run-length) or 2 (raw), origin bottom left."""
    header = bytearray(HEADER_SIZE)
    header[2] = TYPE_RLE if rle else TYPE_RAW
    header[12:14] = image.width.to_bytes(2, "little")
    header[14:16] = image.height.to_bytes(2, "little")
    header[16] = 24
    header[17] = 0  # no alpha bits, origin bottom left
    body = bytearray()
    for y in reversed(range(image.height)):
        row = _bgr(image.row(y))
        body += _rle_row(row) if rle else row
    return bytes(header) + bytes(body)


def write(image, path, rle=True):
    with open(path, "wb") as out:
        out.write(encode(image, rle))


def main(argv):
    parser = argparse.ArgumentParser(description="Convert a binary PPM or PGM into a 24-bit Targa.")
    parser.add_argument("--raw", action="store_true", help="write uncompressed pixels (type 2)")
    parser.add_argument("input")
    parser.add_argument("output")
    args = parser.parse_args(argv)
    try:
        with open(args.input, "rb") as source:
            image = read_pnm(source.read())
        write(image, args.output, rle=not args.raw)
    except (OSError, ValueError) as error:
        sys.exit(f"tga.py: {args.input}: {error}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
