#!/usr/bin/python3
"""Generates the built-in map images of data/map/ (tile textures every game
can use, game images 0, 1, ...), already numbered from 10000 as the loader
numbers them. Needs python3-pil. Run: python3 tools/make_map_images.py"""
import os
import random

from PIL import Image, ImageDraw, ImageFilter

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data', 'map')
SIZE = 128


def speckled(base, spread, seed, blur=1.0):
    rnd = random.Random(seed)
    im = Image.new('RGB', (SIZE, SIZE))
    px = im.load()
    for y in range(SIZE):
        for x in range(SIZE):
            d = rnd.randint(-spread, spread)
            px[x, y] = tuple(max(0, min(255, c + d)) for c in base)
    return im.filter(ImageFilter.GaussianBlur(blur))


def grass():
    im = speckled((70, 140, 60), 25, 1)
    draw = ImageDraw.Draw(im)
    rnd = random.Random(11)
    for _ in range(160):
        x, y = rnd.randrange(SIZE), rnd.randrange(SIZE)
        draw.line([(x, y), (x + rnd.randint(-2, 2), y - rnd.randint(3, 7))], fill=(90, 170, 70))
    return im


def dirt():
    return speckled((130, 95, 60), 22, 2, 1.4)


def sand():
    return speckled((220, 200, 140), 14, 3, 0.8)


def stone():
    im = speckled((128, 128, 132), 18, 4, 1.2)
    draw = ImageDraw.Draw(im)
    for y in range(0, SIZE, 32):
        draw.line([(0, y), (SIZE, y)], fill=(80, 80, 85), width=2)
        off = 0 if (y // 32) % 2 == 0 else 32
        for x in range(off, SIZE, 64):
            draw.line([(x, y), (x, y + 32)], fill=(80, 80, 85), width=2)
    return im


def water():
    im = Image.new('RGB', (SIZE, SIZE), (40, 90, 170))
    draw = ImageDraw.Draw(im)
    for y in range(4, SIZE, 12):
        for x in range(0, SIZE, 24):
            draw.arc([x, y, x + 20, y + 8], 200, 340, fill=(120, 170, 230), width=2)
    return im.filter(ImageFilter.GaussianBlur(0.6))


def brick():
    im = Image.new('RGB', (SIZE, SIZE), (200, 190, 180))
    draw = ImageDraw.Draw(im)
    rnd = random.Random(6)
    for row, y in enumerate(range(0, SIZE, 16)):
        off = 0 if row % 2 == 0 else 16
        for x in range(-off, SIZE, 32):
            shade = rnd.randint(-20, 20)
            draw.rectangle([x + 1, y + 1, x + 30, y + 14], fill=(160 + shade, 70 + shade // 2, 50))
    return im


def planks():
    im = Image.new('RGB', (SIZE, SIZE))
    draw = ImageDraw.Draw(im)
    rnd = random.Random(7)
    for i, x in enumerate(range(0, SIZE, 21)):
        shade = rnd.randint(-15, 15)
        draw.rectangle([x, 0, x + 20, SIZE], fill=(150 + shade, 105 + shade, 60 + shade // 2))
        draw.line([(x, 0), (x, SIZE)], fill=(90, 60, 35), width=2)
        for _ in range(6):
            y = rnd.randrange(SIZE)
            draw.line([(x + 3, y), (x + 17, y + rnd.randint(-2, 2))], fill=(125 + shade, 85, 50))
    return im


def snow():
    return speckled((235, 240, 250), 10, 8, 1.5)


TILES = [grass, dirt, sand, stone, water, brick, planks, snow]
NAMES = [t.__name__ for t in TILES]


def main():
    os.makedirs(OUT, exist_ok=True)
    for f in os.listdir(OUT):
        os.remove(os.path.join(OUT, f))
    for k, make in enumerate(TILES):
        make().save(os.path.join(OUT, '%d.png' % (10000 + k)))
    print('wrote %d built-in map images' % len(TILES))


if __name__ == '__main__':
    main()
