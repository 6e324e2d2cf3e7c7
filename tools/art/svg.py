"""Small SVG drawing helpers shared by the art generators.

Shapes are drawn in the children's-book manner: one dark outline around a whole layer
(every part's outline is laid down first, then every fill), then detail lines on top.
"""

import math
import os
import struct
import subprocess
import tempfile

INK = "#333333"      # outlines: neutral, so a tint keeps them dark
OUTLINE = 2.4        # outline width outside the fill, in pixels at full size
DETAIL = 1.6         # width of detail lines
WHITE = "#ffffff"
SHADE = "#e3e3e3"    # the only shading of tintable line art
FOLD = "#9c9c9c"     # fold and seam lines of tintable line art


def pts(points):
    return " ".join(f"{x:.2f},{y:.2f}" for x, y in points)


def along(points, length):
    """The polyline from its start up to the given length; beyond the end it goes on
    in the direction of the last segment."""
    out = [points[0]]
    left = length
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        seg = math.hypot(x1 - x0, y1 - y0)
        if left <= seg:
            t = left / seg
            out.append((x0 + (x1 - x0) * t, y0 + (y1 - y0) * t))
            return out
        out.append((x1, y1))
        left -= seg
    (x0, y0), (x1, y1) = points[-2], points[-1]
    seg = math.hypot(x1 - x0, y1 - y0)
    out[-1] = (x1 + (x1 - x0) / seg * left, y1 + (y1 - y0) / seg * left)
    return out


def point_at(points, length):
    return along(points, length)[-1]


def direction_at(points, length):
    p = along(points, length)
    (x0, y0), (x1, y1) = p[-2], p[-1]
    seg = math.hypot(x1 - x0, y1 - y0) or 1.0
    return (x1 - x0) / seg, (y1 - y0) / seg


def length_of(points):
    return sum(math.hypot(x1 - x0, y1 - y0) for (x0, y0), (x1, y1) in zip(points, points[1:]))


def mirror(points, width):
    return [(width - x, y) for x, y in points]


class Shape:
    """A closed path: outline drawn as a wide stroke under the fill."""

    def __init__(self, d, fill, extra=""):
        self.d, self.fill, self.extra = d, fill, extra

    def outline(self):
        return (f'<path d="{self.d}" fill="{INK}" stroke="{INK}" stroke-width="{2 * OUTLINE}" '
                f'stroke-linejoin="round" {self.extra}/>')

    def body(self):
        return f'<path d="{self.d}" fill="{self.fill}" {self.extra}/>'


class Tube:
    """A limb or sleeve: a thick polyline. Open ends are cut square (a cuff), round ends
    close a limb."""

    def __init__(self, points, width, fill, length=None, round_end=False):
        self.points, self.width, self.fill = points, width, fill
        self.length = length_of(points) if length is None else length
        self.round_end = round_end

    def _line(self, length, width, colour, cap):
        return (f'<polyline points="{pts(along(self.points, length))}" fill="none" stroke="{colour}" '
                f'stroke-width="{width:.2f}" stroke-linejoin="round" stroke-linecap="{cap}"/>')

    def _start(self, radius, colour):
        x, y = self.points[0]
        return f'<circle cx="{x:.2f}" cy="{y:.2f}" r="{radius:.2f}" fill="{colour}"/>'

    def outline(self):
        cap = "round" if self.round_end else "butt"
        end = self.length if self.round_end else self.length + OUTLINE
        return (self._start(self.width / 2 + OUTLINE, INK)
                + self._line(end, self.width + 2 * OUTLINE, INK, cap))

    def body(self):
        cap = "round" if self.round_end else "butt"
        return self._start(self.width / 2, self.fill) + self._line(self.length, self.width, self.fill, cap)

    def cuff(self, back, colour=INK, width=DETAIL):
        """A line across the tube, `back` pixels before its end."""
        x, y = point_at(self.points, self.length - back)
        dx, dy = direction_at(self.points, self.length - back)
        h = self.width / 2
        return line([(x - dy * h, y + dx * h), (x + dy * h, y - dx * h)], colour, width)


def silhouette(parts):
    """Outlines of all parts, then their fills: one outline around the whole."""
    return "".join(p.outline() for p in parts) + "".join(p.body() for p in parts)


def line(points, colour=INK, width=DETAIL, extra=""):
    return (f'<polyline points="{pts(points)}" fill="none" stroke="{colour}" stroke-width="{width}" '
            f'stroke-linecap="round" stroke-linejoin="round" {extra}/>')


def path(d, fill="none", stroke=INK, width=DETAIL, extra=""):
    return (f'<path d="{d}" fill="{fill}" stroke="{stroke}" stroke-width="{width}" '
            f'stroke-linecap="round" stroke-linejoin="round" {extra}/>')


def ellipse(cx, cy, rx, ry, fill, stroke=INK, width=DETAIL, extra=""):
    return (f'<ellipse cx="{cx:.2f}" cy="{cy:.2f}" rx="{rx:.2f}" ry="{ry:.2f}" fill="{fill}" '
            f'stroke="{stroke}" stroke-width="{width}" {extra}/>')


def document(width, height, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}"><defs>{defs}</defs>{body}</svg>\n')


def render(svg_text, png_path, width, height):
    """Renders SVG text to an RGBA PNG of exactly width x height."""
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as f:
        f.write(svg_text)
        name = f.name
    try:
        subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), "-o", png_path, name],
                       check=True)
    finally:
        os.unlink(name)
    drop_background_chunk(png_path)


def drop_background_chunk(png_path):
    """Removes the bKGD chunk that rsvg-convert writes: a PNG decoder that honours it
    composites the picture onto that colour and loses its transparency."""
    with open(png_path, "rb") as f:
        data = f.read()
    out, pos = bytearray(data[:8]), 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        end = pos + 12 + length
        if kind != b"bKGD":
            out += data[pos:end]
        pos = end
    with open(png_path, "wb") as f:
        f.write(out)
