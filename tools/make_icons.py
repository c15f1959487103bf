#!/usr/bin/python3
"""Draws the program's icon for the desktop menu, install/icons/<size>.png:
the toolkit's mark (the tilted diamond of four tiles of tools/make_uireq.py's
logo) on a rounded dark panel, drawn afresh at each size the icon theme
asks for. CMake installs them as share/icons/hicolor/<size>x<size>/apps/.

Run from anywhere:  /usr/bin/python3 tools/make_icons.py
Needs Debian's python3-pil.
"""
import os
import sys

from PIL import ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_uireq import BORDER, PANEL_BOTTOM, PANEL_TOP, SS, canvas, emblem, finish, paste_gradient  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "install", "icons")
SIZES = [16, 24, 32, 48, 64, 128, 256]

MARGIN = 0.04        # transparent edge around the panel, of the icon's width
RADIUS = 0.2         # the panel's corner radius, of the icon's width
BORDER_WIDTH = 0.03  # the panel's light rim, of the icon's width
MARK = 0.36          # the mark's radius, of the icon's width (it spans about 0.96 of it each way)


def app_icon(size):
    big = canvas(size, size)
    S = size * SS
    m = MARGIN * S
    rim = max(SS, BORDER_WIDTH * S)
    paste_gradient(big, (m, m, S - m, S - m), RADIUS * S, BORDER[:3], BORDER[:3])
    paste_gradient(big, (m + rim, m + rim, S - m - rim, S - m - rim), RADIUS * S - rim, PANEL_TOP, PANEL_BOTTOM)
    emblem(ImageDraw.Draw(big), S / 2, S / 2, MARK * S)
    return finish(big, size, size)


def main():
    os.makedirs(OUT, exist_ok=True)
    for size in SIZES:
        app_icon(size).save(os.path.join(OUT, "%d.png" % size), optimize=True)
    print("wrote", len(SIZES), "icons to", OUT)
    return 0


if __name__ == "__main__":
    sys.exit(main())
