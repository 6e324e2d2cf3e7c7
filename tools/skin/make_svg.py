#!/usr/bin/env python3
"""Writes the SVG source of every default skin image, the whitespace marks and the
window icon into assets/skin/src.

    make_svg.py OUTDIR     writes OUTDIR/<name>.svg for every image
    make_svg.py --table    prints "<name> <width> <height> <RGB|RGBA> [<colour>]" a
                           line, in the order the program registers them; a colour
                           marks a one-colour picture whose colour must come out exact

The pictures are built from a few shared pieces (button body, caption, box frame) so
that all states of one element stay in step when the look changes.
"""

import sys
from pathlib import Path

FONT = "Liberation Sans"
BACKGROUND = (229, 230, 230)
BACKGROUND_AREA = (216, 217, 217)
EDIT_FRAME = (0, 13, 13)
TRACK = (223, 223, 224)

GREEN = {"normal": (36, 196, 28), "hover": (24, 255, 8), "pressed": (34, 146, 28)}
RED = {"normal": (222, 50, 22), "hover": (255, 58, 20), "pressed": (178, 39, 21)}
BLUE = {"normal": (58, 120, 200), "hover": (86, 160, 245)}
BLUE_FRAME = (48, 94, 142)
TICK_GREEN = (52, 184, 36)
GREY_FRAME = (150, 152, 155)

BUTTONS = [  # base name, width, caption, colours
    ("PrintButton", 84, "Печать", GREEN),
    ("SaveAsButton", 148, "Сохранить как...", GREEN),
    ("RetryButton", 109, "Повторить", GREEN),
    ("CloseButton", 111, "Закрыть", RED),
    ("StartPopStartButton", 84, "Пуск", GREEN),
    ("SubmitButton", 109, "Применить", GREEN),
    ("OptionsButton", 109, "Настройки", GREEN),
    ("CancelButton", 111, "Отмена", RED),
]
BUTTON_HEIGHT = 47


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def lighter(c, t):
    return mix(c, (255, 255, 255), t)


def darker(c, t):
    return mix(c, (0, 0, 0), t)


def rgb(c):
    return "#%02x%02x%02x" % c


def svg(width, height, body, defs=""):
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}">\n'
        f"<defs>{defs}</defs>\n{body}\n</svg>\n"
    )


def vertical_gradient(ident, stops):
    return gradient(ident, stops, "x1='0' y1='0' x2='0' y2='1'")


def horizontal_gradient(ident, stops):
    return gradient(ident, stops, "x1='0' y1='0' x2='1' y2='0'")


def gradient(ident, stops, direction):
    marks = "".join(
        f"<stop offset='{offset}' stop-color='{rgb(colour)}' stop-opacity='{opacity}'/>"
        for offset, colour, opacity in stops)
    return f"<linearGradient id='{ident}' {direction}>{marks}</linearGradient>"


def radial_gradient(ident, inner, outer, cx="0.4", cy="0.35"):
    return (f"<radialGradient id='{ident}' cx='{cx}' cy='{cy}' r='0.7'>"
            f"<stop offset='0' stop-color='{rgb(inner)}'/>"
            f"<stop offset='1' stop-color='{rgb(outer)}'/></radialGradient>")


def outlined_text(x, baseline, text, size, fill, outline, width):
    """Text with a dark rim drawn behind it, legible on every shade of its button."""
    common = (f"x='{x}' y='{baseline}' font-family='{FONT}' font-weight='bold' "
              f"font-size='{size}' text-anchor='middle'")
    return (f"<text {common} fill='{rgb(outline)}' stroke='{rgb(outline)}' "
            f"stroke-width='{width}' stroke-linejoin='round'>{text}</text>"
            f"<text {common} fill='{rgb(fill)}'>{text}</text>")


# Buttons --------------------------------------------------------------------------

def button(width, caption, base, pressed):
    """A rounded, glossy pill; pressed ones sit one pixel lower and lose the gloss."""
    drop = 1 if pressed else 0
    body_h = 42
    outline = darker(base, 0.6)
    top = lighter(base, 0.15 if pressed else 0.45)
    bottom = darker(base, 0.1 if pressed else 0.2)
    defs = vertical_gradient("face", [(0, top, 1), (0.55, base, 1), (1, bottom, 1)])
    defs += vertical_gradient("gloss", [(0, (255, 255, 255), 0.75), (1, (255, 255, 255), 0.05)])
    body = []
    if not pressed:
        body.append(f"<rect x='1' y='3' width='{width - 2}' height='{body_h + 1}' rx='13' "
                    "fill='#000000' fill-opacity='0.22'/>")
    body.append(f"<rect x='1' y='{1 + drop}' width='{width - 2}' height='{body_h}' rx='13' "
                f"fill='url(#face)' stroke='{rgb(outline)}' stroke-width='2'/>")
    if pressed:
        body.append(f"<rect x='3' y='{3 + drop}' width='{width - 6}' height='{body_h - 4}' rx='11' "
                    "fill='none' stroke='#000000' stroke-opacity='0.18' stroke-width='2'/>")
    else:
        body.append(f"<rect x='5' y='3.5' width='{width - 10}' height='17' rx='8.5' "
                    "fill='url(#gloss)'/>")
    body.append(outlined_text(width / 2, 27 + drop, caption, 16, (255, 255, 255),
                              darker(base, 0.55), 3))
    return svg(width, BUTTON_HEIGHT, "\n".join(body), defs)


def exit_button():
    base = RED["normal"]
    defs = vertical_gradient("face", [(0, lighter(base, 0.4), 1), (1, darker(base, 0.15), 1)])
    cross = "M6.5,6.5 L14.5,14.5 M14.5,6.5 L6.5,14.5"
    return svg(21, 21, (
        f"<rect x='0.75' y='0.75' width='19.5' height='19.5' rx='4.5' fill='url(#face)' "
        f"stroke='{rgb(darker(base, 0.6))}' stroke-width='1.5'/>"
        f"<path d='{cross}' stroke='{rgb(darker(base, 0.6))}' stroke-width='4.2' "
        "stroke-linecap='round' fill='none'/>"
        f"<path d='{cross}' stroke='#ffffff' stroke-width='2.4' stroke-linecap='round' fill='none'/>"),
        defs)


def key_cap(label):
    """A keyboard key seen from above: a dark rim, grey sides and a lighter top face."""
    defs = vertical_gradient("top", [(0, (252, 252, 252), 1), (1, (222, 224, 227), 1)])
    return svg(37, 25, (
        f"<rect width='37' height='25' fill='{rgb(BACKGROUND_AREA)}'/>"
        "<rect x='0.5' y='0.5' width='36' height='24' rx='4' fill='#b4b7bc' stroke='#5a5e66'/>"
        "<rect x='3' y='1.5' width='31' height='19' rx='3' fill='url(#top)' "
        "stroke='#9a9ea6' stroke-width='0.8'/>"
        f"<text x='18.5' y='15.5' font-family='{FONT}' font-weight='bold' font-size='12' "
        f"text-anchor='middle' fill='#283040'>{label}</text>"), defs)


# Background -----------------------------------------------------------------------

def background():
    """Flat grey with a band for the titles at the top and one for the controls below."""
    return svg(800, 600, (
        f"<rect width='800' height='600' fill='{rgb(BACKGROUND)}'/>"
        f"<rect width='800' height='70' fill='{rgb(BACKGROUND_AREA)}'/>"
        f"<rect y='440' width='800' height='160' fill='{rgb(BACKGROUND_AREA)}'/>"))


# Slider and scroll bar ------------------------------------------------------------

def handle(width, height, points, colour):
    defs = horizontal_gradient("face", [(0, lighter(colour, 0.5), 1), (1, darker(colour, 0.1), 1)])
    return svg(width, height, (
        f"<polygon points='{points}' fill='url(#face)' stroke='{rgb(darker(colour, 0.55))}' "
        "stroke-linejoin='round'/>"), defs)


def slider_vertical(colour):
    return handle(19, 10, "0.5,0.5 13,0.5 18.5,5 13,9.5 0.5,9.5", colour)


def slider_horizontal(colour):
    return handle(11, 20, "0.5,0.5 10.5,0.5 10.5,14 5.5,19.5 0.5,14", colour)


def thumb_slice(width, height):
    """A cross-section of the rounded blue thumb; the bar stretches it along its length."""
    across = width if width > height else height
    base = BLUE["normal"]
    stops = [(0, lighter(base, 0.55), 1), (0.45, base, 1), (1, darker(base, 0.2), 1)]
    along_x = width > height
    defs = (horizontal_gradient if along_x else vertical_gradient)("face", stops)
    frame = rgb(darker(base, 0.5))
    if along_x:
        shape = (f"<rect width='{width}' height='{height}' fill='{rgb(TRACK)}'/>"
                 f"<rect x='1' width='{across - 2}' height='{height}' fill='{frame}'/>"
                 f"<rect x='2' width='{across - 4}' height='{height}' fill='url(#face)'/>")
    else:
        shape = (f"<rect width='{width}' height='{height}' fill='{rgb(TRACK)}'/>"
                 f"<rect y='1' width='{width}' height='{across - 2}' fill='{frame}'/>"
                 f"<rect y='2' width='{width}' height='{across - 4}' fill='url(#face)'/>")
    return svg(width, height, f"<g shape-rendering='crispEdges'>{shape}</g>", defs)


def flat(width, height, colour):
    return svg(width, height, f"<rect width='{width}' height='{height}' fill='{rgb(colour)}'/>")


def scroll_arrow(points_up):
    base = BLUE["normal"]
    defs = vertical_gradient("face", [(0, lighter(base, 0.5), 1), (1, darker(base, 0.1), 1)])
    arrow = "8,4 12.5,10 3.5,10" if points_up else "8,12 12.5,6 3.5,6"
    return svg(16, 16, (
        f"<rect x='0.5' y='0.5' width='15' height='15' rx='3' fill='url(#face)' "
        f"stroke='{rgb(darker(base, 0.5))}'/>"
        f"<polygon points='{arrow}' fill='#ffffff' stroke='{rgb(darker(base, 0.5))}' "
        "stroke-width='0.8' stroke-linejoin='round'/>"), defs)


# Check boxes and radio buttons ----------------------------------------------------

TICK = "M3.5,8.5 L6.5,11.5 L12.5,4.5"


def check_box(checked, enabled):
    frame = BLUE_FRAME if enabled else GREY_FRAME
    inside = [(0, (255, 255, 255), 1), (1, (214, 228, 244) if enabled else (222, 223, 224), 1)]
    body = [f"<rect width='16' height='16' fill='{rgb(frame)}'/>",
            "<rect x='1' y='1' width='14' height='14' fill='url(#inside)'/>"]
    if checked:
        tick = TICK_GREEN if enabled else (165, 167, 170)
        body.append(f"<path d='{TICK}' fill='none' stroke='{rgb(darker(tick, 0.45))}' "
                    "stroke-width='3.6' stroke-linecap='round' stroke-linejoin='round'/>")
        body.append(f"<path d='{TICK}' fill='none' stroke='{rgb(lighter(tick, 0.1))}' "
                    "stroke-width='2' stroke-linecap='round' stroke-linejoin='round'/>")
    return svg(16, 16, "".join(body), vertical_gradient("inside", inside))


def radio_button(checked, enabled):
    frame = BLUE_FRAME if enabled else GREY_FRAME
    defs = radial_gradient("inside", (255, 255, 255), (206, 222, 240) if enabled else (218, 219, 220))
    body = [f"<circle cx='8' cy='8' r='7.4' fill='url(#inside)' stroke='{rgb(frame)}' "
            "stroke-width='1.2'/>"]
    if checked:
        dot = TICK_GREEN if enabled else (165, 167, 170)
        defs += radial_gradient("dot", lighter(dot, 0.5), darker(dot, 0.1))
        body.append(f"<circle cx='8' cy='8' r='3.8' fill='url(#dot)' "
                    f"stroke='{rgb(darker(dot, 0.45))}' stroke-width='1'/>")
    return svg(16, 16, "".join(body), defs)


# Edit bar, caret, selection -------------------------------------------------------

def edit_corner(rotation):
    """The top-left corner turned by rotation degrees: a quarter ring around white."""
    return svg(8, 8, (
        f"<g transform='rotate({rotation} 4 4)'>"
        "<path d='M8,8 L0,8 A8,8 0 0 1 8,0 Z' fill='#ffffff'/>"
        f"<path d='M0.5,8 A7.5,7.5 0 0 1 8,0.5' fill='none' stroke='{rgb(EDIT_FRAME)}'/>"
        "</g>"))


def edit_border(width, height):
    """One dark pixel on the outer side, white towards the text."""
    dark = {(8, 1, "L"): (0, 0), (8, 1, "R"): (7, 0), (1, 8, "T"): (0, 0), (1, 8, "B"): (0, 7)}
    return lambda side: svg(width, height, (
        "<g shape-rendering='crispEdges'>"
        f"<rect width='{width}' height='{height}' fill='#ffffff'/>"
        f"<rect x='{dark[(width, height, side)][0]}' y='{dark[(width, height, side)][1]}' "
        f"width='1' height='1' fill='{rgb(EDIT_FRAME)}'/></g>"))


def selection_mask():
    return svg(1, 1, "<rect width='1' height='1' fill='#0056ff' fill-opacity='0.1098'/>")


# Whitespace marks -----------------------------------------------------------------

MARK = (96, 128, 176)


def mark_space():
    return svg(3, 3, f"<circle cx='1.5' cy='1.5' r='1.3' fill='{rgb(MARK)}'/>")


def mark_tab():
    return svg(10, 5, (
        f"<path d='M0.5,2.5 L8,2.5' stroke='{rgb(MARK)}' stroke-width='1'/>"
        f"<polygon points='10,2.5 6.5,0 6.5,5' fill='{rgb(MARK)}'/>"))


def mark_break():
    """A return arrow: down the right side, then left along the bottom."""
    return svg(11, 21, (
        f"<path d='M8.5,6 L8.5,14.5 L3,14.5' fill='none' stroke='{rgb(MARK)}' "
        "stroke-width='1.2' stroke-linejoin='round'/>"
        f"<polygon points='0.5,14.5 4,11.5 4,17.5' fill='{rgb(MARK)}'/>"))


def transparent_pixel():
    return svg(1, 1, "")


# Window icon ----------------------------------------------------------------------

def icon():
    """A smiling child's face in round glasses on a sky-blue tile."""
    defs = vertical_gradient("sky", [(0, (120, 200, 255), 1), (1, (40, 120, 220), 1)])
    defs += radial_gradient("skin", (255, 232, 200), (246, 190, 140))
    ink = "#3a2a20"
    return svg(64, 64, (
        "<rect x='2' y='2' width='60' height='60' rx='13' fill='url(#sky)' "
        "stroke='#1c4f96' stroke-width='2.5'/>"
        "<path d='M13,30 C12,13 25,8 32,8 C41,8 53,13 51,30 Z' fill='#e0892a' "
        "stroke='#8a4a10' stroke-width='2'/>"
        f"<circle cx='32' cy='35' r='18' fill='url(#skin)' stroke='{ink}' stroke-width='2'/>"
        "<path d='M16,28 C20,17 30,15 34,16 C40,16 46,19 48,28 C42,22 34,21 24,24 Z' "
        "fill='#e0892a' stroke='#8a4a10' stroke-width='1.6' stroke-linejoin='round'/>"
        f"<circle cx='25' cy='34' r='5.5' fill='#ffffff' fill-opacity='0.55' stroke='{ink}' "
        "stroke-width='2'/>"
        f"<circle cx='39' cy='34' r='5.5' fill='#ffffff' fill-opacity='0.55' stroke='{ink}' "
        "stroke-width='2'/>"
        f"<path d='M30.5,34 L33.5,34' stroke='{ink}' stroke-width='2'/>"
        f"<circle cx='25' cy='34.5' r='1.8' fill='{ink}'/>"
        f"<circle cx='39' cy='34.5' r='1.8' fill='{ink}'/>"
        f"<path d='M24.5,43 Q32,50 39.5,43' fill='none' stroke='{ink}' stroke-width='2.2' "
        "stroke-linecap='round'/>"
        "<circle cx='19' cy='43' r='2.6' fill='#f58a8a' fill-opacity='0.7'/>"
        "<circle cx='45' cy='43' r='2.6' fill='#f58a8a' fill-opacity='0.7'/>"), defs)


# The table ------------------------------------------------------------------------

def images():
    """(name, width, height, format, svg text), in registration order."""
    out = [("DefaultBackGround", 800, 600, "RGB", background()),
           ("ExitButton", 21, 21, "RGBA", exit_button())]

    def buttons(names, state):
        for base, width, caption, colours in BUTTONS:
            if base in names:
                name = base + {"normal": "", "pressed": "Klick", "hover": "Nuv"}[state]
                out.append((name, width, BUTTON_HEIGHT, "RGBA",
                            button(width, caption, colours[state], state == "pressed")))

    first = ["PrintButton", "SaveAsButton", "RetryButton", "CloseButton", "StartPopStartButton"]
    buttons(first, "normal")
    for label in ("Esc", "F1", "F12"):
        out.append((f"{label}Button", 37, 25, "RGB", key_cap(label)))
    buttons(["SubmitButton", "OptionsButton", "CancelButton"], "normal")
    every = [base for base, *_ in BUTTONS]
    buttons(every, "pressed")
    buttons(every, "hover")

    out += [
        ("SliderSliderVertical", 19, 10, "RGBA", slider_vertical(BLUE["normal"])),
        ("SliderSliderVerticalHover", 19, 10, "RGBA", slider_vertical(BLUE["hover"])),
        ("SliderSliderHorizontal", 11, 20, "RGBA", slider_horizontal(BLUE["normal"])),
        ("SliderSliderHorizontalHover", 11, 20, "RGBA", slider_horizontal(BLUE["hover"])),
        ("ScrollSlider", 16, 2, "RGB", thumb_slice(16, 2)),
        ("ScrollSliderHorizontal", 2, 16, "RGB", thumb_slice(2, 16)),
        ("ScrollBackground", 16, 16, "RGB", flat(16, 16, TRACK)),
        ("ScrollButtonUp", 16, 16, "RGBA", scroll_arrow(True)),
        ("ScrollButtonDown", 16, 16, "RGBA", scroll_arrow(False)),
        ("CheckBoxUnchecked", 16, 16, "RGB", check_box(False, True)),
        ("CheckBoxChecked", 16, 16, "RGB", check_box(True, True)),
        ("RadioButtonUnchecked", 16, 16, "RGBA", radio_button(False, True)),
        ("RadioButtonChecked", 16, 16, "RGBA", radio_button(True, True)),
        ("CheckBoxDisUnchecked", 16, 16, "RGB", check_box(False, False)),
        ("CheckBoxDisChecked", 16, 16, "RGB", check_box(True, False)),
        ("RadioButtonDisUnchecked", 16, 16, "RGBA", radio_button(False, False)),
        ("RadioButtonDisChecked", 16, 16, "RGBA", radio_button(True, False)),
        ("EditBarBackGround", 1, 1, "RGB", flat(1, 1, (255, 255, 255))),
        ("EditBarCornerLT", 8, 8, "RGBA", edit_corner(0)),
        ("EditBarCornerRT", 8, 8, "RGBA", edit_corner(90)),
        ("EditBarCornerLB", 8, 8, "RGBA", edit_corner(270)),
        ("EditBarCornerRB", 8, 8, "RGBA", edit_corner(180)),
        ("EditBarBorderL", 8, 1, "RGB", edit_border(8, 1)("L")),
        ("EditBarBorderR", 8, 1, "RGB", edit_border(8, 1)("R")),
        ("EditBarBorderT", 1, 8, "RGB", edit_border(1, 8)("T")),
        ("EditBarBorderB", 1, 8, "RGB", edit_border(1, 8)("B")),
        ("EditBarKaretka", 1, 19, "RGB", flat(1, 19, (0, 0, 0))),
        ("SelectionMask", 1, 1, "RGBA", selection_mask()),
        # Not registered with the skin: the text view's whitespace marks and the icon.
        ("MarkSpace", 3, 3, "RGBA", mark_space()),
        ("MarkTab", 10, 5, "RGBA", mark_tab()),
        ("MarkLineBreak", 11, 21, "RGBA", mark_break()),
        ("MarkLineFeedHidden", 1, 1, "RGBA", transparent_pixel()),
        ("WindowIcon", 64, 64, "RGBA", icon()),
    ]
    return out


def one_colour(name):
    """The renderer keeps premultiplied pixels, which rounds the colour of faint ones
    (alpha 28 turns blue 86 into 82); these pictures get their colour set back."""
    colours = {"SelectionMask": (0, 86, 255), "MarkSpace": MARK, "MarkTab": MARK,
               "MarkLineBreak": MARK}
    return [rgb(colours[name])] if name in colours else []


def main(argv):
    if argv[1:] == ["--table"]:
        for name, width, height, fmt, _ in images():
            print(name, width, height, fmt, *one_colour(name))
        return 0
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    folder = Path(argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    for name, *_, text in images():
        (folder / f"{name}.svg").write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
