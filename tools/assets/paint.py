"""Textures computed texel by texel, for patterns that follow a model's surface.

`paint(width, height, shade)` calls shade(u, v) at every texel centre, with
u running right and v up from the bottom row as the models' texture
coordinates do, and expects an (r, g, b) colour of floats from 0 to 1. Shapes
are drawn by signed distance (negative inside), and `layer` softens their
edges over a width given in the distance's units, so edges come out smooth
without supersampling. `Noise` is value noise that repeats, so patterns tile;
`grain` makes wood of it. `Atlas` gives each part of a model a region of one
texture; `picture` lets a region show an image drawn elsewhere (say with
ImageMagick).

No randomness and no clock: the same bytes come out on every run.
"""

import math

import tga


def colour(text):
    """"#rrggbb" as floats from 0 to 1."""
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) / 255 for i in (0, 2, 4))


def mix(a, b, t):
    """a where t = 0, b where t = 1."""
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def scale(c, factor):
    return tuple(x * factor for x in c)


def clamp(x, low=0.0, high=1.0):
    return min(high, max(low, x))


def smoothstep(edge0, edge1, x):
    t = clamp((x - edge0) / (edge1 - edge0))
    return t * t * (3 - 2 * t)


def cover(distance, width):
    """Coverage of a shape at signed distance (negative inside), edge softened over width."""
    return clamp(0.5 - distance / width)


def layer(base, paint_colour, distance, width):
    """base with paint_colour laid over the shape whose signed distance is given."""
    return mix(base, paint_colour, cover(distance, width))


def ellipse_distance(x, y, rx, ry):
    """Approximate signed distance to an axis-aligned ellipse centred on the origin."""
    k = math.hypot(x / rx, y / ry)
    return (k - 1) * min(rx, ry)


def box_distance(x, y, half_width, half_height, radius=0.0):
    """Signed distance to a rectangle centred on the origin with rounded corners of radius."""
    dx = abs(x) - half_width + radius
    dy = abs(y) - half_height + radius
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    return outside + min(max(dx, dy), 0.0) - radius


def _hash(ix, iy, seed):
    h = (ix * 374761393 + iy * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFF) / 0xFFFF


class Noise:
    """Smooth value noise from 0 to 1 on a lattice of period x period cells.

    Sample it at x, y in lattice units; it repeats every period units, so a
    texture that spans whole periods tiles without a seam.
    """

    def __init__(self, period, seed):
        self.period = period
        self.seed = seed

    def __call__(self, x, y):
        ix, iy = math.floor(x), math.floor(y)
        fx, fy = x - ix, y - iy
        sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        p = self.period

        def corner(dx, dy):
            return _hash((ix + dx) % p, (iy + dy) % p, self.seed)

        top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * sx
        bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * sx
        return top + (bottom - top) * sy

    def fractal(self, x, y, octaves=3):
        """Sum of octaves at doubling frequency and halving weight, still 0 to 1 and still tiling."""
        total, weight, norm = 0.0, 1.0, 0.0
        for octave in range(octaves):
            octave_noise = Noise(self.period * 2 ** octave, self.seed + octave)
            total += weight * octave_noise(x * 2 ** octave, y * 2 ** octave)
            norm += weight
            weight /= 2
        return total / norm


def grain(noise, x, y, lines):
    """Wood grain running along x: 0 between the growth lines, up to 1 on them.

    x and y are in noise lattice units; the lines wander slowly along x and
    lines is how many of them cross one unit of y.
    """
    wobble = noise.fractal(x * 0.25, y, 3) * 2.5
    ring = (y * lines + wobble) % 1
    return smoothstep(0.55, 0.95, ring) * (1 - smoothstep(0.95, 1.0, ring))


def picture(image):
    """A shade function showing image (a tga.Image) stretched over s and t from 0 to 1."""
    def shade(s, t):
        x = min(image.width - 1, int(s * image.width))
        y = min(image.height - 1, int((1 - t) * image.height))
        at = 3 * (y * image.width + x)
        return tuple(c / 255 for c in image.rgb[at:at + 3])
    return shade


def paint(width, height, shade):
    """The image whose texel (column x, row y from the top) has the colour shade(u, v) at its centre."""
    rgb = bytearray()
    for row in range(height):
        v = 1 - (row + 0.5) / height
        for column in range(width):
            r, g, b = shade((column + 0.5) / width, v)
            rgb += bytes((round(clamp(r) * 255), round(clamp(g) * 255), round(clamp(b) * 255)))
    return tga.Image(width, height, rgb)


class Atlas:
    """One texture shared by a model's parts, each in a region of its own.

    Regions are given in texels, left and bottom inclusive, right and top
    exclusive, counting rows up from the bottom; each is painted by
    shade(s, t) with s and t from 0 to 1 across it. The texels of a gutter
    round every region repeat the region's edge, so the filtering at a
    region's border (and at a seam wrapping round a part) picks up no
    neighbour. Keep regions a gutter apart and off the image's edges.
    """

    GUTTER = 2

    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.background = background
        self.regions = []

    def region(self, left, bottom, right, top, shade):
        """Adds a region; returns it as a texture region (u0, v0, u1, v1) for `Mesh.mapped`."""
        self.regions.append((left, bottom, right, top, shade))
        return (left / self.width, bottom / self.height, right / self.width, top / self.height)

    def swatch(self, left, bottom, colour_value, size=4):
        """A square of one colour; returns the zero-size texture region at its centre."""
        self.region(left, bottom, left + size, bottom + size, lambda s, t: colour_value)
        u, v = (left + size / 2) / self.width, (bottom + size / 2) / self.height
        return (u, v, u, v)

    def _shade(self, u, v):
        x, y = u * self.width, v * self.height
        for left, bottom, right, top, shade in self.regions:
            if left - self.GUTTER <= x < right + self.GUTTER and bottom - self.GUTTER <= y < top + self.GUTTER:
                return shade(clamp((x - left) / (right - left)), clamp((y - bottom) / (top - bottom)))
        return self.background

    def paint(self):
        return paint(self.width, self.height, self._shade)
