"""Drawing with ImageMagick's convert, read back as plain pixels.

The images are drawn on a canvas with convert's -draw and -annotate and come
back as a binary PPM, so no file metadata (dates, names, profiles) can reach
the committed textures.
"""

import functools
import subprocess

import tga

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
SANS = FONT_DIR + "DejaVuSans.ttf"
SANS_BOLD = FONT_DIR + "DejaVuSans-Bold.ttf"
MONO_BOLD = FONT_DIR + "DejaVuSansMono-Bold.ttf"


def annotate_text(text):
    """text as -annotate must be given it to draw it literally."""
    escaped = text.replace("\\", "\\\\").replace("%", "%%")
    return "\\" + escaped if escaped.startswith("@") else escaped


def render(args):
    """Runs convert with args (everything after the program name, up to the output) into an Image."""
    result = subprocess.run(["convert", *args, "-depth", "8", "ppm:-"],
                            check=True, capture_output=True)
    return tga.read_pnm(result.stdout)


@functools.lru_cache(maxsize=None)
def text_width(text, font, size):
    """Width in pixels of text drawn in font at size."""
    result = subprocess.run(["convert", "-font", font, "-pointsize", str(size),
                             "label:" + annotate_text(text), "-format", "%w", "info:"],
                            check=True, capture_output=True, text=True)
    return int(result.stdout)


class Canvas:
    """Collects convert arguments that draw on one canvas, in drawing order."""

    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.args = ["-size", f"{width}x{height}", f"xc:{background}"]

    def draw(self, primitive, fill="none", stroke="none", stroke_width=0):
        self.args += ["-fill", fill, "-stroke", stroke, "-strokewidth", str(stroke_width),
                      "-draw", primitive]

    def rectangle(self, left, top, right, bottom, fill, stroke="none", stroke_width=0, radius=0):
        shape = (f"roundrectangle {left},{top} {right},{bottom} {radius},{radius}" if radius
                 else f"rectangle {left},{top} {right},{bottom}")
        self.draw(shape, fill, stroke, stroke_width)

    def circle(self, x, y, radius, fill, stroke="none", stroke_width=0):
        self.draw(f"circle {x},{y} {x + radius},{y}", fill, stroke, stroke_width)

    def ellipse(self, x, y, rx, ry, fill, stroke="none", stroke_width=0, start=0, end=360):
        self.draw(f"ellipse {x},{y} {rx},{ry} {start},{end}", fill, stroke, stroke_width)

    def polygon(self, points, fill, stroke="none", stroke_width=0):
        self.draw("polygon " + " ".join(f"{x:g},{y:g}" for x, y in points), fill, stroke, stroke_width)

    def line(self, x0, y0, x1, y1, stroke, stroke_width):
        self.draw(f"line {x0},{y0} {x1},{y1}", "none", stroke, stroke_width)

    def text(self, x, y, text, size, fill, font=SANS, anchor="center", outline=None, outline_width=0):
        """Draws text with its anchor point at (x, y).

        anchor "center" centres the text on the point; "left" puts its left
        end there, vertically centred. An outline is drawn first, under the
        letters, so it only grows them outwards.
        """
        gravity, dx = ("Center", x - self.width / 2) if anchor == "center" else ("West", x)
        dy = y - self.height / 2
        offset = f"{dx:+g}{dy:+g}"
        common = ["-gravity", gravity, "-font", font, "-pointsize", str(size)]
        if outline:
            self.args += common + ["-fill", outline, "-stroke", outline,
                                   "-strokewidth", str(outline_width),
                                   "-annotate", offset, annotate_text(text)]
        self.args += common + ["-fill", fill, "-stroke", "none",
                               "-annotate", offset, annotate_text(text)]
        self.args += ["-gravity", "NorthWest"]

    def render(self):
        return render(self.args)
