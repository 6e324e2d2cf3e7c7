#!/usr/bin/python3
"""Draws the control panel's pictures, the target frame and the instruction's highlights.

The small icons next to the panel's controls and the two heads of the sex buttons are cut
from the rendered figure layers (run figure.py first), coloured and reduced, so that the
panel shows exactly the things the figure wears.
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from svg import INK, document, render  # noqa: E402

ASSETS = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", "assets"))
FIGURE = os.path.join(ASSETS, "figure")
PANEL = os.path.join(ASSETS, "panel")

FRAME_LINE = "#4d6a94"

# The group boxes' frame: 2 x 2 pieces. Corners fade their outer pixel for a softer turn.
FRAME_PIECES = {
    101: ((1, 1), (1, 1)),       # top line, stretched
    102: ((1, 0.7), (0.35, 1)),  # bottom left corner
    103: ((0.35, 1), (1, 0.7)),  # top left corner
    104: ((0.7, 1), (1, 0.35)),  # bottom right corner
    105: ((1, 0.35), (0.7, 1)),  # top right corner
    106: ((1, 1), (1, 1)),       # left line
    107: ((1, 1), (1, 1)),       # bottom line
    108: ((1, 1), (1, 1)),       # right line
}


def frame_piece(alphas):
    rects = ""
    for y, row in enumerate(alphas):
        for x, a in enumerate(row):
            rects += f'<rect x="{x}" y="{y}" width="1" height="1" fill="{FRAME_LINE}" fill-opacity="{a}"/>'
    return document(2, 2, rects)


def swatch():
    return document(16, 16, f'<rect x="0.5" y="0.5" width="15" height="15" rx="2" fill="#ffffff" '
                            f'stroke="{INK}" stroke-width="1"/>'
                            '<rect x="2" y="2" width="12" height="12" rx="1" fill="none" stroke="#e6e6e6"/>')


def blue_background():
    clouds = ""
    for cx, cy, s in ((420, 70, 1.0), (300, 120, 0.7), (90, 470, 0.8)):
        for dx, dy, r in ((-30, 8, 18), (-10, -6, 24), (16, -2, 22), (36, 10, 16), (4, 12, 20)):
            clouds += f'<circle cx="{cx + dx * s}" cy="{cy + dy * s}" r="{r * s}" fill="#ffffff" fill-opacity="0.55"/>'
    return document(500, 600, (
        '<rect width="500" height="600" fill="url(#sky)"/>'
        f'<g>{clouds}</g>'
        '<ellipse cx="375" cy="590" rx="150" ry="26" fill="#ffffff" fill-opacity="0.35"/>'
        '<ellipse cx="375" cy="588" rx="100" ry="14" fill="#ffffff" fill-opacity="0.3"/>'),
        '<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#7fb6ea"/><stop offset="1" stop-color="#cfe6fa"/></linearGradient>')


def beige_background():
    return document(300, 975, '<rect width="300" height="975" fill="#f4ead3"/>'
                              '<rect x="298" width="2" height="975" fill="#d8c9a6"/>')


def target_frame():
    return document(188, 316, '<rect x="1" y="1" width="186" height="314" rx="14" fill="#1d3a72" '
                              'stroke="#0e2149" stroke-width="2"/>'
                              '<rect x="5" y="5" width="178" height="306" rx="11" fill="none" '
                              'stroke="#4a72b8" stroke-width="1.5"/>')


def panel_highlight():
    return document(300, 600, '<rect width="300" height="600" fill="#ff5fa8" fill-opacity="0.3"/>'
                              '<rect x="2" y="2" width="296" height="596" rx="10" fill="none" '
                              'stroke="#ff2f8f" stroke-opacity="0.8" stroke-width="4"/>')


def frame_highlight():
    return document(190, 318, '<rect x="2.5" y="2.5" width="185" height="313" rx="15" fill="none" '
                              'stroke="#e8202a" stroke-width="5"/>')


# ----------------------------------------------------------------- cut from the figure

def tint_args(colour):
    if not colour:
        return []
    args = []
    for channel, pair in zip("RGB", (colour[0:2], colour[2:4], colour[4:6])):
        args += ["-channel", channel, "-evaluate", "multiply", f"{int(pair, 16) / 255:.4f}"]
    return args + ["+channel"]


def cut(out, layers, box, size, canvas):
    """Stacks tinted layers, crops box (x, y, w, h), trims and fits it into size (w, h)."""
    x, y, w, h = box
    cmd = ["convert", "-size", canvas, "xc:none"]
    for number, colour in layers:
        cmd += ["(", os.path.join(FIGURE, f"{number}.png"), *tint_args(colour), ")", "-composite"]
    cmd += ["-crop", f"{w}x{h}+{x}+{y}", "+repage", "-trim", "+repage",
            "-filter", "Lanczos", "-resize", f"{size[0]}x{size[1]}", "-strip", out]
    subprocess.run(cmd, check=True)


GIRL, BOY = "250x450", "242x467"
HAIR = "EC4D00"

ICONS = [
    # number, layers, crop box, fitted size, canvas
    (162, [(153, HAIR), (111, None), (130, HAIR)], (62, 26, 126, 122), (36, 28), GIRL),
    (161, [(136, None), (150, "070707")], (66, 36, 110, 112), (32, 28), BOY),
    (178, [(154, None)], (60, 20, 122, 72), (36, 24), BOY),
    (180, [(120, None)], (78, 80, 94, 36), (36, 15), GIRL),
    (185, [(125, None)], (30, 270, 70, 80), (30, 28), GIRL),
    (190, [(153, HAIR), (111, None), (130, HAIR)], (55, 24, 140, 126), (44, 44), GIRL),
    (189, [(133, HAIR), (111, None), (115, None), (129, HAIR)], (50, 24, 150, 232), (36, 46), GIRL),
    (179, [(111, None), (115, None), (117, HAIR)], (55, 24, 140, 246), (28, 42), GIRL),
    (182, [(111, None), (115, "FF0099")], (40, 145, 170, 121), (46, 46), GIRL),
    (181, [(111, None), (114, "FF0099")], (40, 145, 170, 121), (46, 46), GIRL),
    (175, [(141, "FF8600")], (100, 160, 42, 100), (18, 44), BOY),
    (184, [(112, "1ECFFB")], (80, 240, 90, 175), (22, 38), GIRL),
    (186, [(128, "F4A511")], (60, 240, 130, 125), (36, 36), GIRL),
    (183, [(111, None), (123, "1ECFFB")], (80, 240, 90, 170), (30, 42), GIRL),
    (174, [(111, None), (112, "1ECFFB")], (80, 240, 90, 175), (28, 42), GIRL),
    (176, [(121, "9900B7")], (66, 400, 60, 42), (44, 34), GIRL),
]


def main():
    os.makedirs(PANEL, exist_ok=True)
    flat = {number: frame_piece(a) for number, a in FRAME_PIECES.items()}
    sized = [(110, swatch(), 16, 16), (158, blue_background(), 500, 600), (159, beige_background(), 300, 975),
             (160, target_frame(), 188, 316), (170, panel_highlight(), 300, 600), (171, frame_highlight(), 190, 318)]
    for number, svg in flat.items():
        render(svg, os.path.join(PANEL, f"{number}.png"), 2, 2)
    for number, svg, w, h in sized:
        render(svg, os.path.join(PANEL, f"{number}.png"), w, h)
    for number, layers, box, size, canvas in ICONS:
        cut(os.path.join(PANEL, f"{number}.png"), layers, box, size, canvas)


if __name__ == "__main__":
    main()
