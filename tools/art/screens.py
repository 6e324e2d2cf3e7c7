#!/usr/bin/python3
"""Draws the screens' pictures: the closing prompt's keyboard, mouse and space-bar mark,
the praise cloud, and the window icon (from the girl's head, so run figure.py first)."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from svg import INK, document, render  # noqa: E402

ASSETS = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", "assets"))
SCREENS = os.path.join(ASSETS, "screens")
ICONS = os.path.join(ASSETS, "icons")
FIGURE = os.path.join(ASSETS, "figure")

# The space bar's top face; the mark is laid exactly over it.
SPACE = (130, 155, 112, 14)
FACE_H, FRONT_H = 14, 5

KEY_TOP, KEY_FRONT, KEY_LINE, LABEL = "#fbfcfd", "#b7c0cc", "#4a4f57", "#39404a"


def key(x, y, w, label="", size=9):
    out = (f'<rect x="{x}" y="{y}" width="{w}" height="{FACE_H + FRONT_H}" rx="3" fill="{KEY_FRONT}" '
           f'stroke="{KEY_LINE}" stroke-width="1.2"/>'
           f'<rect x="{x + 0.6}" y="{y + 0.6}" width="{w - 1.2}" height="{FACE_H - 0.6}" rx="2.5" fill="{KEY_TOP}"/>')
    if label:
        out += (f'<text x="{x + w / 2}" y="{y + 11}" font-family="Liberation Sans" font-size="{size}" '
                f'font-weight="bold" text-anchor="middle" fill="{LABEL}">{label}</text>')
    return out


def key_row(x, y, labels, pitch=26, width=22):
    out = ""
    for label in labels:
        out += key(x, y, width, label)
        x += pitch
    return out, x


def keyboard():
    out = ('<ellipse cx="262" cy="206" rx="258" ry="18" fill="#000000" fill-opacity="0.16"/>'
           '<rect x="2" y="3" width="520" height="190" rx="14" fill="#d5dae2" stroke="#333333" stroke-width="2.4"/>'
           '<rect x="7" y="180" width="510" height="8" rx="4" fill="#c1c8d2"/>')
    # function keys
    out += key(12, 11, 22, "Esc", 7)
    x = 60
    for group in range(3):
        for i in range(4):
            out += key(x, 11, 22, f"F{group * 4 + i + 1}", 7)
            x += 26
        x += 12
    rows = [
        (43, [], list("ё1234567890-="), ("⌫", 52)),
        (71, [("Tab", 36)], list("йцукенгшщзхъ"), ("\\", 38)),
        (99, [("Caps", 44)], list("фывапролджэ"), ("Enter", 56)),
        (127, [("Shift", 56)], list("ячсмитьбю."), ("Shift", 70)),
    ]
    for y, lead, letters, (tail, tail_w) in rows:
        x = 12
        for label, w in lead:
            out += key(x, y, w - 4, label, 7)
            x += w
        part, x = key_row(x, y, [c.upper() if c.isalpha() else c for c in letters])
        out += part
        out += key(x, y, 402 - x, tail, 7)
    bottom = [(12, 36, "Ctrl"), (52, 36, "Win"), (92, 34, "Alt"), (246, 36, "Alt"), (286, 36, "Win"),
              (326, 36, "Menu"), (366, 36, "Ctrl")]
    for x, w, label in bottom:
        out += key(x, SPACE[1], w, label, 7)
    out += key(SPACE[0], SPACE[1], SPACE[2])
    # numeric block
    pad = [["Num", "/", "*", "-"], ["7", "8", "9", "+"], ["4", "5", "6", ""], ["1", "2", "3", "⏎"], ["0", "", ".", ""]]
    for r, row in enumerate(pad):
        for c, label in enumerate(row):
            if r == 4 and c == 1:
                continue
            if (r == 2 and c == 3) or (r == 4 and c == 3):
                continue
            w = 48 if (r == 4 and c == 0) else 22
            out += key(412 + c * 26, 43 + r * 28, w, label, 7 if len(label) > 1 else 9)
    for y, colour in ((16, "#7ed957"), (22, "#7ed957")):
        out += f'<circle cx="{496 + (y - 16) * 2}" cy="16" r="2.5" fill="{colour}" stroke="#333" stroke-width="0.8"/>'
    return document(524, 230, out)


def mouse():
    body = "M 123,38 C 176,38 198,96 196,150 C 194,206 162,232 123,232 C 84,232 52,206 50,150 C 48,96 70,38 123,38 Z"
    out = ('<ellipse cx="128" cy="232" rx="76" ry="10" fill="#000" fill-opacity="0.15"/>'
           '<path d="M 123,40 C 122,20 100,8 78,16 C 56,24 44,10 30,4" fill="none" stroke="#333" '
           'stroke-width="7" stroke-linecap="round"/>'
           '<path d="M 123,40 C 122,20 100,8 78,16 C 56,24 44,10 30,4" fill="none" stroke="#8d96a3" '
           'stroke-width="3.4" stroke-linecap="round"/>'
           f'<path d="{body}" fill="#eef1f5" stroke="{INK}" stroke-width="4"/>'
           '<path d="M 52,128 Q 123,144 194,128" fill="none" stroke="#333" stroke-width="3"/>'
           '<path d="M 123,40 L 123,136" fill="none" stroke="#333" stroke-width="3"/>'
           '<path d="M 60,112 C 58,80 80,48 118,42 L 118,131 Q 84,128 60,120 Z" fill="#ffffff"/>'
           '<rect x="113" y="66" width="20" height="42" rx="10" fill="#5b6573" stroke="#333" stroke-width="2.5"/>'
           '<path d="M 118,76 L 128,76 M 118,86 L 128,86 M 118,96 L 128,96" stroke="#9aa3af" stroke-width="2"/>'
           '<path d="M 70,170 Q 74,205 110,220" fill="none" stroke="#ffffff" stroke-width="6" '
           'stroke-linecap="round" stroke-opacity="0.9"/>')
    return document(246, 246, f'<g transform="translate(88,10) scale(0.75)">{out}</g>')


def space_mark():
    x, y, w, h = SPACE
    return document(w, h, f'<rect width="{w}" height="{h}" fill="#ffb300"/>'
                          f'<rect x="1" y="1" width="{w - 2}" height="{h - 2}" rx="3" fill="#ffd54f" '
                          'stroke="#e65100" stroke-width="1.5"/>'
                          f'<text x="{w / 2}" y="11" font-family="Liberation Sans" font-size="10" font-weight="bold" '
                          'text-anchor="middle" fill="#5d2c00">ПРОБЕЛ</text>')


# The praise video (320 x 200) is shown at (93, 76) inside the cloud.
VIDEO = (93, 76, 320, 200)


def cloud():
    vx, vy, vw, vh = VIDEO
    bumps = []
    left, top, right, bottom = vx - 22, vy - 22, vx + vw + 22, vy + vh + 22
    for k, x in enumerate(range(left + 40, right - 20, 74)):
        bumps += [(x, top + 6, 42 + 8 * (k % 2)), (x + 30, bottom - 6, 40 + 8 * ((k + 1) % 2))]
    for k, y in enumerate(range(top + 60, bottom - 30, 80)):
        bumps += [(left + 4, y, 44 + 6 * (k % 2)), (right - 4, y + 30, 44 + 6 * ((k + 1) % 2))]
    bumps += [(left + 18, top + 18, 44), (right - 16, top + 22, 44), (left + 20, bottom - 18, 42),
              (right - 18, bottom - 20, 44)]
    circles = "".join(f'<circle cx="{x}" cy="{y}" r="{r}"/>' for x, y, r in bumps)
    base = f'<rect x="{vx - 24}" y="{vy - 24}" width="{vw + 48}" height="{vh + 48}" rx="40"/>'
    shape = f"{circles}{base}"
    out = (f'<g fill="#8fb8e8" stroke="#8fb8e8" stroke-width="10" transform="translate(3,5)" opacity="0.5">{shape}</g>'
           f'<g fill="#5f8fd0" stroke="#5f8fd0" stroke-width="8">{shape}</g>'
           f'<g fill="#ffffff">{shape}</g>'
           '<g fill="none" stroke="#dcebfb" stroke-width="5" stroke-linecap="round">'
           f'<path d="M {left - 10},{top + 40} Q {left - 4},{top - 8} {left + 40},{top - 18}"/>'
           f'<path d="M {left + 110},{top - 26} Q {left + 140},{top - 38} {left + 170},{top - 30}"/></g>')
    return document(506, 356, out)


def icon(size, out_path):
    head = os.path.join(SCREENS, ".icon-head.png")
    layers = [(153, "EC4D00"), (111, None), (130, "EC4D00"), (155, None)]
    cmd = ["convert", "-size", "250x450", "xc:none"]
    for number, colour in layers:
        step = ["(", os.path.join(FIGURE, f"{number}.png")]
        if colour:
            for channel, pair in zip("RGB", (colour[0:2], colour[2:4], colour[4:6])):
                step += ["-channel", channel, "-evaluate", "multiply", f"{int(pair, 16) / 255:.4f}"]
            step += ["+channel"]
        cmd += step + [")", "-composite"]
    subprocess.run(cmd + ["-crop", "150x150+50+6", "+repage", head], check=True)
    background = os.path.join(SCREENS, ".icon-bg.png")
    render(document(256, 256, '<rect x="6" y="6" width="244" height="244" rx="48" fill="#7fb6ea" '
                              'stroke="#1d3a72" stroke-width="8"/>'), background, 256, 256)
    subprocess.run(["convert", background, "(", head, "-resize", "232x232", ")", "-gravity", "center",
                    "-geometry", "+0+10", "-composite", "-filter", "Lanczos", "-resize", f"{size}x{size}",
                    "-strip", out_path], check=True)
    os.unlink(head)
    os.unlink(background)


def main():
    os.makedirs(SCREENS, exist_ok=True)
    os.makedirs(ICONS, exist_ok=True)
    render(keyboard(), os.path.join(SCREENS, "keyboard.png"), 524, 230)
    render(mouse(), os.path.join(SCREENS, "mouse.png"), 246, 246)
    mark = os.path.join(SCREENS, "keyspace.png")
    render(space_mark(), mark, *SPACE[2:])
    subprocess.run(["convert", mark, "-background", "#ffb300", "-flatten", "-alpha", "off", "-strip",
                    f"PNG24:{mark}"], check=True)
    render(cloud(), os.path.join(SCREENS, "oblako.png"), 506, 356)
    for size in (16, 24, 32, 48, 64, 128, 256):
        icon(size, os.path.join(ICONS, f"pestrol-{size}.png"))


if __name__ == "__main__":
    main()
