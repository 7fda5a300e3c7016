"""Triangle meshes built from simple solids, and MD2 models made of them.

A `Mesh` holds positions and triangles; every triangle runs clockwise seen
from outside (the game's front faces) and carries one texture coordinate per
corner, so a vertex on a texture seam stays one vertex and keeps a smooth
normal. Quads are given as (top left, top right, bottom right, bottom left)
as seen from outside.

The solids: `box` (flat faces, hard edges), `sweep` (rings of vertices along
a path: tubes, and with `lathe` bodies of revolution such as cobs and
cylinders), `ellipsoid` and `slab` (a thin curved sheet: leaves, flags).
Each maps its surface onto the unit square of texture space; `Mesh.mapped`
moves that square onto a region of a texture atlas (a region of zero size
paints the part in one texel's colour). Parts are placed with `transformed`
and joined with `merged`.

An animated model is one build function called once per frame: the same code
gives the same triangles, and `save_model` checks that it did. `centred`
moves all frames together so the box round them is centred on the origin.
"""

import math

import md2


# Affine transforms are 3 x 4 row-major matrices: (x, y, z) -> M (x, y, z, 1).

IDENTITY = ((1.0, 0.0, 0.0, 0.0), (0.0, 1.0, 0.0, 0.0), (0.0, 0.0, 1.0, 0.0))


def translation(x, y, z):
    return ((1.0, 0.0, 0.0, x), (0.0, 1.0, 0.0, y), (0.0, 0.0, 1.0, z))


def scaling(x, y, z):
    return ((x, 0.0, 0.0, 0.0), (0.0, y, 0.0, 0.0), (0.0, 0.0, z, 0.0))


def rotation(axis, degrees):
    """Rotation by degrees about the x, y or z axis, counter-clockwise seen from the axis' tip."""
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    if axis == "x":
        return ((1.0, 0.0, 0.0, 0.0), (0.0, c, -s, 0.0), (0.0, s, c, 0.0))
    if axis == "y":
        return ((c, 0.0, s, 0.0), (0.0, 1.0, 0.0, 0.0), (-s, 0.0, c, 0.0))
    if axis == "z":
        return ((c, -s, 0.0, 0.0), (s, c, 0.0, 0.0), (0.0, 0.0, 1.0, 0.0))
    raise ValueError(f"no axis {axis!r}")


def compose(*transforms):
    """The transform applying the last argument first: compose(a, b)(p) = a(b(p))."""
    result = IDENTITY
    for t in transforms:
        result = tuple(tuple(sum(result[r][k] * t[k][c] for k in range(3)) + (result[r][3] if c == 3 else 0.0)
                             for c in range(4)) for r in range(3))
    return result


def apply(transform, p):
    return tuple(transform[r][0] * p[0] + transform[r][1] * p[1] + transform[r][2] * p[2] + transform[r][3]
                 for r in range(3))


def _determinant(t):
    return (t[0][0] * (t[1][1] * t[2][2] - t[1][2] * t[2][1])
            - t[0][1] * (t[1][0] * t[2][2] - t[1][2] * t[2][0])
            + t[0][2] * (t[1][0] * t[2][1] - t[1][1] * t[2][0]))


def _sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def _cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def _dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def _normalised(a):
    length = math.sqrt(_dot(a, a))
    return (a[0] / length, a[1] / length, a[2] / length)


class Mesh:
    def __init__(self):
        self.positions = []
        self.triangles = []  # ((a, b, c), ((u, v), (u, v), (u, v))), clockwise from outside

    def add_vertex(self, p):
        self.positions.append(tuple(float(c) for c in p))
        return len(self.positions) - 1

    def add_triangle(self, corners, uvs):
        self.triangles.append((tuple(corners), tuple(uvs)))

    def add_quad(self, corners, uvs):
        """corners and uvs: top left, top right, bottom right, bottom left, seen from outside."""
        a, b, c, d = corners
        ta, tb, tc, td = uvs
        self.add_triangle((a, b, c), (ta, tb, tc))
        self.add_triangle((a, c, d), (ta, tc, td))

    def add(self, *others):
        """Appends other meshes' vertices and triangles; returns self."""
        for other in others:
            offset = len(self.positions)
            self.positions += other.positions
            self.triangles += [(tuple(i + offset for i in corners), uvs) for corners, uvs in other.triangles]
        return self

    def transformed(self, *transforms):
        """A copy moved by compose(*transforms); a mirroring transform keeps the faces outward."""
        transform = compose(*transforms)
        result = Mesh()
        result.positions = [apply(transform, p) for p in self.positions]
        mirrored = _determinant(transform) < 0
        result.triangles = [((a, c, b), (ta, tc, tb)) if mirrored else ((a, b, c), (ta, tb, tc))
                            for (a, b, c), (ta, tb, tc) in self.triangles]
        return result

    def mapped(self, region):
        """A copy whose texture square is moved onto region = (u0, v0, u1, v1)."""
        u0, v0, u1, v1 = region
        result = Mesh()
        result.positions = list(self.positions)
        result.triangles = [(corners, tuple((u0 + (u1 - u0) * u, v0 + (v1 - v0) * v) for u, v in uvs))
                            for corners, uvs in self.triangles]
        return result


def merged(*meshes):
    return Mesh().add(*meshes)


def point(u, v):
    """A zero-size texture region: the part takes the colour of the texel at (u, v)."""
    return (u, v, u, v)


# Box faces: corners clockwise from outside starting top left, for a viewer
# upright in front of the face (for the top and bottom faces: one standing on
# the +z side, so the texture's top points to -z on the top face). The same
# layout as the model "cube".
BOX_FACES = {
    "front": ((-1, 1, 1), (1, 1, 1), (1, -1, 1), (-1, -1, 1)),         # +z
    "back": ((1, 1, -1), (-1, 1, -1), (-1, -1, -1), (1, -1, -1)),     # -z
    "right": ((1, 1, 1), (1, 1, -1), (1, -1, -1), (1, -1, 1)),        # +x
    "left": ((-1, 1, -1), (-1, 1, 1), (-1, -1, 1), (-1, -1, -1)),     # -x
    "top": ((-1, 1, -1), (1, 1, -1), (1, 1, 1), (-1, 1, 1)),          # +y
    "bottom": ((-1, -1, 1), (1, -1, 1), (1, -1, -1), (-1, -1, -1)),   # -y
}


def box(low, high, regions=None):
    """A box from corner low to corner high, every face its own four vertices.

    regions maps face names ("front" +z, "back", "right" +x, "left", "top" +y,
    "bottom") to the texture region (u0, v0, u1, v1) the face shows, upright;
    a face not named shows the whole texture. u1 < u0 mirrors a face; regions
    beyond 0..1 repeat the texture.
    """
    regions = regions or {}
    mesh = Mesh()
    for name, corners in BOX_FACES.items():
        u0, v0, u1, v1 = regions.get(name, (0.0, 0.0, 1.0, 1.0))
        indices = [mesh.add_vertex(tuple(high[k] if c > 0 else low[k] for k, c in enumerate(corner)))
                   for corner in corners]
        mesh.add_quad(indices, ((u0, v1), (u1, v1), (u1, v0), (u0, v0)))
    return mesh


def _frames(centres):
    """A (normal, binormal) pair per path point, turned along the path without twisting."""
    tangents = []
    for i in range(len(centres)):
        ahead = centres[min(i + 1, len(centres) - 1)]
        behind = centres[max(i - 1, 0)]
        tangents.append(_normalised(_sub(ahead, behind)))
    first = tangents[0]
    # Start the normal where the lathe starts its angle (-z) unless the path
    # runs along z.
    seed = (0.0, 0.0, -1.0) if abs(first[2]) < 0.9 else (0.0, -1.0, 0.0)
    normal = _normalised(_sub(seed, tuple(_dot(seed, first) * c for c in first)))
    frames = []
    for t in tangents:
        normal = _normalised(_sub(normal, tuple(_dot(normal, t) * c for c in t)))
        frames.append((normal, _cross(t, normal)))
    return frames


def sweep(centres, radii, segments, region=None, cap_regions=(None, None)):
    """A tube of rings round the path centres (at least two points), radius per point.

    Texture u runs once round each ring (starting at the ring's normal, which
    for a path up the y axis is -z, and turning towards -x, so u = 0.5 faces
    +z); v runs from 0 at the first ring to 1 at the last, by path length;
    that square lands on region (the whole texture when None). An end of
    radius 0 closes in one pole vertex; an end with a radius gets a flat cap,
    with hard edges, showing the disc inscribed in its cap region (the whole
    texture when None).
    """
    if len(centres) != len(radii) or len(centres) < 2:
        raise ValueError("a sweep needs at least two centres, one radius each")
    frames = _frames(centres)
    lengths = [0.0]
    for a, b in zip(centres, centres[1:]):
        lengths.append(lengths[-1] + math.sqrt(_dot(_sub(b, a), _sub(b, a))))
    mesh = Mesh()
    rings = []
    for centre, radius, (normal, binormal) in zip(centres, radii, frames):
        if radius == 0:
            rings.append(None)
            continue
        ring = []
        for s in range(segments):
            angle = 2 * math.pi * s / segments
            offset = tuple(radius * (math.cos(angle) * n + math.sin(angle) * b) for n, b in zip(normal, binormal))
            ring.append(mesh.add_vertex(tuple(c + o for c, o in zip(centre, offset))))
        rings.append(ring)
    vs = [length / lengths[-1] for length in lengths]
    poles = {}
    for end in (0, len(centres) - 1):
        if rings[end] is None:
            poles[end] = mesh.add_vertex(centres[end])
    for i in range(len(centres) - 1):
        lower, upper = rings[i], rings[i + 1]
        for s in range(segments):
            right = (s + 1) % segments
            u_left, u_right = s / segments, (s + 1) / segments
            if lower is None:
                u_mid = (u_left + u_right) / 2
                mesh.add_triangle((poles[i], upper[s], upper[right]),
                                  ((u_mid, vs[i]), (u_left, vs[i + 1]), (u_right, vs[i + 1])))
            elif upper is None:
                u_mid = (u_left + u_right) / 2
                mesh.add_triangle((poles[i + 1], lower[right], lower[s]),
                                  ((u_mid, vs[i + 1]), (u_right, vs[i]), (u_left, vs[i])))
            else:
                mesh.add_quad((upper[s], upper[right], lower[right], lower[s]),
                              ((u_left, vs[i + 1]), (u_right, vs[i + 1]), (u_right, vs[i]), (u_left, vs[i])))
    mesh = mesh.mapped(region or (0.0, 0.0, 1.0, 1.0))
    for end, cap_region in zip((0, len(centres) - 1), cap_regions):
        if rings[end] is not None:
            _cap(mesh, centres[end], rings[end], end != 0, cap_region or (0.0, 0.0, 1.0, 1.0))
    return mesh


def _cap(mesh, centre, ring, at_far_end, region):
    """A flat fan closing a ring, with vertices of its own so its edge stays hard."""
    u0, v0, u1, v1 = region
    count = len(ring)
    middle = mesh.add_vertex(centre)
    rim = [mesh.add_vertex(mesh.positions[i]) for i in ring]
    uv_middle = ((u0 + u1) / 2, (v0 + v1) / 2)

    def uv(s):
        angle = 2 * math.pi * s / count
        return (uv_middle[0] + (u1 - u0) / 2 * math.cos(angle),
                uv_middle[1] + (v1 - v0) / 2 * math.sin(angle) * (1 if at_far_end else -1))

    for s in range(count):
        right = (s + 1) % count
        if at_far_end:
            mesh.add_triangle((middle, rim[right], rim[s]), (uv_middle, uv(right), uv(s)))
        else:
            mesh.add_triangle((middle, rim[s], rim[right]), (uv_middle, uv(s), uv(right)))


def lathe(profile, segments, region=None, cap_regions=(None, None)):
    """A body of revolution about the y axis: profile is (radius, y) from bottom to top; see `sweep`."""
    return sweep([(0.0, y, 0.0) for _, y in profile], [r for r, _ in profile], segments, region, cap_regions)


def slab(surface, columns, rows, thickness, edge_region=None):
    """A thin sheet round surface(s, t), s and t from 0 to 1: leaves, flags, blades.

    The front is the side towards which s runs right while t runs up; it
    shows the whole texture square (s = u, t = v), and so does the back,
    turned round so that a picture reads the same from both sides. The sheet is
    thickness thick, half on each side; its four rims get edge_region (the
    rim colour; the whole square when None), and all six parts have their own
    vertices so the rims stay sharp.
    """
    grid = [[surface(c / columns, r / rows) for c in range(columns + 1)] for r in range(rows + 1)]

    def normal(r, c):
        right = _sub(grid[r][min(c + 1, columns)], grid[r][max(c - 1, 0)])
        up = _sub(grid[min(r + 1, rows)][c], grid[max(r - 1, 0)][c])
        return _normalised(_cross(right, up))

    half = thickness / 2
    sides = {}
    for side, sign in (("front", 1), ("back", -1)):
        sides[side] = [[tuple(p + sign * half * n for p, n in zip(grid[r][c], normal(r, c)))
                        for c in range(columns + 1)] for r in range(rows + 1)]
    mesh = Mesh()
    for side in ("front", "back"):
        index = [[mesh.add_vertex(p) for p in row] for row in sides[side]]
        for r in range(rows):
            for c in range(columns):
                u0, u1, v0, v1 = c / columns, (c + 1) / columns, r / rows, (r + 1) / rows
                if side == "front":
                    mesh.add_quad((index[r + 1][c], index[r + 1][c + 1], index[r][c + 1], index[r][c]),
                                  ((u0, v1), (u1, v1), (u1, v0), (u0, v0)))
                else:
                    mesh.add_quad((index[r + 1][c + 1], index[r + 1][c], index[r][c], index[r][c + 1]),
                                  ((1 - u1, v1), (1 - u0, v1), (1 - u0, v0), (1 - u1, v0)))
    # The rim: a strip of quads along each edge of the sheet, going round it
    # so that the front stays on the same hand.
    rim = ([(r, 0) for r in range(rows, -1, -1)] + [(0, c) for c in range(1, columns + 1)]
           + [(r, columns) for r in range(1, rows + 1)] + [(rows, c) for c in range(columns - 1, 0, -1)])
    u0, v0, u1, v1 = edge_region or (0.0, 0.0, 1.0, 1.0)
    for (ra, ca), (rb, cb) in zip(rim, rim[1:] + rim[:1]):
        corners = [mesh.add_vertex(sides[side][r][c])
                   for side, r, c in (("front", ra, ca), ("front", rb, cb), ("back", rb, cb), ("back", ra, ca))]
        mesh.add_quad(corners, ((u0, v1), (u1, v1), (u1, v0), (u0, v0)))
    return mesh


def ellipsoid(radii, segments, rings):
    """An ellipsoid centred on the origin with half axes radii, poles on the y axis.

    The rings sit at equal steps of latitude, so texture v is latitude:
    v = 0 at the bottom pole, 0.5 at the equator, 1 at the top pole.
    """
    profile = [(math.sin(math.pi * i / rings), -math.cos(math.pi * i / rings)) for i in range(rings + 1)]
    profile[0], profile[-1] = (0.0, -1.0), (0.0, 1.0)
    return lathe(profile, segments).transformed(scaling(*radii))


def centred(meshes):
    """The meshes moved together so that the box round all of them is centred on the origin.

    The scene loader gives a model without a shape a box of its largest |x|,
    |y| and |z|, so a model centred this way collides as the box round it.
    """
    low = [min(p[k] for m in meshes for p in m.positions) for k in range(3)]
    high = [max(p[k] for m in meshes for p in m.positions) for k in range(3)]
    shift = translation(*(-(a + b) / 2 for a, b in zip(low, high)))
    return [m.transformed(shift) for m in meshes]


def save_model(path, skin, skin_size, frames):
    """Writes an MD2 model: frames is a list of (name, Mesh) with the same triangles in each."""
    first = frames[0][1]
    model = md2.Model(skin_size[0], skin_size[1], skins=[skin])
    for corners, uvs in first.triangles:
        model.add_triangle(_with_area(first, corners), [model.add_texcoord(u, v) for u, v in uvs])
    for name, mesh in frames:
        if mesh.triangles != first.triangles:
            raise ValueError(f"frame {name!r} has other triangles than frame {frames[0][0]!r}")
        model.add_frame(name, mesh.positions)
    model.save(path)


def _with_area(mesh, corners):
    a, b, c = (mesh.positions[i] for i in corners)
    normal = _cross(_sub(b, a), _sub(c, a))
    if _dot(normal, normal) == 0:
        raise ValueError(f"triangle {corners} at {a}, {b}, {c} has no area")
    return corners
