#!/usr/bin/python3
"""Draws the five praise cartoons with cairo and encodes them as Ogg Theora into assets/videos.

usage: make_videos.py THEORA_ENCODE [--frames FOLDER]   (tools/media/make-media passes its own arguments on)

Each video is 320 x 240 at 12 frames a second, but the praise shows it squeezed into
320 x 200; every cartoon is therefore drawn in a 320 x 200 space stretched by 240/200
vertically, so that circles come out round on the screen. The white background meets the
white of the cloud around the video. --frames also writes every fourth frame as PNG.
"""
import math
import random
import subprocess
import sys
from pathlib import Path

import cairo

ROOT = Path(__file__).resolve().parents[2]
OUT = ROOT / "assets/videos"
WIDTH, HEIGHT, SHOWN_HEIGHT, FPS = 320, 240, 200, 12
INK = (0.16, 0.15, 0.24)
RED, ORANGE, YELLOW = (1.0, 0.23, 0.19), (1.0, 0.58, 0.0), (1.0, 0.80, 0.0)
GREEN, BLUE, PURPLE, PINK = (0.20, 0.78, 0.35), (0.0, 0.48, 1.0), (0.69, 0.32, 0.87), (1.0, 0.18, 0.57)
BRIGHT = (RED, ORANGE, YELLOW, GREEN, BLUE, PURPLE, PINK)
SKIN = (1.0, 0.79, 0.24)


def pop(x):
    """0 → 1 with a little overshoot, for things that spring into view."""
    x = min(max(x, 0.0), 1.0)
    c = 1.70158
    return 1 + (c + 1) * (x - 1) ** 3 + c * (x - 1) ** 2


def outlined(ctx, colour, width=2.5):
    ctx.set_source_rgb(*colour)
    ctx.fill_preserve()
    ctx.set_source_rgb(*INK)
    ctx.set_line_width(width)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.stroke()


def star_path(ctx, cx, cy, r, turn=0.0, inner=0.45):
    for i in range(10):
        a = turn - math.pi / 2 + i * math.pi / 5
        rr = r if i % 2 == 0 else r * inner
        ctx.line_to(cx + rr * math.cos(a), cy + rr * math.sin(a))
    ctx.close_path()


def star(ctx, cx, cy, r, colour, turn=0.0):
    if r > 0.5:
        star_path(ctx, cx, cy, r, turn)
        outlined(ctx, colour, max(1.2, r / 10))


def word(ctx, text, cx, cy, size, grow, colour):
    """The praise word, centred on (cx, cy), springing up as grow goes from 0 to 1."""
    s = pop(grow)
    if s <= 0.01:
        return
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(s, s)
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(size)
    ext = ctx.text_extents(text)
    ctx.move_to(-ext.x_bearing - ext.width / 2, -ext.y_bearing - ext.height / 2)
    ctx.text_path(text)
    ctx.set_source_rgb(*INK)
    ctx.set_line_width(size / 6)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.stroke_preserve()
    ctx.set_source_rgb(*colour)
    ctx.fill()
    ctx.restore()


def smiley(ctx, cx, cy, r, squash=0.0, colour=YELLOW):
    ctx.save()
    ctx.translate(cx, cy + r * squash)
    ctx.scale(1 + squash, 1 - squash)
    ctx.arc(0, 0, r, 0, 2 * math.pi)
    outlined(ctx, colour, 3)
    for side in (-1, 1):
        ctx.save()
        ctx.translate(side * r * 0.35, -r * 0.25)
        ctx.scale(1, 1.5)
        ctx.arc(0, 0, r * 0.09, 0, 2 * math.pi)
        ctx.restore()
        ctx.set_source_rgb(*INK)
        ctx.fill()
        ctx.arc(side * r * 0.58, r * 0.18, r * 0.13, 0, 2 * math.pi)
        ctx.set_source_rgba(*RED, 0.35)
        ctx.fill()
    ctx.arc(0, r * 0.05, r * 0.55, math.radians(25), math.radians(155))
    ctx.set_source_rgb(*INK)
    ctx.set_line_width(3)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.stroke()
    ctx.restore()


class Confetti:
    """Paper bits that flutter down from above the picture."""

    def __init__(self, seed, count, start=0.0):
        rng = random.Random(seed)
        self.bits = [(rng.uniform(0, 320), rng.uniform(-120, -10), rng.uniform(50, 90), rng.uniform(0, 6.3),
                      rng.uniform(2, 5), rng.choice(BRIGHT), rng.uniform(start, start + 0.8)) for _ in range(count)]

    def draw(self, ctx, t):
        for x, y, fall, phase, spin, colour, begin in self.bits:
            age = t - begin
            if age < 0:
                continue
            ctx.save()
            ctx.translate(x + 12 * math.sin(phase + age * 3), y + fall * age * 1.6)
            ctx.rotate(phase + spin * age)
            ctx.scale(1, abs(math.cos(phase + spin * age * 1.3)) + 0.15)
            ctx.rectangle(-5, -3, 10, 6)
            ctx.set_source_rgb(*colour)
            ctx.fill()
            ctx.restore()


class Burst:
    """A firework: a rocket that climbs, then sparks that fly out, fall and fade."""

    def __init__(self, x, top, launch, colour, seed):
        rng = random.Random(seed)
        self.x, self.top, self.launch, self.colour = x, top, launch, colour
        self.sparks = [(i * 2 * math.pi / 18 + rng.uniform(-0.1, 0.1), rng.uniform(40, 58)) for i in range(18)]

    CLIMB, LIFE = 0.55, 1.3

    def draw(self, ctx, t):
        age = t - self.launch
        if age < 0:
            return
        if age < self.CLIMB:
            y = 205 - (205 - self.top) * math.sin(age / self.CLIMB * math.pi / 2)
            ctx.set_line_cap(cairo.LINE_CAP_ROUND)
            ctx.set_line_width(3)
            ctx.set_source_rgb(*ORANGE)
            ctx.move_to(self.x, y)
            ctx.line_to(self.x, y + 14)
            ctx.stroke()
            return
        age -= self.CLIMB
        if age > self.LIFE:
            return
        fade = 1 - age / self.LIFE
        spread = 1 - math.exp(-age * 4)
        for angle, speed in self.sparks:
            sx = self.x + math.cos(angle) * speed * spread
            sy = self.top + math.sin(angle) * speed * spread + 18 * age * age
            star_path(ctx, sx, sy, 8 * (0.5 + fade / 2), angle)
            ctx.set_source_rgba(*self.colour, fade)
            ctx.fill()
        if age < 0.15:
            ctx.arc(self.x, self.top, 20 * (1 - age / 0.15) + 4, 0, 2 * math.pi)
            ctx.set_source_rgba(*YELLOW, 0.8)
            ctx.fill()


def bravo(ctx, t):
    """Fireworks bursting over the word."""
    for burst in BRAVO_BURSTS:
        burst.draw(ctx, t)
    word(ctx, "Браво!", 160, 140, 54, (t - 0.4) / 0.5, RED)


BRAVO_BURSTS = [Burst(70, 65, -0.45, PINK, 1), Burst(250, 62, 0.0, BLUE, 2), Burst(160, 58, 0.4, GREEN, 3),
                Burst(95, 75, 1.3, ORANGE, 4), Burst(225, 70, 1.6, PURPLE, 5), Burst(160, 62, 2.2, RED, 6)]


def thumb(ctx, cx, cy, size):
    """A thumbs-up hand: cuff on the left, fingers curled on the right, thumb up."""
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(size / 100, size / 100)
    ctx.rectangle(-62, -12, 22, 62)
    outlined(ctx, BLUE, 3)
    ctx.save()
    ctx.translate(-22, -28)
    ctx.rotate(math.radians(-8))
    rounded(ctx, -12, -52, 28, 64, 13)
    outlined(ctx, SKIN, 3)
    ctx.restore()
    rounded(ctx, -40, -20, 60, 74, 14)
    outlined(ctx, SKIN, 3)
    for i in range(4):
        rounded(ctx, 4, -20 + i * 18.5, 36, 18.5, 9)
        outlined(ctx, SKIN, 3)
    ctx.restore()


def rounded(ctx, x, y, w, h, r):
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def gotovo(ctx, t):
    """A thumbs-up that springs up and rocks, with stars twinkling round it."""
    for i, (x, y, colour) in enumerate(((70, 40, YELLOW), (255, 35, PINK), (45, 110, BLUE), (275, 105, GREEN),
                                         (28, 165, ORANGE), (292, 165, PURPLE))):
        twinkle = pop((t - 0.3 - i * 0.12) / 0.4) * (0.8 + 0.2 * math.sin(t * 8 + i))
        star(ctx, x, y, 16 * twinkle, colour, t * 1.5 + i)
    ctx.save()
    ctx.translate(160, 95)
    ctx.rotate(math.radians(10) * math.sin(max(0.0, t - 0.6) * 6) * math.exp(-max(0.0, t - 0.6)))
    thumb(ctx, 0, 0, 100 * pop(0.25 + t / 0.6))
    ctx.restore()
    word(ctx, "Готово!", 160, 172, 40, (t - 0.6) / 0.5, GREEN)


def molodec(ctx, t):
    """A smiley bouncing on a line, squashing as it lands; stars spring out at each landing."""
    period = 0.75
    phase = (t % period) / period
    height = 62 * math.sin(phase * math.pi)
    squash = 0.18 * max(0.0, 1 - height / 12)
    ctx.set_source_rgba(*INK, 0.15)
    ctx.save()
    ctx.translate(160, 128)
    ctx.scale(1, 0.18)
    ctx.arc(0, 0, 34 * (1 - height / 250), 0, 2 * math.pi)
    ctx.restore()
    ctx.fill()
    for landing in range(int(t / period) + 1):
        age = t - landing * period
        if age > 0.7:
            continue
        for k in range(6):
            angle = math.pi * (1.05 + k * 0.18)
            reach = 35 + 70 * math.sqrt(age / 0.7)
            star(ctx, 160 + reach * math.cos(angle), 128 + reach * math.sin(angle) * 0.8, 13 * (1 - age / 0.7) + 2,
                 BRIGHT[(landing + k) % len(BRIGHT)], age * 5)
    smiley(ctx, 160, 128 - 30 - height, 30, squash)
    word(ctx, "Молодец!", 160, 170, 38, (t - 0.3) / 0.5, BLUE)


def otlichno(ctx, t):
    """A big star that spins in and smiles, under falling confetti."""
    OTLICHNO_CONFETTI.draw(ctx, t)
    r = 58 * pop(0.2 + t / 0.8)
    turn = (1 - min(0.2 + t / 0.8, 1)) * math.pi * 2 + 0.06 * math.sin(t * 5)
    ctx.save()
    ctx.translate(160, 85)
    ctx.rotate(turn)
    star(ctx, 0, 0, r, YELLOW)
    if r > 20:
        ctx.set_source_rgb(*INK)
        for side in (-1, 1):
            ctx.arc(side * r * 0.16, -r * 0.08, r * 0.06, 0, 2 * math.pi)
            ctx.fill()
        ctx.set_line_width(2.5)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.arc(0, r * 0.02, r * 0.16, math.radians(20), math.radians(160))
        ctx.stroke()
    ctx.restore()
    word(ctx, "Отлично!", 160, 170, 40, (t - 0.8) / 0.5, ORANGE)


OTLICHNO_CONFETTI = Confetti(7, 70)


def balloon(ctx, x, y, colour, sway):
    """A balloon on a wavy string, its knot at the bottom."""
    ctx.set_source_rgb(*INK)
    ctx.set_line_width(1.5)
    ctx.move_to(x, y + 30)
    for i in range(1, 9):
        ctx.line_to(x + 4 * math.sin(i * 1.2 + sway * 3), y + 30 + i * 7)
    ctx.stroke()
    ctx.move_to(x - 5, y + 34)
    ctx.line_to(x + 5, y + 34)
    ctx.line_to(x, y + 27)
    ctx.close_path()
    outlined(ctx, colour, 1.5)
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(1, 1.2)
    ctx.arc(0, 0, 24, 0, 2 * math.pi)
    ctx.restore()
    outlined(ctx, colour, 2.5)
    ctx.save()
    ctx.translate(x - 9, y - 12)
    ctx.rotate(-0.6)
    ctx.scale(1, 1.8)
    ctx.arc(0, 0, 4, 0, 2 * math.pi)
    ctx.restore()
    ctx.set_source_rgba(1, 1, 1, 0.7)
    ctx.fill()


def ura(ctx, t):
    """Balloons rising past the word, then confetti."""
    URA_CONFETTI.draw(ctx, t)
    for i, (x, speed, colour, delay) in enumerate(((50, 70, RED, 0.0), (120, 85, BLUE, 0.3), (200, 75, GREEN, 0.15),
                                                    (270, 90, PINK, 0.45), (160, 65, YELLOW, 0.7),
                                                    (85, 80, PURPLE, 1.3), (240, 70, ORANGE, 1.5))):
        age = max(0.0, t - delay)
        sway = math.sin(age * 2 + i)
        balloon(ctx, x + 10 * sway, 215 - speed * age, colour, sway)
    word(ctx, "Ура!", 160, 100, 64, (t - 0.7) / 0.5, PINK)


URA_CONFETTI = Confetti(11, 60, start=1.2)

# name, seconds, drawing
CARTOONS = [("bravo_video", 3.5, bravo), ("gotovo_video", 3.0, gotovo), ("molodec_video", 3.0, molodec),
            ("otlichno_video", 3.0, otlichno), ("ura_video", 4.0, ura)]


def frame(draw, t):
    surface = cairo.ImageSurface(cairo.FORMAT_RGB24, WIDTH, HEIGHT)
    ctx = cairo.Context(surface)
    ctx.set_source_rgb(1, 1, 1)
    ctx.paint()
    ctx.scale(1, HEIGHT / SHOWN_HEIGHT)
    draw(ctx, t)
    surface.flush()
    return surface


def main():
    encoder = sys.argv[1]
    frames_dir = Path(sys.argv[3]) if len(sys.argv) == 4 and sys.argv[2] == "--frames" else None
    OUT.mkdir(exist_ok=True)
    for name, seconds, draw in CARTOONS:
        out = OUT / f"{name}.ogv"
        proc = subprocess.Popen([encoder, str(WIDTH), str(HEIGHT), str(FPS), str(out)], stdin=subprocess.PIPE)
        for n in range(round(seconds * FPS)):
            surface = frame(draw, n / FPS)
            proc.stdin.write(bytes(surface.get_data()))
            if frames_dir and n % 4 == 0:
                frames_dir.mkdir(parents=True, exist_ok=True)
                surface.write_to_png(str(frames_dir / f"{name}-{n:02d}.png"))
        proc.stdin.close()
        if proc.wait() != 0:
            sys.exit(f"{name}: the encoder failed")
        print(f"{name:15} {seconds:.1f} s  {round(seconds * FPS)} frames  {out.stat().st_size} bytes")


if __name__ == "__main__":
    main()
