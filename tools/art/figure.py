#!/usr/bin/python3
"""Draws the girl's and the boy's picture layers from one set of body coordinates per sex.

Writes assets/figure/src/girl.svg and boy.svg (every layer a named group) and renders each
layer to assets/figure/<number>.png at the canvas size of its sex. Every layer is drawn from
the same points (shoulders, arms, hips, legs, head), which is what makes a blouse sit exactly
on the torso and a shoe exactly on its foot.

Clothes, hair, tie and the trouser patch are white line art (the program tints them);
body, hand, glasses, hats and the bag are drawn in colour.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from svg import (DETAIL, FOLD, INK, SHADE, WHITE, Shape, Tube, document, ellipse, line,  # noqa: E402
                 mirror, path, render, silhouette)

SKIN = "#ffd8bc"
CHEEK = "#ff9c9c"
LIPS = "#e2665f"
EYE = "#2a2a2a"
SINGLET = "#a6d8f5"
BRIEFS = "#86c3ec"


class Body:
    """Shared coordinates of one sex."""

    def __init__(self, sex):
        self.sex = sex
        if sex == "girl":
            self.size = (250, 450)
            self.cx = 125
            self.head = (125, 90, 47, 50)
            self.ear_y = 97
            self.neck = (113, 137, 126, 162)
            self.torso = ("M 111,150 C 99,151 87,154 85,168 L 95,250 C 92,262 91,274 93,288 "
                          "Q 109,298 125,298 Q 141,298 157,288 C 159,274 158,262 155,250 "
                          "L 165,168 C 163,154 151,151 139,150 Z")
            self.arm_l = [(94, 166), (74, 224), (64, 272)]
            self.arm_r = mirror(self.arm_l, 250)
            self.arm_w = 19
            self.hand_l = (63, 283, 12)
            self.hand_r = (187, 283, 12)
            self.leg_x = (108, 142)
            self.leg_y = (276, 400)
            self.leg_w = 26
            self.foot = "M 120,394 L 120,418 Q 120,424 113,424 L 86,428 Q 73,429 75,419 Q 78,408 95,404 L 96,394 Z"
            self.eyes = ((107, 98), (143, 98))
            self.waist = 248
        else:
            self.size = (242, 467)
            self.cx = 121
            self.head = (121, 94, 46, 49)
            self.ear_y = 100
            self.neck = (109, 133, 130, 168)
            self.torso = ("M 106,156 C 94,157 82,160 80,176 L 90,262 C 88,274 87,286 89,300 "
                          "Q 105,310 121,310 Q 137,310 153,300 C 155,286 154,274 152,262 "
                          "L 162,176 C 160,160 148,157 136,156 Z")
            self.arm_l = [(84, 174), (70, 234), (64, 288)]
            self.arm_r = [(156, 172), (193, 222), (153, 262)]
            self.arm_w = 20
            self.hand_l = (63, 299, 12.5)
            self.hand_r = None          # the hand on the hip is a layer of its own
            self.leg_x = (103.5, 138.5)
            self.leg_y = (288, 412)
            self.leg_w = 27
            self.foot = "M 117,404 L 117,430 Q 117,437 109,437 L 80,441 Q 66,442 68,431 Q 71,419 90,415 L 91,404 Z"
            self.eyes = ((102, 101), (140, 101))
            self.waist = 260

    @property
    def width(self):
        return self.size[0]

    def flip(self, d):
        """A path given for the left side, mirrored to the right side."""
        out, number = [], ""
        tokens = d.replace(",", " , ").split()
        expect_x = True
        for t in tokens:
            if t == ",":
                out.append(",")
                continue
            try:
                v = float(t)
            except ValueError:
                out.append(t)
                expect_x = True
                continue
            if expect_x:
                out.append(f"{self.width - v:g}")
            else:
                out.append(f"{v:g}")
            expect_x = not expect_x
        return " ".join(out).replace(" , ", ",")

    def leg(self, i):
        x = self.leg_x[i]
        return [(x, self.leg_y[0]), (x, self.leg_y[1])]


def both(b, d):
    return [d, b.flip(d)]


# ----------------------------------------------------------------------------- body


def face(b):
    (lx, ly), (rx, ry) = b.eyes
    cx = b.cx
    out = []
    for x, y in b.eyes:
        out.append(ellipse(x, y, 5.5, 7.5, EYE, stroke="none"))
        out.append(ellipse(x + 1.8, y - 2.8, 2.0, 2.2, WHITE, stroke="none"))
        out.append(path(f"M {x - 8},{y - 13} Q {x},{y - 18} {x + 8},{y - 13}", width=2.2))
    if b.sex == "girl":
        for x, y, s in ((lx, ly, -1), (rx, ry, 1)):
            out.append(line([(x + 5 * s, y - 6), (x + 9 * s, y - 9)], width=1.6))
            out.append(line([(x + 6 * s, y - 3), (x + 10 * s, y - 4)], width=1.6))
    cheek_y = ly + 15
    out.append(ellipse(lx - 9, cheek_y, 7, 5, CHEEK, stroke="none", extra='opacity="0.55"'))
    out.append(ellipse(rx + 9, cheek_y, 7, 5, CHEEK, stroke="none", extra='opacity="0.55"'))
    ny = ly + 12
    out.append(path(f"M {cx - 3},{ny} Q {cx},{ny + 4} {cx + 3},{ny}", width=1.8))
    my = ly + 20
    out.append(path(f"M {cx - 12},{my} Q {cx},{my + 13} {cx + 12},{my} Q {cx},{my + 4} {cx - 12},{my} Z",
                    fill=LIPS, width=1.8))
    return "".join(out)


def ears(b):
    hx, _, hrx, _ = b.head
    out = []
    for x in (hx - hrx - 1, hx + hrx + 1):
        out.append(Shape(f"M {x - 8},{b.ear_y} a 8,11 0 1,0 16,0 a 8,11 0 1,0 -16,0 Z", SKIN))
    return out


def head_shape(b):
    x, y, rx, ry = b.head
    return Shape(f"M {x - rx},{y} a {rx},{ry} 0 1,0 {2 * rx},0 a {rx},{ry} 0 1,0 {-2 * rx},0 Z", SKIN)


def hand(x, y, r):
    return Shape(f"M {x - r},{y} a {r},{r} 0 1,0 {2 * r},0 a {r},{r} 0 1,0 {-2 * r},0 Z", SKIN)


def body_layer(b):
    x0, x1, y0, y1 = b.neck
    parts = [Tube(b.leg(0), b.leg_w, SKIN, round_end=True), Tube(b.leg(1), b.leg_w, SKIN, round_end=True)]
    parts += [Shape(d, SKIN) for d in both(b, b.foot)]
    parts += [Tube(b.arm_l, b.arm_w, SKIN, round_end=True), Tube(b.arm_r, b.arm_w, SKIN, round_end=True)]
    parts.append(hand(*b.hand_l))
    if b.hand_r:
        parts.append(hand(*b.hand_r))
    parts += [Shape(f"M {x0},{y0} L {x1},{y0} L {x1},{y1} L {x0},{y1} Z", SKIN), Shape(b.torso, SKIN)]
    parts += ears(b)
    parts.append(head_shape(b))
    out = silhouette(parts)
    out += underwear(b)
    for x, y, r in [b.hand_l] + ([b.hand_r] if b.hand_r else []):
        s = -1 if x < b.cx else 1
        out += path(f"M {x + 4 * s},{y - 5} Q {x + 9 * s},{y} {x + 4 * s},{y + 6}", width=1.4)
    for x in (b.head[0] - b.head[2] - 1, b.head[0] + b.head[2] + 1):
        out += path(f"M {x - 3},{b.ear_y - 4} Q {x},{b.ear_y} {x - 3 if x < b.cx else x + 3},{b.ear_y + 4}",
                    width=1.4)
    knee_y = (b.leg_y[0] + b.leg_y[1]) / 2 + 10
    for x in b.leg_x:
        out += path(f"M {x - 5},{knee_y} Q {x},{knee_y + 4} {x + 5},{knee_y}", width=1.2)
    return out + face(b)


def underwear(b):
    if b.sex == "girl":
        singlet = ("M 100,157 L 106,157 L 109,176 Q 125,184 141,176 L 144,157 L 150,157 L 162,172 "
                   "L 154,256 L 96,256 L 88,172 Z")
        briefs = "M 94,252 L 156,252 L 158,286 Q 142,296 134,306 L 116,306 Q 108,296 92,286 Z"
    else:
        singlet = ("M 95,162 L 101,161 L 105,182 Q 121,190 137,182 L 141,161 L 147,162 L 159,178 "
                   "L 151,268 L 91,268 L 83,178 Z")
        briefs = "M 89,264 L 153,264 L 155,298 Q 139,308 131,318 L 111,318 Q 103,308 87,298 Z"
    return (path(singlet, fill=SINGLET, width=DETAIL) + path(briefs, fill=BRIEFS, width=DETAIL))


# ------------------------------------------------------------------------------ top

SLEEVES = {"girl": (30, 68, 108), "boy": (32, 72, 110)}


def top_layer(b, length):
    reach = SLEEVES[b.sex][length]
    w = b.arm_w + 8
    if b.sex == "girl":
        torso = ("M 110,149 C 98,150 85,153 82,168 L 91,266 L 159,266 L 168,168 "
                 "C 165,153 152,150 140,149 Q 125,162 110,149 Z")
    else:
        torso = ("M 104,154 C 92,155 77,159 75,176 L 85,278 L 157,278 L 167,176 "
                 "C 165,159 150,155 138,154 L 121,171 Z")
    out = silhouette([Shape(torso, WHITE)])
    out += torso_shading(b)
    sleeves = [Tube(b.arm_l, w, WHITE, length=reach), Tube(b.arm_r, w, WHITE, length=reach)]
    for s in sleeves:
        out += silhouette([s]) + s.cuff(5)
        out += s.cuff(reach * 0.5, FOLD, 1.2) if reach > 60 else ""
    return out + (blouse_details(b) if b.sex == "girl" else shirt_details(b))


def torso_shading(b):
    if b.sex == "girl":
        return (path("M 91,262 L 86,180 Q 92,220 100,262 Z", fill=SHADE, stroke="none")
                + path("M 159,262 L 164,180 Q 158,220 150,262 Z", fill=SHADE, stroke="none"))
    return (path("M 86,274 L 79,190 Q 86,236 95,274 Z", fill=SHADE, stroke="none")
            + path("M 156,274 L 163,190 Q 156,236 147,274 Z", fill=SHADE, stroke="none"))


def blouse_details(b):
    collar = "M 110,150 Q 100,164 108,172 Q 120,172 125,158 Q 118,158 110,150 Z"
    out = "".join(path(d, fill=WHITE, width=DETAIL) for d in both(b, collar))
    for y in (180, 202, 224, 246):
        out += ellipse(125, y, 2.6, 2.6, SHADE, width=1.2)
    out += line([(125, 162), (125, 264)], FOLD, 1.0)
    return out


def shirt_details(b):
    collar = "M 104,152 L 121,171 L 111,183 L 99,161 Z"
    out = "".join(path(d, fill=WHITE, width=DETAIL) for d in both(b, collar))
    for y in (192, 214, 236, 258):
        out += ellipse(121, y, 2.6, 2.6, SHADE, width=1.2)
    out += line([(121, 172), (121, 276)], FOLD, 1.0)
    out += path("M 92,194 L 108,194 L 108,210 Q 100,214 92,210 Z", fill=WHITE, width=1.4)
    return out


# ------------------------------------------------------------------------------ tie


def tie_layer(b):
    knot = Shape("M 114,167 L 128,167 L 126,181 L 116,181 Z", WHITE)
    blade = Shape("M 116,180 L 126,180 L 133,238 L 121,252 L 109,238 Z", WHITE)
    out = silhouette([blade]) + silhouette([knot])
    for y in (196, 214, 232):
        out += line([(113, y + 6), (130, y - 4)], FOLD, 1.6)
    return out


# --------------------------------------------------------------------------- bottom

TROUSERS = {"girl": (38, 80, 130), "boy": (44, 96, 132)}
SKIRTS = ((312, 80), (356, 70), (398, 58))   # hem height and left hem edge, by length


def trousers_layer(b, length):
    reach = TROUSERS[b.sex][length]
    w = 2 * (b.cx - b.leg_x[0])
    y0 = b.waist
    top = b.leg_y[0]
    legs = [Tube([(x, top), (x + (x - b.cx) * 0.06, top + 60)], w, WHITE, length=reach) for x in b.leg_x]
    xl, xr = b.cx - w, b.cx + w
    pelvis = Shape(f"M {xl + 1},{y0} L {xr - 1},{y0} L {xr},{top + 10} L {xl},{top + 10} Z", WHITE)
    out = silhouette([pelvis] + legs)
    hem = top + reach
    out += line([(b.cx, top + 18), (b.cx, hem)], INK, DETAIL)
    out += path(f"M {b.cx - 2},{y0 + 12} Q {b.cx - 4},{top + 6} {b.cx},{top + 18}", width=1.4)
    for t in legs:
        out += t.cuff(6, FOLD, 1.4)
    if b.sex == "girl":
        out += line([(xl + 1, y0 + 9), (xr - 1, y0 + 9)], INK, DETAIL)
        out += ellipse(b.cx, y0 + 5, 2.5, 2.5, SHADE, width=1.2)
        out += path(f"M {xl + 4},{y0 + 14} Q {xl + 14},{y0 + 18} {xl + 16},{y0 + 30}", width=1.3)
        out += path(f"M {xr - 4},{y0 + 14} Q {xr - 14},{y0 + 18} {xr - 16},{y0 + 30}", width=1.3)
    else:
        out += path(f"M {xl + 1},{y0 + 2} L {xr - 1},{y0 + 2} L {xr - 1},{y0 + 12} L {xl + 1},{y0 + 12} Z",
                    fill=SHADE, width=DETAIL)
        out += path(f"M {b.cx - 7},{y0} L {b.cx + 7},{y0} L {b.cx + 7},{y0 + 14} L {b.cx - 7},{y0 + 14} Z",
                    fill=WHITE, width=1.6)
        for x in (xl + 12, xr - 12):
            out += path(f"M {x - 2},{y0} L {x + 2},{y0} L {x + 2},{y0 + 14} L {x - 2},{y0 + 14} Z",
                        fill=WHITE, width=1.2)
        out += path(f"M {xl + 4},{y0 + 18} Q {xl + 14},{y0 + 22} {xl + 15},{y0 + 36}", width=1.3)
    return out


def skirt_layer(b, length):
    hem, left = SKIRTS[length]
    right = b.width - left
    y0 = b.waist
    d = (f"M 96,{y0} L 154,{y0} Q {right - 6},{(y0 + hem) / 2} {right},{hem} "
         f"Q {b.cx},{hem + 8} {left},{hem} Q {left + 6},{(y0 + hem) / 2} 96,{y0} Z")
    out = silhouette([Shape(d, WHITE)])
    out += path(f"M {left + 4},{hem - 4} Q {b.cx},{hem + 4} {right - 4},{hem - 4} "
                f"L {right - 2},{hem} Q {b.cx},{hem + 8} {left + 2},{hem} Z", fill=SHADE, stroke="none")
    out += line([(96, y0 + 9), (154, y0 + 9)], INK, DETAIL)
    for i in range(1, 6):
        x_top = 96 + 58 * i / 6
        x_hem = left + (right - left) * i / 6
        out += line([(x_top, y0 + 12), (x_hem, hem + 4 - abs(i - 3) * 1.2)], FOLD, 1.3)
    return out


# ---------------------------------------------------------------------------- shoes


def shoes_layer(b, kind):
    if kind == "flat":
        upper = "M 122,404 L 122,420 Q 122,427 114,427 L 86,431 Q 70,432 72,420 Q 75,408 94,405 Q 108,402 122,404 Z"
        sole = "M 72,421 Q 73,431 86,431 L 114,427 Q 122,427 122,421 L 114,423 L 86,427 Q 77,427 72,421 Z"
        extra = [("M 100,405 Q 108,410 118,408", None), ("M 101,406 L 104,418", None)]
        heel = None
    elif kind == "heel":
        upper = "M 121,407 L 121,419 Q 121,424 115,425 L 82,431 Q 66,432 71,421 Q 76,410 94,409 Q 108,409 121,407 Z"
        sole = "M 71,422 Q 69,431 82,431 L 115,425 Q 121,424 121,419 L 114,422 L 82,428 Q 74,428 71,422 Z"
        extra = [("M 94,410 Q 106,414 119,410", None)]
        heel = "M 112,423 L 121,421 L 120,438 L 115,438 Z"
    else:
        upper = "M 119,412 L 120,432 Q 120,440 110,440 L 80,445 Q 62,446 65,432 Q 69,418 90,414 Q 104,410 119,412 Z"
        sole = "M 65,434 Q 64,446 80,446 L 110,441 Q 120,440 120,433 L 110,436 L 80,440 Q 70,440 65,434 Z"
        extra = [("M 90,416 L 96,425", None), ("M 96,414 L 102,423", None), ("M 102,413 L 108,421", None),
                 ("M 76,428 Q 90,432 118,428", FOLD)]
        heel = None
    out = ""
    for side in (0, 1):
        f = (lambda d: d) if side == 0 else b.flip
        parts = [Shape(f(upper), WHITE)]
        if heel:
            parts.insert(0, Shape(f(heel), SHADE))
        out += silhouette(parts)
        out += path(f(sole), fill=SHADE, width=1.4)
        for d, colour in extra:
            out += path(f(d), stroke=colour or INK, width=1.5)
        if kind == "flat":
            x = 104 if side == 0 else b.width - 104
            out += ellipse(x, 418, 2.2, 2.2, SHADE, width=1.2)
    return out


# ----------------------------------------------------------------------------- hair

GIRL_CAP = ("M 74,106 C 66,60 94,34 125,34 C 156,34 184,60 176,106 L 166,100 C 166,86 163,76 159,68 "
            "Q 151,80 141,66 Q 133,78 123,64 Q 114,78 104,66 Q 97,80 91,68 C 87,76 84,86 84,100 Z")
# Side locks in front of the ears, for the left side; they widen as they fall and end in a
# soft point.
GIRL_LOCKS = (
    "M 86,76 C 74,88 68,106 68,124 Q 70,138 80,140 Q 90,140 95,134 C 90,124 88,110 88,96 Z",
    "M 86,76 C 72,90 66,112 64,140 C 62,160 62,174 66,186 Q 74,192 80,184 Q 84,190 90,180 "
    "C 92,160 88,120 88,96 Z",
    "M 86,76 C 72,92 64,120 62,160 C 60,196 64,222 72,242 Q 80,250 86,240 Q 92,248 98,236 "
    "C 96,214 92,190 92,170 C 90,140 88,120 88,96 Z",
)
GIRL_STRANDS = (
    ("M 80,92 Q 74,110 76,132",),
    ("M 80,92 Q 70,130 72,182", "M 86,110 Q 84,150 86,178"),
    ("M 80,92 Q 66,150 76,238", "M 86,110 Q 84,170 92,232"),
)
GIRL_BACK = ("M 74,110 C 62,52 95,29 125,29 C 155,29 188,52 176,110 C 178,128 174,140 166,146 "
             "L 84,146 C 76,140 72,128 74,110 Z",
             "M 72,110 C 62,52 95,29 125,29 C 155,29 188,52 178,110 C 184,140 188,168 184,188 "
             "Q 125,196 66,188 C 62,168 66,140 72,110 Z",
             "M 70,110 C 60,52 95,29 125,29 C 155,29 190,52 180,110 C 188,150 194,200 190,246 "
             "Q 176,254 160,246 Q 140,256 125,248 Q 110,256 90,246 Q 74,254 60,246 "
             "C 56,200 62,150 70,110 Z")
BRAID_END = (152, 200, 250)


def girl_cap_details(b):
    out = path("M 125,38 Q 118,50 120,64", stroke=FOLD, width=1.3)
    out += path("M 104,44 Q 96,54 98,66", stroke=FOLD, width=1.3)
    out += path("M 146,44 Q 154,54 152,66", stroke=FOLD, width=1.3)
    return out


def loose_front(b, length):
    out = silhouette([Shape(d, WHITE) for d in both(b, GIRL_LOCKS[length])] + [Shape(GIRL_CAP, WHITE)])
    out += girl_cap_details(b)
    for d in GIRL_STRANDS[length]:
        for side in both(b, d):
            out += path(side, stroke=FOLD, width=1.2)
    return out


def braids_front(b, length):
    end = BRAID_END[length]
    out = ""
    for side in (0, 1):
        x0 = 78 if side == 0 else 172
        drift = -4 if side == 0 else 4
        y = 104
        n = int((end - y) // 11)
        for i in range(n + 1):
            t = i / max(n, 1)
            x = x0 + drift * t
            out += Shape(f"M {x - 9},{y} a 9,7.5 0 1,0 18,0 a 9,7.5 0 1,0 -18,0 Z", WHITE).outline()
            out += Shape(f"M {x - 9},{y} a 9,7.5 0 1,0 18,0 a 9,7.5 0 1,0 -18,0 Z", WHITE).body()
            out += path(f"M {x - 6},{y + 1} Q {x},{y + 6} {x + 6},{y + 1}", stroke=FOLD, width=1.2)
            y += 11
        x = x0 + drift
        out += silhouette([Shape(f"M {x - 5},{y - 4} L {x + 5},{y - 4} L {x + 8},{y + 10} "
                                 f"Q {x},{y + 14} {x - 8},{y + 10} Z", WHITE)])
        out += silhouette([Shape(f"M {x},{y - 6} L {x - 12},{y - 13} L {x - 12},{y + 1} Z", WHITE),
                           Shape(f"M {x},{y - 6} L {x + 12},{y - 13} L {x + 12},{y + 1} Z", WHITE)])
        out += ellipse(x, y - 6, 3, 3, SHADE, width=1.4)
    out += silhouette([Shape(GIRL_CAP, WHITE)]) + girl_cap_details(b)
    return out


def girl_back(b, length):
    return silhouette([Shape(GIRL_BACK[length], WHITE)]) + path(
        "M 125,33 L 125,44", stroke=FOLD, width=1.2)


BOY_FRONT = (
    "M 75,98 C 70,58 94,40 121,40 C 148,40 172,58 167,98 L 161,93 C 161,82 157,74 152,66 "
    "L 145,71 L 138,62 L 130,69 L 121,60 L 112,69 L 104,62 L 97,71 L 90,66 C 85,74 81,82 81,93 Z",
    "M 71,112 C 64,58 92,38 121,38 C 150,38 178,58 171,112 L 162,112 L 160,92 C 158,84 156,78 152,72 "
    "Q 144,80 136,72 Q 128,80 120,72 Q 112,80 104,72 Q 96,80 90,72 C 86,78 84,84 82,92 L 80,112 Z",
    "M 68,140 C 60,60 90,36 121,36 C 152,36 182,60 174,140 L 176,154 L 168,148 L 166,158 L 160,146 "
    "C 162,130 163,110 162,96 C 160,88 157,82 153,76 Q 145,84 137,76 Q 129,84 121,76 Q 113,84 105,76 "
    "Q 97,84 89,76 C 85,82 82,88 80,96 C 79,110 80,130 82,146 L 76,158 L 74,148 L 66,154 Z",
)
BOY_BACK = {
    1: "M 70,116 C 62,56 92,35 121,35 C 150,35 180,56 172,116 Q 121,130 70,116 Z",
    2: "M 66,160 C 56,56 92,33 121,33 C 150,33 186,56 176,160 Q 150,172 121,166 Q 92,172 66,160 Z",
}


def boy_front(b, length):
    out = silhouette([Shape(BOY_FRONT[length], WHITE)])
    out += path("M 121,44 Q 112,52 112,62", stroke=FOLD, width=1.3)
    out += path("M 100,50 Q 94,58 96,66", stroke=FOLD, width=1.3)
    out += path("M 142,50 Q 148,58 146,66", stroke=FOLD, width=1.3)
    if length == 2:
        out += path("M 74,104 Q 72,126 74,146", stroke=FOLD, width=1.2)
        out += path("M 168,104 Q 170,126 168,146", stroke=FOLD, width=1.2)
    return out


def boy_back(b, length):
    return silhouette([Shape(BOY_BACK[length], WHITE)])


def bare_scalp(b):
    x, y, rx, ry = b.head
    clip = f'<clipPath id="scalp"><rect x="0" y="0" width="{b.width}" height="{y - 20}"/></clipPath>'
    shape = Shape(f"M {x - rx},{y} a {rx},{ry} 0 1,0 {2 * rx},0 a {rx},{ry} 0 1,0 {-2 * rx},0 Z", SKIN)
    out = f'<g clip-path="url(#scalp)">{shape.outline()}{shape.body()}</g>'
    out += ellipse(x - 16, y - 36, 10, 5, WHITE, stroke="none", extra='opacity="0.6"')
    return clip, out


# ------------------------------------------------------------------- colour things


def glasses_layer(b):
    (lx, ly), (rx, ry) = b.eyes
    lens = 'fill="#cfe8ff" fill-opacity="0.35"'
    if b.sex == "girl":
        frame, out = "#8a3fb0", ""
        for x, y in b.eyes:
            out += f'<circle cx="{x}" cy="{y}" r="13" {lens} stroke="{frame}" stroke-width="3.4"/>'
            out += path(f"M {x - 7},{y - 6} Q {x - 4},{y - 9} {x},{y - 9}", stroke=WHITE, width=1.6)
        out += path(f"M {lx + 13},{ly - 2} Q {b.cx},{ly - 8} {rx - 13},{ry - 2}", stroke=frame, width=3)
        out += line([(lx - 13, ly - 2), (lx - 24, ly - 5)], frame, 3)
        out += line([(rx + 13, ry - 2), (rx + 24, ry - 5)], frame, 3)
    else:
        frame, out = "#1f3f8f", ""
        for x, y in b.eyes:
            out += (f'<rect x="{x - 13}" y="{y - 10}" width="26" height="20" rx="5" {lens} '
                    f'stroke="{frame}" stroke-width="3.4"/>')
            out += path(f"M {x - 8},{y - 5} L {x - 3},{y - 5}", stroke=WHITE, width=1.6)
        out += path(f"M {lx + 13},{ly - 3} Q {b.cx},{ly - 8} {rx - 13},{ry - 3}", stroke=frame, width=3)
        out += line([(lx - 13, ly - 4), (lx - 23, ly - 6)], frame, 3)
        out += line([(rx + 13, ry - 4), (rx + 23, ry - 6)], frame, 3)
    return out


def girl_hat(b):
    pink, band, light = "#ff8cc6", "#e2408e", "#ffc2e2"
    out = silhouette([Shape("M 54,46 a 71,13 0 1,0 142,0 a 71,13 0 1,0 -142,0 Z", pink)])
    out += path("M 64,48 Q 125,62 186,48", stroke=light, width=2.4)
    out += silhouette([Shape("M 89,47 C 88,14 162,14 161,47 Q 125,54 89,47 Z", pink)])
    out += path("M 89,38 Q 125,45 161,38 L 161,47 Q 125,54 89,47 Z", fill=band, width=DETAIL)
    out += path("M 100,32 Q 106,26 116,25", stroke=light, width=3)
    for dx, dy in ((0, -6), (6, 0), (0, 6), (-6, 0)):
        out += ellipse(150 + dx, 42 + dy, 5, 5, "#fff59d", width=1.2)
    out += ellipse(150, 42, 3.5, 3.5, "#ffb300", width=1.2)
    return out


def boy_cap(b):
    red, dark, light = "#e53935", "#b71c1c", "#ff8a80"
    out = silhouette([Shape("M 76,76 C 74,40 98,27 121,27 C 144,27 168,40 166,76 Q 121,68 76,76 Z", red)])
    out += path("M 121,29 L 121,70", stroke=dark, width=1.6)
    out += path("M 100,34 Q 92,50 94,72", stroke=dark, width=1.4)
    out += path("M 142,34 Q 150,50 148,72", stroke=dark, width=1.4)
    out += path("M 90,44 Q 98,36 108,34", stroke=light, width=3)
    out += silhouette([Shape("M 70,74 Q 121,64 172,74 Q 176,86 121,88 Q 66,86 70,74 Z", dark)])
    out += path("M 78,80 Q 121,76 164,80", stroke=red, width=1.6)
    out += ellipse(121, 28, 5, 3.5, dark, width=1.4)
    return out


def handbag(b):
    yellow, dark, hx, hy = "#ffd23f", "#e0a800", b.hand_l[0], b.hand_l[1]
    out = path(f"M {hx - 16},{hy + 22} Q {hx - 14},{hy - 10} {hx},{hy - 8} Q {hx + 14},{hy - 10} {hx + 16},{hy + 22}",
               stroke=INK, width=6.6)
    out += path(f"M {hx - 16},{hy + 22} Q {hx - 14},{hy - 10} {hx},{hy - 8} Q {hx + 14},{hy - 10} {hx + 16},{hy + 22}",
                stroke=dark, width=3)
    out += silhouette([Shape(f"M {hx - 28},{hy + 20} L {hx + 28},{hy + 20} L {hx + 31},{hy + 60} "
                             f"Q {hx},{hy + 66} {hx - 31},{hy + 60} Z", yellow)])
    out += path(f"M {hx - 28},{hy + 20} L {hx + 28},{hy + 20} L {hx + 26},{hy + 36} Q {hx},{hy + 44} "
                f"{hx - 26},{hy + 36} Z", fill=dark, width=DETAIL)
    out += ellipse(hx, hy + 39, 4, 4, "#fff3b0", width=1.4)
    for dx in (-6, 0, 6):
        out += silhouette([Shape(f"M {hx + dx - 4},{hy - 4} a 4,5 0 1,0 8,0 a 4,5 0 1,0 -8,0 Z", SKIN)])
    return out


def boy_hand(b):
    palm = Shape("M 135,271 a 11,14 0 1,0 22,0 a 11,14 0 1,0 -22,0 Z", SKIN, 'transform="rotate(45 146 271)"')
    thumb = Shape("M 133,268 a 4.5,8 0 1,0 9,0 a 4.5,8 0 1,0 -9,0 Z", SKIN, 'transform="rotate(35 137 268)"')
    out = silhouette([palm]) + silhouette([thumb])
    out += path("M 150,266 Q 147,271 150,276", width=1.3)
    return out


def trouser_patch(b):
    out = silhouette([Shape("M 127,278 Q 141,272 156,276 L 155,301 Q 141,306 129,300 Z", WHITE)])
    out += path("M 131,282 Q 141,278 152,281 L 151,297 Q 141,301 133,296 Z", stroke=FOLD, width=1.2,
                extra='stroke-dasharray="3,2"')
    return out


# ------------------------------------------------------------------------ the table


def layers():
    """(sex, resource number, group name, tintable, draw function)."""
    g, y = Body("girl"), Body("boy")
    table = [
        (g, 111, "body", False, lambda: body_layer(g)),
        (g, 123, "trousers-short", True, lambda: trousers_layer(g, 0)),
        (g, 124, "trousers-medium", True, lambda: trousers_layer(g, 1)),
        (g, 112, "trousers-long", True, lambda: trousers_layer(g, 2)),
        (g, 115, "blouse-short", True, lambda: top_layer(g, 0)),
        (g, 116, "blouse-medium", True, lambda: top_layer(g, 1)),
        (g, 114, "blouse-long", True, lambda: top_layer(g, 2)),
        (g, 118, "braids-short", True, lambda: braids_front(g, 0)),
        (g, 119, "braids-medium", True, lambda: braids_front(g, 1)),
        (g, 117, "braids-long", True, lambda: braids_front(g, 2)),
        (g, 120, "glasses", False, lambda: glasses_layer(g)),
        (g, 122, "shoes-flat", True, lambda: shoes_layer(g, "flat")),
        (g, 121, "shoes-heeled", True, lambda: shoes_layer(g, "heel")),
        (g, 125, "handbag", False, lambda: handbag(g)),
        (g, 127, "skirt-short", True, lambda: skirt_layer(g, 0)),
        (g, 128, "skirt-medium", True, lambda: skirt_layer(g, 1)),
        (g, 126, "skirt-long", True, lambda: skirt_layer(g, 2)),
        (g, 130, "hair-front-short", True, lambda: loose_front(g, 0)),
        (g, 131, "hair-front-medium", True, lambda: loose_front(g, 1)),
        (g, 129, "hair-front-long", True, lambda: loose_front(g, 2)),
        (g, 153, "hair-back-short", True, lambda: girl_back(g, 0)),
        (g, 134, "hair-back-medium", True, lambda: girl_back(g, 1)),
        (g, 133, "hair-back-long", True, lambda: girl_back(g, 2)),
        (g, 155, "hat", False, lambda: girl_hat(g)),
        (y, 136, "body", False, lambda: body_layer(y)),
        (y, 135, "bare-scalp", False, lambda: bare_scalp(y)),
        (y, 147, "trousers-short", True, lambda: trousers_layer(y, 0)),
        (y, 148, "trousers-medium", True, lambda: trousers_layer(y, 1)),
        (y, 137, "trousers-long", True, lambda: trousers_layer(y, 2)),
        (y, 139, "shirt-short", True, lambda: top_layer(y, 0)),
        (y, 140, "shirt-medium", True, lambda: top_layer(y, 1)),
        (y, 138, "shirt-long", True, lambda: top_layer(y, 2)),
        (y, 141, "tie", True, lambda: tie_layer(y)),
        (y, 142, "trouser-patch", True, lambda: trouser_patch(y)),
        (y, 143, "glasses", False, lambda: glasses_layer(y)),
        (y, 144, "shoes", True, lambda: shoes_layer(y, "boy")),
        (y, 146, "hand", False, lambda: boy_hand(y)),
        (y, 150, "hair-front-short", True, lambda: boy_front(y, 0)),
        (y, 156, "hair-front-medium", True, lambda: boy_front(y, 1)),
        (y, 151, "hair-front-long", True, lambda: boy_front(y, 2)),
        (y, 157, "hair-back-medium", True, lambda: boy_back(y, 1)),
        (y, 152, "hair-back-long", True, lambda: boy_back(y, 2)),
        (y, 154, "cap", False, lambda: boy_cap(y)),
    ]
    return table


def drawn(fn):
    result = fn()
    return result if isinstance(result, tuple) else ("", result)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), "..", "..", "assets", "figure"))
    args = parser.parse_args()
    out = os.path.abspath(args.out)
    os.makedirs(os.path.join(out, "src"), exist_ok=True)
    table = layers()
    for sex in ("girl", "boy"):
        rows = [r for r in table if r[0].sex == sex]
        w, h = rows[0][0].size
        defs, groups = "", ""
        for body, number, name, _, fn in rows:
            d, g = drawn(fn)
            defs += d
            groups += f'<g id="r{number}-{name}">{g}</g>\n'
            render(document(w, h, g, d), os.path.join(out, f"{number}.png"), w, h)
        with open(os.path.join(out, "src", f"{sex}.svg"), "w") as f:
            f.write(document(w, h, "\n" + groups, defs))


if __name__ == "__main__":
    main()
