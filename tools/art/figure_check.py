#!/usr/bin/python3
"""Stacks the rendered figure layers for a set of appearances, tinted the way the program
tints them (colour multiplied into the white line art), at full size and at 0.7, and writes
one contact sheet per scale, to look at registration, gaps and outlines.

usage: figure_check.py [output folder]   (default build/figure-check)
"""

import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
FIGURE = os.path.join(HERE, "..", "..", "assets", "figure")

BOTTOM = {0: (123, 124, 112), 1: (147, 148, 137), 2: (127, 128, 126)}
TOP = {0: (115, 116, 114), 1: (139, 140, 138)}
SHOES = {0: 122, 1: 144, 2: 121}
HAIR_FRONT = {0: (130, 131, 129), 1: (150, 156, 151), 2: (118, 119, 117)}
HAIR_BACK = {0: (153, 134, 133), 1: (152, 157, 152), 2: (153, 153, 153)}

WHITE = "FFFFFF"

# Appearances: sex, sleeve, bottom length, bottom type, shoe type, tie, hair, glasses,
# headwear, bag, hair length, hair type, and the colours shoe, bottom, top, tie, hair.
APPEARANCES = [
    dict(sex=0, sleeve=0, blen=0, btype=2, shoe=2, hair=True, hlen=2, htype=2, hat=True, bag=True,
         glasses=False, c=("9900B7", "01A010", "FF0099", WHITE, "EC4D00")),
    dict(sex=0, sleeve=1, blen=1, btype=2, shoe=0, hair=True, hlen=1, htype=0, hat=False, bag=True,
         glasses=True, c=("1ECFFB", "F4A511", "53FE01", WHITE, "FFFFCC")),
    dict(sex=0, sleeve=2, blen=2, btype=0, shoe=2, hair=True, hlen=0, htype=0, hat=True, bag=False,
         glasses=True, c=("F4A511", "9900B7", "FFFF33", WHITE, "070707")),
    dict(sex=0, sleeve=2, blen=2, btype=2, shoe=0, hair=True, hlen=2, htype=0, hat=False, bag=False,
         glasses=False, c=("01A010", "1ECFFB", "FF0000", WHITE, "EC4D00")),
    dict(sex=0, sleeve=0, blen=1, btype=0, shoe=0, hair=True, hlen=0, htype=2, hat=False, bag=False,
         glasses=False, c=(WHITE, WHITE, WHITE, WHITE, WHITE)),
    dict(sex=1, sleeve=2, blen=2, btype=1, shoe=1, tie=True, hair=False, hlen=0, htype=1, hat=True,
         glasses=True, c=("00007D", "1500D5", "44A2FF", "FF8600", WHITE)),
    dict(sex=1, sleeve=0, blen=0, btype=1, shoe=1, tie=False, hair=True, hlen=0, htype=1, hat=False,
         glasses=False, c=("CC3300", "EC4D00", "FFE300", WHITE, "070707")),
    dict(sex=1, sleeve=1, blen=1, btype=1, shoe=1, tie=True, hair=True, hlen=1, htype=1, hat=False,
         glasses=True, c=("336800", "005128", "63C102", "000055", "EC4D00")),
    dict(sex=1, sleeve=2, blen=2, btype=1, shoe=1, tie=True, hair=True, hlen=2, htype=1, hat=True,
         glasses=False, c=("A8BCB9", "8E8E02", "FF0000", "CFFF2B", "FFFFCC")),
    dict(sex=1, sleeve=0, blen=1, btype=1, shoe=1, tie=False, hair=False, hlen=0, htype=1, hat=False,
         glasses=False, c=(WHITE, WHITE, WHITE, WHITE, WHITE)),
]


def stack(a):
    """(resource, tint) in drawing order: drawing layer first, then order of addition."""
    shoe_c, bottom_c, top_c, tie_c, hair_c = a["c"]
    girl = a["sex"] == 0
    rows = []  # (drawing layer, added, resource, tint)
    rows.append((1, 1, 111 if girl else 136, WHITE))
    if not girl:
        rows.append((3, 2, 146, WHITE))
    rows.append((2, 3, SHOES[a["shoe"]], shoe_c))
    rows.append((2, 4, TOP[a["sex"]][a["sleeve"]], top_c))
    if a.get("tie"):
        rows.append((2, 5, 141, tie_c))
    rows.append((2, 6, BOTTOM[a["btype"]][a["blen"]], bottom_c))
    if a["glasses"]:
        rows.append((2, 7, 120 if girl else 143, WHITE))
    if a["hair"]:
        rows.append((2, 8, HAIR_FRONT[a["htype"]][a["hlen"]], hair_c))
        if not (a["htype"] == 2 or (a["htype"] == 1 and a["hlen"] == 0)):
            rows.append((0, 9, HAIR_BACK[a["htype"]][a["hlen"]], hair_c))
    else:
        rows.append((2, 8, 135, hair_c))
    if a["hat"]:
        rows.append((2, 10, 155 if girl else 154, WHITE))
    if a.get("bag"):
        rows.append((2, 11, 125, WHITE))
    if not girl:
        rows.append((3, 12, 142, bottom_c))
    return [(r, t) for _, _, r, t in sorted(rows)]


def tinted(resource, tint):
    args = [os.path.join(FIGURE, f"{resource}.png")]
    if tint != WHITE:
        for channel, hexpair in zip("RGB", (tint[0:2], tint[2:4], tint[4:6])):
            args += ["-channel", channel, "-evaluate", "multiply", f"{int(hexpair, 16) / 255:.4f}"]
        args += ["+channel"]
    return ["("] + args + [")"]


def compose(a, out):
    w, h = (250, 450) if a["sex"] == 0 else (242, 467)
    cmd = ["convert", "-size", f"{w}x{h}", "xc:none"]
    for resource, tint in stack(a):
        cmd += tinted(resource, tint) + ["-composite"]
    subprocess.run(cmd + [out], check=True)


def main():
    folder = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "build",
                                                                               "figure-check"))
    os.makedirs(folder, exist_ok=True)
    full, small = [], []
    with tempfile.TemporaryDirectory() as tmp:
        for i, a in enumerate(APPEARANCES):
            one = os.path.join(folder, f"figure-{i}.png")
            compose(a, one)
            full.append(one)
            little = os.path.join(tmp, f"small-{i}.png")
            size = "174x314!" if a["sex"] == 0 else "169x326!"
            subprocess.run(["convert", one, "-resize", size, little], check=True)
            small.append(little)
        for files, name, tile in ((full, "sheet-1.0.png", "5x"), (small, "sheet-0.7.png", "5x")):
            subprocess.run(["montage", *files, "-background", "#6f9fd8", "-geometry", "+6+6", "-tile", tile,
                            os.path.join(folder, name)], check=True)
    print(folder)


if __name__ == "__main__":
    main()
