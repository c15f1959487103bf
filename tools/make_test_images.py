#!/usr/bin/python3
"""Draws the small images the drawing tests read back pixel by pixel, into
tests/fixtures/images/. Run: /usr/bin/python3 tools/make_test_images.py

- quadrants.png: 64 x 64, top left red, top right green, bottom left blue,
  bottom right white, opaque: shows orientation and mirroring at a glance.
- quadrants_rgb.png: the same without an alpha channel, as a menu background
  whose drawn pixels the menus may keep.
- strip.png: an animation strip of ten 16 x 16 cells; cell k has the colour
  (20 k + 10, 200 - 20 k, 100) in its upper half and (20 k + 10, 0, 250) in
  its lower half.
- halfalpha.png: 16 x 16 white, transparent on its left half.
- font_red.jpg / font_green.png: one colour each, to see which of two files
  of one name is loaded.
"""
import os

from PIL import Image

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "tests", "fixtures", "images")


def quadrants():
    img = Image.new("RGBA", (64, 64))
    colours = {(0, 0): (255, 0, 0), (1, 0): (0, 255, 0), (0, 1): (0, 0, 255), (1, 1): (255, 255, 255)}
    for y in range(64):
        for x in range(64):
            img.putpixel((x, y), colours[(x // 32, y // 32)] + (255,))
    return img


def strip():
    img = Image.new("RGBA", (160, 16))
    for k in range(10):
        for y in range(16):
            colour = (20 * k + 10, 200 - 20 * k, 100) if y < 8 else (20 * k + 10, 0, 250)
            for x in range(16):
                img.putpixel((16 * k + x, y), colour + (255,))
    return img


def half_alpha():
    img = Image.new("RGBA", (16, 16), (255, 255, 255, 255))
    for y in range(16):
        for x in range(8):
            img.putpixel((x, y), (255, 255, 255, 0))
    return img


def main():
    os.makedirs(OUT, exist_ok=True)
    quadrants().save(os.path.join(OUT, "quadrants.png"))
    quadrants().convert("RGB").save(os.path.join(OUT, "quadrants_rgb.png"))
    strip().save(os.path.join(OUT, "strip.png"))
    half_alpha().save(os.path.join(OUT, "halfalpha.png"))
    Image.new("RGB", (8, 8), (255, 0, 0)).save(os.path.join(OUT, "font_red.jpg"), quality=100)
    Image.new("RGBA", (8, 8), (0, 255, 0, 255)).save(os.path.join(OUT, "font_green.png"))


if __name__ == "__main__":
    main()
