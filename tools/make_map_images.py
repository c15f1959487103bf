#!/usr/bin/python3
"""Generates the built-in map images of data/map/, game images 0, 1, ... that
every game can use, already numbered from 10000 as the loader numbers them:
eight tile textures (0 to 7), the six faces of a sky (8 to 13, in the order
the skybox takes them: front, left, back, right, top, bottom) and four object
images (14 to 17: a crate for cubes, and a tree, a rock and a character with
transparent surroundings for billboards). Needs python3-pil.
Run: python3 tools/make_map_images.py"""
import math
import os
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

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


# ---------------------------------------------------------------- sky

SKY_SIZE = 512
# The direction from the camera of the point at texture coordinates (s, t) of
# each face (t = 1 at the image's top row; y up), as world/render_primitives.cpp
# lays the skybox out. Drawing every face from one function of the direction
# makes the faces meet without a seam, whichever way each image is turned.
FACE_DIRECTIONS = {
    'front': lambda s, t: (1 - 2 * s, 2 * t - 1, 1.0),
    'left': lambda s, t: (1.0, 2 * t - 1, 2 * s - 1),
    'back': lambda s, t: (2 * s - 1, 2 * t - 1, -1.0),
    'right': lambda s, t: (-1.0, 2 * t - 1, 1 - 2 * s),
    'top': lambda s, t: (1 - 2 * s, 1.0, 1 - 2 * t),
    'bottom': lambda s, t: (1 - 2 * s, -1.0, 2 * t - 1),
}
SKY_FACES = ['front', 'left', 'back', 'right', 'top', 'bottom']

ZENITH, HORIZON = (38, 92, 184), (176, 210, 238)
CLOUD_LIT, CLOUD_SHADE = (252, 252, 255), (196, 205, 222)
HILLS, GROUND = (84, 122, 96), (58, 92, 58)
SUN = (0.55, 0.5, -0.67)  # towards the back face, well above the horizon
SUN_GLOW = (255, 244, 214)


def lattice(seed):
    """A repeatable grid of random values, 256 on a side, for value noise."""
    rnd = random.Random(seed)
    perm = list(range(256))
    rnd.shuffle(perm)
    return perm + perm, [rnd.random() for _ in range(256)]


CLOUD_LATTICE = lattice(31)
LAND_LATTICE = lattice(32)


def value_noise(table, x, y):
    """Smooth noise from 0 to 1: the lattice values around (x, y), blended."""
    perm, values = table
    xf, yf = math.floor(x), math.floor(y)
    fx, fy = x - xf, y - yf
    xi, yi = int(xf) & 255, int(yf) & 255
    u, v = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a, b = values[perm[perm[xi] + yi]], values[perm[perm[xi + 1] + yi]]
    c, d = values[perm[perm[xi] + yi + 1]], values[perm[perm[xi + 1] + yi + 1]]
    top, bottom = a + (b - a) * u, c + (d - c) * u
    return top + (bottom - top) * v


def fractal_noise(table, x, y, octaves):
    """Value noise summed over octaves, each finer and half as strong."""
    total, amplitude, norm = 0.0, 1.0, 0.0
    for _ in range(octaves):
        total += amplitude * value_noise(table, x, y)
        norm += amplitude
        x, y, amplitude = x * 2.03, y * 2.03, amplitude * 0.5
    return total / norm


def smoothstep(lo, hi, v):
    t = min(1.0, max(0.0, (v - lo) / (hi - lo)))
    return t * t * (3 - 2 * t)


def mix(a, b, t):
    return tuple(p + (q - p) * t for p, q in zip(a, b))


RIDGE_SOFTNESS = 0.004  # the skyline blends over about two pixels


def ridge(x, z):
    """The height (as the y of a unit direction) of the distant hills' skyline
    in the horizontal direction (x, z); periodic all the way round."""
    a = math.atan2(z, x)
    return 0.05 + 0.03 * math.sin(2 * a + 0.5) + 0.018 * math.sin(5 * a + 1.3) + 0.008 * math.sin(11 * a + 2.1)


def sky_colour(x, y, z):
    """The colour of the sky in the direction (x, y, z), y up."""
    n = math.sqrt(x * x + y * y + z * z)
    x, y, z = x / n, y / n, z / n
    flat = math.hypot(x, z) or 1.0
    top = ridge(x, z)
    edge = smoothstep(top - RIDGE_SOFTNESS, top + RIDGE_SOFTNESS, y)
    if edge > 0:
        sky = upper_sky(x, y, z)
        return sky if edge >= 1 else mix(land(x, y, z, flat, top), sky, edge)
    return land(x, y, z, flat, top)


def upper_sky(x, y, z):
    """The sky above the hills: a gradient, the sun's glow and clouds."""
    colour = mix(HORIZON, ZENITH, max(0.0, y) ** 0.5)
    facing = max(0.0, x * SUN[0] + y * SUN[1] + z * SUN[2])
    colour = mix(colour, SUN_GLOW, min(1.0, 0.95 * facing ** 300 + 0.3 * facing ** 10))
    # Clouds on a plane above the camera: smaller and flatter towards the horizon.
    lift = y + 0.12
    density = fractal_noise(CLOUD_LATTICE, 1.7 * x / lift, 1.7 * z / lift, 5)
    cover = smoothstep(0.5, 0.7, density) * smoothstep(0.04, 0.25, y)
    cloud = mix(CLOUD_SHADE, CLOUD_LIT, smoothstep(0.52, 0.8, density))
    return mix(colour, cloud, 0.95 * cover)


def land(x, y, z, flat, top):
    """The land beyond the map: hazy hills that fade into ground below the horizon."""
    grain = value_noise(LAND_LATTICE, 9 * x / flat, 9 * z / flat) if y > 0 else \
        value_noise(LAND_LATTICE, 2 * x / (0.05 - y), 2 * z / (0.05 - y))
    colour = mix(HILLS, HORIZON, 0.3 * smoothstep(-0.05, top, y))
    colour = mix(colour, GROUND, smoothstep(0.0, -0.6, y))
    return tuple(c * (0.94 + 0.12 * grain) for c in colour)


def sky_face(face):
    direction = FACE_DIRECTIONS[face]
    im = Image.new('RGB', (SKY_SIZE, SKY_SIZE))
    px = im.load()
    for row in range(SKY_SIZE):
        t = 1 - (row + 0.5) / SKY_SIZE
        for col in range(SKY_SIZE):
            colour = sky_colour(*direction((col + 0.5) / SKY_SIZE, t))
            px[col, row] = tuple(max(0, min(255, int(round(c)))) for c in colour)
    return im


def sky_maker(face):
    make = lambda: sky_face(face)  # noqa: E731
    make.__name__ = 'sky_' + face
    return make


# ---------------------------------------------------------------- objects

SUPERSAMPLE = 4  # objects are drawn this much larger, then scaled down for smooth edges


def canvas(w, h):
    im = Image.new('RGBA', (w * SUPERSAMPLE, h * SUPERSAMPLE), (0, 0, 0, 0))
    return im, ImageDraw.Draw(im), (lambda *v: [c * SUPERSAMPLE for c in v])


def finish(im):
    """Scales a drawing down and gives its transparent pixels the colour of the
    drawn ones nearby, so that filtering at an edge fades to the object's own
    colour rather than to black."""
    im = im.resize((im.width // SUPERSAMPLE, im.height // SUPERSAMPLE), Image.LANCZOS)
    alpha = im.getchannel('A')
    premultiplied = ImageChops.multiply(im.convert('RGB'), Image.merge('RGB', (alpha, alpha, alpha)))
    spread_rgb = premultiplied.filter(ImageFilter.GaussianBlur(6)).load()
    spread_alpha = alpha.filter(ImageFilter.GaussianBlur(6)).load()
    px = im.load()
    for y in range(im.height):
        for x in range(im.width):
            r, g, b, a = px[x, y]
            if a == 0:
                weight = spread_alpha[x, y]
                if weight:
                    r, g, b = (min(255, c * 255 // weight) for c in spread_rgb[x, y])
                px[x, y] = (r, g, b, 0)
    return im


def crate():
    im = speckled((156, 108, 58), 14, 21, 0.7)
    d = ImageDraw.Draw(im)
    for y in (34, 64, 94):
        d.line([(0, y), (SIZE, y)], fill=(112, 74, 38), width=2)
    rnd = random.Random(22)
    for _ in range(40):
        x, y = rnd.randrange(SIZE), rnd.randrange(SIZE)
        d.line([(x, y), (x + rnd.randint(6, 16), y)], fill=(138, 94, 48))
    brace = (124, 82, 40)
    d.line([(14, 114), (114, 14)], fill=brace, width=14)
    d.rectangle([0, 0, SIZE - 1, SIZE - 1], outline=brace, width=14)
    d.rectangle([0, 0, SIZE - 1, SIZE - 1], outline=(84, 54, 26), width=2)
    d.rectangle([13, 13, SIZE - 14, SIZE - 14], outline=(96, 62, 30), width=2)
    for x, y in [(7, 7), (120, 7), (7, 120), (120, 120), (64, 7), (64, 120), (7, 64), (120, 64)]:
        d.ellipse([x - 2, y - 2, x + 2, y + 2], fill=(70, 70, 74))
    return im


def tree():
    im, d, s = canvas(128, 256)
    d.polygon(s(56, 256, 58, 150, 70, 150, 74, 256), fill=(104, 70, 40, 255))
    d.polygon(s(66, 256, 68, 150, 70, 150, 74, 256), fill=(82, 54, 30, 255))
    d.line(s(64, 190, 42, 168), fill=(104, 70, 40, 255), width=5 * SUPERSAMPLE)
    d.line(s(66, 176, 88, 156), fill=(96, 64, 36, 255), width=5 * SUPERSAMPLE)
    blobs = [(64, 44, 30), (40, 78, 28), (88, 76, 28), (64, 96, 32), (32, 124, 26), (96, 124, 26),
             (62, 136, 30), (44, 160, 20), (84, 160, 20)]
    for x, y, r in blobs:
        d.ellipse(s(x - r, y - r, x + r, y + r), fill=(38, 98, 44, 255))
    for x, y, r in blobs:
        d.ellipse(s(x - r + 3, y - r + 2, x + r - 9, y + r - 9), fill=(56, 130, 54, 255))
    for x, y, r in blobs:
        d.ellipse(s(x - r + 8, y - r + 5, x - r // 3, y - r // 3 + 2), fill=(92, 166, 74, 255))
    return finish(im)


def rock():
    im, d, s = canvas(128, 128)
    outline = (8, 126, 14, 88, 30, 58, 58, 40, 86, 44, 108, 64, 120, 96, 122, 126)
    d.polygon(s(*outline), fill=(112, 110, 106, 255))
    d.polygon(s(14, 88, 30, 58, 58, 40, 86, 44, 70, 70, 40, 84), fill=(150, 148, 142, 255))
    d.polygon(s(86, 44, 108, 64, 120, 96, 94, 92, 70, 70), fill=(124, 122, 116, 255))
    d.polygon(s(8, 126, 14, 88, 40, 84, 52, 126), fill=(96, 94, 90, 255))
    d.polygon(s(94, 92, 120, 96, 122, 126, 86, 126), fill=(84, 82, 80, 255))
    d.line(s(40, 84, 70, 70, 94, 92), fill=(78, 76, 72, 255), width=2 * SUPERSAMPLE)
    d.line(s(70, 70, 76, 104), fill=(88, 86, 82, 255), width=2 * SUPERSAMPLE)
    rnd = random.Random(41)
    for _ in range(70):
        x, y = rnd.randint(20, 112), rnd.randint(56, 122)
        shade = rnd.choice([(70, 68, 66, 255), (168, 166, 160, 255)])
        d.ellipse(s(x, y, x + 1.5, y + 1.5), fill=shade)
    im.putalpha(ImageChops.multiply(im.getchannel('A'), polygon_mask(im.size, s(*outline))))
    return finish(im)


def polygon_mask(size, points):
    mask = Image.new('L', size, 0)
    ImageDraw.Draw(mask).polygon(points, fill=255)
    return mask


def character():
    im, d, s = canvas(128, 256)
    skin, shirt, trousers = (236, 192, 152, 255), (40, 118, 186, 255), (52, 58, 92, 255)
    d.rounded_rectangle(s(44, 160, 62, 242), radius=6 * SUPERSAMPLE, fill=trousers)
    d.rounded_rectangle(s(66, 160, 84, 242), radius=6 * SUPERSAMPLE, fill=trousers)
    d.rounded_rectangle(s(40, 236, 62, 252), radius=6 * SUPERSAMPLE, fill=(92, 58, 34, 255))
    d.rounded_rectangle(s(66, 236, 88, 252), radius=6 * SUPERSAMPLE, fill=(92, 58, 34, 255))
    d.rounded_rectangle(s(24, 98, 40, 168), radius=8 * SUPERSAMPLE, fill=(34, 102, 164, 255))
    d.rounded_rectangle(s(88, 98, 104, 168), radius=8 * SUPERSAMPLE, fill=(34, 102, 164, 255))
    d.ellipse(s(24, 160, 40, 178), fill=skin)
    d.ellipse(s(88, 160, 104, 178), fill=skin)
    d.rounded_rectangle(s(38, 92, 90, 170), radius=14 * SUPERSAMPLE, fill=shirt)
    d.rectangle(s(40, 156, 88, 164), fill=(70, 50, 36, 255))                      # belt
    d.rectangle(s(60, 155, 68, 165), fill=(214, 180, 80, 255))                    # buckle
    d.rectangle(s(56, 80, 72, 96), fill=(224, 180, 140, 255))                     # neck
    d.ellipse(s(38, 30, 90, 86), fill=skin)                                       # head
    d.chord(s(36, 24, 92, 70), 180, 360, fill=(92, 56, 30, 255))                  # hair
    d.ellipse(s(33, 50, 41, 64), fill=skin)                                       # ears
    d.ellipse(s(87, 50, 95, 64), fill=skin)
    for x in (54, 74):
        d.ellipse(s(x - 4, 52, x + 4, 61), fill=(255, 255, 255, 255))
        d.ellipse(s(x - 2.5, 54, x + 2.5, 60), fill=(40, 60, 90, 255))
    d.arc(s(54, 60, 74, 76), 20, 160, fill=(150, 70, 60, 255), width=2 * SUPERSAMPLE)
    return finish(im)


SKY = [sky_maker(face) for face in SKY_FACES]
OBJECTS = [crate, tree, rock, character]
IMAGES = TILES + SKY + OBJECTS
NAMES = [make.__name__ for make in IMAGES]


def main():
    os.makedirs(OUT, exist_ok=True)
    for f in os.listdir(OUT):
        os.remove(os.path.join(OUT, f))
    for k, make in enumerate(IMAGES):
        make().save(os.path.join(OUT, '%d.png' % (10000 + k)))
    print('wrote %d built-in map images' % len(IMAGES))


if __name__ == '__main__':
    main()
