#!/usr/bin/python3
"""Draws the front end's splash image data/splash0.jpg: a title card of
Quorvane over a small isometric tile map with raised tiles, the kind of world
the toolkit builds. The program fades it in from black, holds it and fades it
out before the front-end menus; a click skips it.

Run from anywhere:  /usr/bin/python3 tools/make_splash.py
Needs Debian's python3-pil and fonts-dejavu (the word mark and fonts are those of
tools/make_uireq.py).
"""
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_uireq import (AMBER, BLUE, GREEN, SANS, SANS_BOLD, SS, darker, font, gradient,  # noqa: E402
                        lighter, wordmark)

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "data", "splash0.jpg")
W, H = 800, 600

# The tile map: GRID x GRID tiles seen from above at an angle.
GRID = 9
TILE_W, TILE_H = 52, 26   # the diamond of one tile, in output pixels
STEP = 13                 # height of one level
ORIGIN = (W // 2, 292)    # the top corner of the map


def tile_corners(gx, gy, level):
    """The diamond of tile (gx, gy) raised by `level` steps (output pixels)."""
    x = ORIGIN[0] + (gx - gy) * TILE_W / 2
    y = ORIGIN[1] + (gx + gy) * TILE_H / 2 - level * STEP
    return [(x, y), (x + TILE_W / 2, y + TILE_H / 2), (x, y + TILE_H), (x - TILE_W / 2, y + TILE_H / 2)]


def heights():
    """A hill towards the back left, a pond at the front right, some blocks."""
    rnd = random.Random(7)
    level = {}
    for gx in range(GRID):
        for gy in range(GRID):
            hill = max(0, 3 - (abs(gx - 2) + abs(gy - 2)) // 2)
            level[gx, gy] = hill + (1 if rnd.random() < 0.12 else 0)
    for gx, gy in [(6, 6), (6, 7), (7, 6), (7, 7)]:
        level[gx, gy] = -1
    return level


def tile_colour(level):
    if level < 0:
        return BLUE
    if level >= 3:
        return lighter(AMBER, 0.1)
    return lighter(GREEN, 0.12 * level)


def draw_map(img):
    """The tiles back to front, each with its two visible sides."""
    big = Image.new("RGBA", (W * SS, H * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    level = heights()
    scale = lambda pts: [(x * SS, y * SS) for x, y in pts]  # noqa: E731
    for total in range(2 * GRID - 1):
        for gx in range(GRID):
            gy = total - gx
            if not 0 <= gy < GRID:
                continue
            lv = level[gx, gy]
            top = tile_corners(gx, gy, lv)
            base = tile_corners(gx, gy, -1.6)
            colour = tile_colour(lv)
            d.polygon(scale([top[3], top[2], base[2], base[3]]), fill=darker(colour, 0.45) + (255,))
            d.polygon(scale([top[2], top[1], base[1], base[2]]), fill=darker(colour, 0.28) + (255,))
            d.polygon(scale(top), fill=colour + (255,), outline=lighter(colour, 0.35) + (255,))
    shadow = Image.new("RGBA", big.size, (0, 0, 0, 0))
    shadow.putalpha(big.getchannel("A").point(lambda a: a // 2))
    img.alpha_composite(shadow.resize((W, H), Image.LANCZOS).filter(ImageFilter.GaussianBlur(8)), (0, 10))
    img.alpha_composite(big.resize((W, H), Image.LANCZOS))


def draw_titles(img):
    mark = wordmark().resize((480, 120), Image.LANCZOS)
    img.alpha_composite(mark, ((W - 480) // 2 - 20, 70))
    d = ImageDraw.Draw(img)
    d.text((W // 2, 200), "Small tile-map games, made and played without code", font=font(SANS, 22),
           fill=(196, 210, 236, 255), anchor="mm")
    d.text((W // 2, 565), "Click to continue", font=font(SANS_BOLD, 16), fill=(150, 166, 196, 255), anchor="mm")


def main():
    img = gradient(W, H, (16, 24, 44), (4, 6, 12))
    glow = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    ImageDraw.Draw(glow).ellipse((120, 200, 680, 560), fill=(60, 90, 150, 90))
    img.alpha_composite(glow.filter(ImageFilter.GaussianBlur(60)))
    draw_map(img)
    draw_titles(img)
    img.convert("RGB").save(OUT, quality=90)
    print("wrote", OUT)
    return 0


if __name__ == "__main__":
    sys.exit(main())
